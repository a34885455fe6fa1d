# The lines the shell completions of tessarin-cli are tried on, in a folder of files made for them, and
# what each shell must offer: one line per completed line, the line, "|", the offers sorted, each
# followed by a space. Sourced by the tests of the bash, zsh and fish completions.

# Makes the files the lines complete in folder DIR.
make_completion_files() {
    mkdir -p "$1/ordner"
    touch "$1/bericht.pdf" "$1/bericht.pdf.rc4" "$1/alt.RC4"
}

completion_lines=("tessarin-cli " "tessarin-cli decrypt --s" "tessarin-cli encrypt --q" "tessarin-cli decrypt "
                  "tessarin-cli verify -- " "tessarin-cli encrypt " "tessarin-cli verify --password-file ")
expected_completions='tessarin-cli |--help --version decrypt encrypt verify 
tessarin-cli decrypt --s|--stdout --suffix 
tessarin-cli encrypt --q|--quiet 
tessarin-cli decrypt |alt.RC4 bericht.pdf.rc4 ordner 
tessarin-cli verify -- |alt.RC4 bericht.pdf.rc4 ordner 
tessarin-cli encrypt |alt.RC4 bericht.pdf bericht.pdf.rc4 ordner 
tessarin-cli verify --password-file |alt.RC4 bericht.pdf bericht.pdf.rc4 ordner '
