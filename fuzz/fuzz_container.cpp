// Arbitrary bytes as a container, through the real decryption batch on a temporary file. The batch must
// agree with the in-memory reader: the same verdict, the same restored bytes, and never a crash.

#include "support/recording_window.h"

#include "core/batches.h"
#include "core/container.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

constexpr const char* Password = "fuzz";

const std::filesystem::path& WorkFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessarin-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        std::atexit([] { std::filesystem::remove_all(WorkFolder()); });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

std::vector<std::uint8_t> Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path source = WorkFolder() / "probe.rc4";
    const std::filesystem::path restored = WorkFolder() / "probe-dec";
    std::filesystem::remove(restored);
    std::ofstream(source, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    RecordingWindow window;
    window.password[2] = Password;
    window.list[1] = {source.string()};
    cmdDec_Click(window);

    std::vector<std::uint8_t> plain;
    const auto verdict = container::OpenContainer({data, size}, Password, plain);
    const bool written = std::filesystem::exists(restored);
    switch (verdict) {
    case container::OpenResult::NotAContainer:
        if (window.warnings.size() != 1 || window.warnings[0].rfind("Die Datei: ", 0) != 0 || written)
            std::abort();
        break;
    case container::OpenResult::WrongPassword:
        if (window.warnings != std::vector<std::string>{"Falsches Passwort!"} || written)
            std::abort();
        break;
    case container::OpenResult::ChecksumError:
        if (window.warnings.size() != 1 || window.warnings[0].rfind("Datei:  ", 0) != 0 ||
            Read(restored) != plain)
            std::abort();
        break;
    case container::OpenResult::Ok:
        if (!window.warnings.empty() || Read(restored) != plain)
            std::abort();
        break;
    }
    if (window.RunningBatch() || window.caption[1] != "RC4 Decrypt" || window.WaitPointer())
        std::abort();
    return 0;
}
