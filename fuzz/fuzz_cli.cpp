// tessarin-cli's intake: the arguments (the input split at NUL bytes, which no argument can hold) and
// the password file's contents (the input as a stream). Checked are the rules a user relies on, not
// only that nothing crashes.

#include "cli/cli_options.h"
#include "cli/password_source.h"
#include "core/container.h"
#include "text/codepage.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr std::size_t LineLimit = 4096; // the longest first line a password source may have
constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

bool Same(const ParseResult& a, const ParseResult& b) {
    if (a.error != b.error || a.options.has_value() != b.options.has_value())
        return false;
    if (!a.options)
        return true;
    const CliOptions &x = *a.options, &y = *b.options;
    return x.command == y.command && x.passwordFile == y.passwordFile && x.passwordStdin == y.passwordStdin &&
           x.suffix == y.suffix && x.originalName == y.originalName &&
           x.toStandardOutput == y.toStandardOutput && x.quiet == y.quiet && x.files == y.files;
}

// Each distinct argument once, in the order of its first appearance.
std::vector<std::string> WithoutRepeats(const std::vector<std::string>& list) {
    std::vector<std::string> kept;
    std::set<std::string> seen;
    for (const std::string& item : list)
        if (seen.insert(item).second)
            kept.push_back(item);
    return kept;
}

void CheckArguments(const std::vector<std::string>& arguments) {
    const ParseResult result = ParseCommandLine(arguments);
    if (!Same(result, ParseCommandLine(arguments)))
        std::abort();
    if (result.options.has_value() == !result.error.empty())
        std::abort();

    const bool wantsFiles = !arguments.empty() && (arguments[0] == "encrypt" || arguments[0] == "decrypt" ||
                                                   arguments[0] == "verify");
    if (result.options) {
        const CliOptions& options = *result.options;
        const bool decrypt = options.command == CliOptions::Command::Decrypt;
        if (!wantsFiles) {
            if (!options.files.empty())
                std::abort();
            return;
        }
        // The files: each once, in the order given; none but "-" that looks like an option unless
        // "--" came first.
        if (options.files.empty() || WithoutRepeats(options.files) != options.files)
            std::abort();
        std::size_t next = 1;
        for (const std::string& file : options.files) {
            while (next < arguments.size() && arguments[next] != file)
                ++next;
            if (next == arguments.size())
                std::abort();
            // The file's last appearance is the latest it can have been taken from.
            const auto last = std::find(arguments.rbegin(), arguments.rend(), file).base() - 1;
            const bool optionLike = file.size() > 1 && file[0] == '-';
            if (optionLike && std::find(arguments.begin() + 1, last, "--") == last)
                std::abort();
        }
        // A plain argument that follows no option wanting a value is a file.
        for (std::size_t i = 1; i < arguments.size(); ++i) {
            const std::string& argument = arguments[i];
            const bool plain = argument.empty() || argument[0] != '-' || argument == "-";
            if (plain && arguments[i - 1] != "--password-file" && arguments[i - 1] != "--suffix" &&
                !Contains(options.files, argument))
                std::abort();
        }
        // Every setting was asked for, and the settings that exclude each other do.
        if (options.passwordFile && (!Contains(arguments, "--password-file") || options.passwordStdin))
            std::abort();
        if (options.passwordStdin && !Contains(arguments, "--password-stdin"))
            std::abort();
        if (options.quiet && !Contains(arguments, "-q") && !Contains(arguments, "--quiet"))
            std::abort();
        if (options.suffix != texts::DefaultSuffix && (!decrypt || !Contains(arguments, "--suffix")))
            std::abort();
        if (options.suffix.find_first_of("/\\") != std::string::npos)
            std::abort();
        if (options.originalName && (!decrypt || options.suffix != texts::DefaultSuffix))
            std::abort();
        if (options.toStandardOutput && (!decrypt || options.files.size() != 1 || options.originalName ||
                                         options.suffix != texts::DefaultSuffix))
            std::abort();
    }

    // After "--" everything is a file, even what looks like an option.
    if (!arguments.empty()) {
        std::vector<std::string> onlyFiles = {wantsFiles ? arguments[0] : "encrypt", "--"};
        onlyFiles.insert(onlyFiles.end(), arguments.begin() + 1, arguments.end());
        const ParseResult files = ParseCommandLine(onlyFiles);
        const std::vector<std::string> expected = WithoutRepeats({arguments.begin() + 1, arguments.end()});
        if (files.options.has_value() == expected.empty() ||
            (files.options && files.options->files != expected))
            std::abort();
    }
}

// The first line as a password source gives it, and what the password rules make of it.
void CheckPasswordSource(const std::string& input) {
    std::istringstream in(input);
    std::string error;
    const std::optional<std::string> line = FirstLine(in, error);
    if (line.has_value() == !error.empty())
        std::abort();
    const std::size_t firstLineEnd = std::min(input.find('\n'), input.size());
    if (line.has_value() != (firstLineEnd <= LineLimit))
        std::abort();
    if (!line)
        return;
    std::string expected = input.substr(0, firstLineEnd);
    if (expected.starts_with(ByteOrderMark))
        expected.erase(0, sizeof ByteOrderMark - 1);
    if (expected.ends_with('\r'))
        expected.pop_back();
    // One mark is taken away, as an editor writes one; a second is a character of the password (which
    // the code page cannot hold, so the password is refused below).
    if (*line != expected || line->find('\n') != std::string::npos)
        std::abort();

    const bool fits =
        codepage::Representable(*line) && codepage::CharCount(*line) <= container::MaxPasswordLength;
    for (const bool encrypt : {false, true}) {
        const bool usable =
            fits && !line->empty() && (!encrypt || line->find_first_not_of(' ') != std::string::npos);
        if (PasswordProblem(*line, encrypt).empty() != usable)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> arguments;
    if (!input.empty()) {
        for (std::size_t start = 0;;) {
            const std::size_t end = input.find('\0', start);
            arguments.push_back(input.substr(start, end - start));
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
    }
    CheckArguments(arguments);
    CheckPasswordSource(input);
    return 0;
}
