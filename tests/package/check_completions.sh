#!/usr/bin/env bash
# The zsh and fish completions of tessarin-cli, installed as its package installs them and loaded as
# those shells load them (zsh's compinit from the function path, fish from XDG_DATA_DIRS on the first
# completion of the command), each run in its shell on the lines the bash completion is tested with
# (check_package.sh), with the same offers: the sub-commands, each one's options, and after decrypt and
# verify only containers and folders. The shells get a home of their own, so the user's stays as it was.
# Usage: check_completions.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

staging="$work/staging"
cmake --install "$build" --prefix "$staging" --component cli >/dev/null
zsh_completion="$staging/share/zsh/vendor-completions/_tessarin-cli"
fish_completion="$staging/share/fish/vendor_completions.d/tessarin-cli.fish"
[ -s "$zsh_completion" ] || fail "not installed: $zsh_completion"
[ -s "$fish_completion" ] || fail "not installed: $fish_completion"

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_CACHE_HOME="$work/home/.cache" XDG_DATA_DIRS="$staging/share:/usr/share" PATH="$staging/bin:$PATH"
mkdir -p "$HOME"
source "$(dirname "$0")/completion_cases.sh"
files="$work/files"
make_completion_files "$files"
lines=("${completion_lines[@]}")
expected=$expected_completions
# One line per completed line: the line, "|", the offers sorted, each followed by a space.
offers_line() { # LINE, the offers on standard input
    printf '%s|' "$1"
    printf '%s ' $(sort -u)
    echo
}
compare() { # SHELL RESULT
    [ "$2" = "$expected" ] || fail "$1 completion: expected
$expected
got
$2"
    echo "ok: $1 completion"
}

# zsh: an interactive shell on a pseudo-terminal (zpty) is sent each line and a Tab. compadd, through
# which every completion function hands zsh its matches, is wrapped to write them down; the calls that
# only ask for matches (-O, -A, -D) pass through unrecorded. Input is read in order, so each line's
# matches are in the file before the END written after it.
cat >"$work/complete.zsh" <<'ZSH'
zmodload zsh/zpty
folder=$1 out=$2
shift 2
: >$out
zpty shell zsh -f -i
zpty -w shell "PS1='' PS2=''; fpath=(${(q)folder} \$fpath); autoload -U compinit; compinit -u -D"
zpty -w shell 'compadd() {
    if [[ ${@[1,(i)(-|--)]} == *-(O|A|D)\ * ]]; then builtin compadd "$@"; return; fi
    local -a matches
    builtin compadd -A matches "$@"
    (( $#matches )) && print -rl -- $matches >>'${(q)out}'
    builtin compadd "$@"
}'
wait_for() { # MARK COUNT
    local i
    for i in {1..600}; do
        (( $(grep -cx $1 $out) >= $2 )) && return
        sleep 0.05
    done
    print -u2 "zsh did not answer"
    exit 1
}
n=0
for line; do
    (( ++n ))
    zpty -w shell "print -r -- LINE >>${(q)out}"
    wait_for LINE $n
    zpty -wn shell "$line"$'\t\C-u'
    zpty -w shell "print -r -- END >>${(q)out}"
    wait_for END $n
done
zpty -d shell
ZSH
(cd "$files" && zsh -f "$work/complete.zsh" "$(dirname "$zsh_completion")" "$work/zsh.out" "${lines[@]}") ||
    fail "zsh could not be driven"
result=""
i=0
while IFS= read -r mark; do
    [ "$mark" = LINE ] || fail "zsh: unexpected output $mark"
    offers=()
    while IFS= read -r offer && [ "$offer" != END ]; do offers+=("$offer"); done
    result+=$(printf '%s\n' "${offers[@]}" | sed '/^$/d' | offers_line "${lines[i]}")$'\n'
    i=$((i + 1))
done <"$work/zsh.out"
compare zsh "${result%$'\n'}"

# fish: its own "complete -C", which completes a line as the Tab key does; the descriptions cut off, and
# the "/" fish puts after a folder's name.
result=""
for line in "${lines[@]}"; do
    result+=$(cd "$files" && fish -c 'complete -C $argv[1]' "$line" | cut -f1 | sed 's|/$||' | offers_line "$line")$'\n'
done
compare fish "${result%$'\n'}"
