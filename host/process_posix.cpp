#include "host/process.h"

#include <filesystem>
#include <langinfo.h>
#include <locale.h>
#include <system_error>

namespace host {
namespace {

std::vector<std::string> arguments;
std::string programPath;

} // namespace

void InitProcess(int argc, char** argv) {
    programPath = argc > 0 && argv[0] ? argv[0] : "";
    arguments.assign(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::vector<std::string> Arguments() {
    return arguments;
}

bool CommandLineIsRawText() {
    return false;
}

std::string CommandLineText() {
    return JoinArguments(arguments);
}

std::string CurrentDirectory() {
    std::error_code ec;
    auto path = std::filesystem::current_path(ec);
    return ec ? std::string() : path.string();
}

std::string ExecutableName() {
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || self.empty())
        self = programPath;
    std::string name = self.stem().string();
    return name.empty() ? "tessarin" : name;
}

char DecimalSeparator() {
    // A locale object of its own: the process's locale, which Qt and the C library use, stays as it is.
    const locale_t user = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (user == static_cast<locale_t>(nullptr))
        return '.';
    const char* separator = ::nl_langinfo_l(RADIXCHAR, user);
    const char result = DecimalSeparatorOf(separator != nullptr ? separator : "");
    ::freelocale(user);
    return result;
}

} // namespace host
