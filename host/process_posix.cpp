#include "host/process.h"

#include <filesystem>
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

} // namespace host
