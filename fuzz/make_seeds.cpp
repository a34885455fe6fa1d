// Writes the seed corpora of the fuzz targets: a few small containers made by our own code (intact,
// with a wrong marker, a damaged digest and a damaged cipher byte), some paths, drop lists, texts,
// kernel inputs, tessarin-cli arguments and a password file, and the batch targets' first inputs.
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

// A literal's bytes, NUL bytes inside included.
template <std::size_t N> std::string Bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const std::filesystem::path root = argv[1];
    for (const char* sub :
         {"container", "paths", "codepage", "kernels", "cli", "decrypt_batch", "encrypt_batch"})
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
    // Drop-list lines: a form byte, then the name after its leading '/'.
    Write(root / "paths" / "droplist", Bytes("A\0home/u/Gr\xC3\xBC\xC3\x9F"
                                             "e 100%.txt\n\x7F/tmp/a?b#c\n\x02\n\x33x\r\xFF"));
    // Four bytes of settings (register, split, alignments), then the data.
    Write(root / "kernels" / "empty", std::string("abcd"));
    Write(root / "kernels" / "check", Bytes("\0\0\0\0"
                                            "123456789"));
    Write(root / "kernels" / "long", std::string(300, 'k'));
    // Arguments separated by NUL bytes; the password file as an editor on Windows writes it.
    Write(root / "cli" / "encrypt", Bytes("encrypt\0a.txt\0b.txt\0a.txt"));
    Write(root / "cli" / "decrypt",
          Bytes("decrypt\0--suffix\0.neu\0-q\0--password-file\0pw.txt\0--\0-x.rc4"));
    Write(root / "cli" / "stdout", Bytes("decrypt\0--stdout\0--password-stdin\0a.rc4"));
    Write(root / "cli" / "password", std::string("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F"
                                                 "e \xE2\x82\xAC\r\nzweite Zeile\n"));
    // The batch targets read their settings from the input's end and its payloads from the front: any
    // bytes will do to start from, a text and a run of every byte value.
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += static_cast<char>(b);
    for (const char* sub : {"decrypt_batch", "encrypt_batch"}) {
        Write(root / sub / "text", Bytes("Hallo Welt, dies ist ein Klartext.\0\1\2\3\4\5\6\7"));
        Write(root / sub / "bytes", everyByte);
    }
    return 0;
}
