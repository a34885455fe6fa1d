// Writes the seed corpora of the fuzz targets: a few small containers made by our own code (intact,
// with a wrong marker, a damaged digest and a damaged cipher byte), some paths and some texts.
//   make_fuzz_seeds <corpus folder>

#include "core/container.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

void Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void Write(const std::filesystem::path& path, const std::string& text) {
    Write(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const std::filesystem::path root = argv[1];
    for (const char* sub : {"container", "paths", "codepage"})
        std::filesystem::create_directories(root / sub);

    const std::string password = "fuzz";
    const std::vector<std::uint8_t> plains[] = {{}, {'x'}, {'a', 'b'}, std::vector<std::uint8_t>(300, 0x5A)};
    int n = 0;
    for (const auto& plain : plains) {
        auto bytes = container::MakeContainer(plain, password);
        Write(root / "container" / ("intact" + std::to_string(n)), bytes);
        if (plain.size() > 1) {
            auto damaged = bytes;
            damaged.back() ^= 1;
            Write(root / "container" / ("cipher" + std::to_string(n)), damaged);
        }
        ++n;
    }
    auto marker = container::MakeContainer(plains[2], password);
    marker[0] = 'R';
    Write(root / "container" / "marker", marker);
    auto digest = container::MakeContainer(plains[2], password);
    digest[20] ^= 0x80;
    Write(root / "container" / "digest", digest);
    Write(root / "container" / "short", std::vector<std::uint8_t>(marker.begin(), marker.begin() + 30));

    Write(root / "paths" / "windows", std::string(R"(C:\Daten\archiv.tar.gz)"));
    Write(root / "paths" / "posix", std::string("/home/u.d/README"));
    Write(root / "paths" / "arguments", std::string("/tmp/a b.txt\n/tmp/c.RC4\n\n.profile"));
    Write(root / "codepage" / "umlauts", std::string("Grüße, Ärger – 5 € \x81\xFF"));
    Write(root / "codepage" / "ansi", std::string("\x80\x81\x8D\x8F\x90\x9D\x9F\xA0\xFF"));
    return 0;
}
