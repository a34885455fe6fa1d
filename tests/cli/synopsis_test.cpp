// tessarin-cli's synopsis is written once, in its help text; the man page and the README show it too and
// must say the same, form for form.

#include "cli/cli_runner.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Synopsis = std::vector<std::string>;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The lines of the section under the heading line `heading`, up to the next line that starts with
// `headingPrefix`.
std::vector<std::string> Section(const std::string& text, const std::string& headingPrefix,
                                 const std::string& heading) {
    std::vector<std::string> lines;
    bool inside = false;
    for (const std::string& line : Lines(text)) {
        if (line.rfind(headingPrefix, 0) == 0) {
            if (inside)
                break;
            inside = line == heading;
        } else if (inside) {
            lines.push_back(line);
        }
    }
    return lines;
}

// Every run of blanks as one space, none at either end.
std::string Squeezed(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
        } else {
            out += c;
        }
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// Lines that each begin a form with the program's name, or continue the form before them.
Synopsis Forms(const std::vector<std::string>& lines) {
    Synopsis forms;
    for (const std::string& line : lines) {
        const std::string squeezed = Squeezed(line);
        if (squeezed.rfind("tessarin-cli ", 0) == 0 || forms.empty())
            forms.push_back(squeezed);
        else
            forms.back() += ' ' + squeezed;
    }
    return forms;
}

// The help: the lines after "Aufruf:" up to the first empty one.
Synopsis FromHelp(const std::string& help) {
    std::vector<std::string> lines;
    bool inside = false;
    for (const std::string& line : Lines(help)) {
        if (inside && line.empty())
            break;
        if (inside)
            lines.push_back(line);
        inside = inside || line == "Aufruf:";
    }
    return Forms(lines);
}

// A roff line's text with the escapes the page uses resolved: "\-" is a minus, "\&" nothing, "\fX" a
// change of font.
std::string RoffText(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
        } else if (text[i + 1] == 'f') {
            i += 2;
        } else if (text[i + 1] != '&') {
            out += text[++i];
        } else {
            ++i;
        }
    }
    return out;
}

// The arguments of a roff request: separated by blanks, a double-quoted one kept whole.
std::vector<std::string> RoffArguments(const std::string& rest) {
    std::vector<std::string> arguments;
    for (std::size_t i = 0; i < rest.size();) {
        if (rest[i] == ' ') {
            ++i;
        } else if (rest[i] == '"') {
            const std::size_t end = rest.find('"', i + 1);
            arguments.push_back(RoffText(rest.substr(i + 1, end - i - 1)));
            i = end == std::string::npos ? rest.size() : end + 1;
        } else {
            const std::size_t end = std::min(rest.find(' ', i), rest.size());
            arguments.push_back(RoffText(rest.substr(i, end - i)));
            i = end;
        }
    }
    return arguments;
}

// The man page's ÜBERSICHT section as man prints it: a font request of one font (.B, .I) gives its
// arguments apart, one of two alternating fonts (.BR, .IR ...) joins them; ".br" ends a form.
Synopsis FromManPage(const std::string& page) {
    std::vector<std::string> forms;
    std::string form;
    for (const std::string& line : Section(page, ".SH", ".SH ÜBERSICHT")) {
        if (line == ".br") {
            forms.push_back(form);
            form.clear();
            continue;
        }
        std::string text;
        if (line.empty() || line[0] != '.') {
            text = RoffText(line);
        } else {
            const std::size_t space = line.find(' ');
            const std::string request = line.substr(1, space == std::string::npos ? space : space - 1);
            const std::vector<std::string> arguments =
                RoffArguments(space == std::string::npos ? std::string() : line.substr(space + 1));
            for (const std::string& argument : arguments)
                text += (request.size() == 1 && !text.empty() ? " " : "") + argument;
        }
        form += ' ' + text;
    }
    if (!Squeezed(form).empty())
        forms.push_back(form);
    return Forms(forms);
}

// The README: the indented block of the section on the command-line program.
Synopsis FromReadme(const std::string& readme) {
    std::vector<std::string> lines;
    for (const std::string& line : Section(readme, "## ", "## The command-line program")) {
        if (line.rfind("    ", 0) == 0)
            lines.push_back(line);
        else if (!lines.empty())
            break;
    }
    return Forms(lines);
}

TEST_F(Cli, TheManPageAndTheReadmeShowTheSynopsisOfTheHelp) {
    const Result help = Run({"--help"});
    ASSERT_EQ(help.status, 0);
    const Synopsis synopsis = FromHelp(help.out);
    ASSERT_FALSE(synopsis.empty()) << help.out;
    EXPECT_EQ(synopsis.front().rfind("tessarin-cli encrypt ", 0), 0u) << synopsis.front();
    const std::string source = TESSARIN_SOURCE_DIR;
    EXPECT_EQ(FromManPage(ReadText(source + "/man/tessarin-cli.1")), synopsis);
    EXPECT_EQ(FromReadme(ReadText(source + "/README.md")), synopsis);
}

} // namespace
