// Arbitrary bytes as a container, through the real decryption batch on the in-memory disk. The batch
// must agree with the in-memory reader: the same verdict, the same restored bytes, and never a crash.

#include "batch_harness.h"

#include "core/batches.h"
#include "core/container.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr const char* Password = "fuzz";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const harness::FreshFolder folder;
    const std::string source = harness::Path("probe.rc4");
    const std::string restored = harness::Path("probe-dec");
    host::memory::WriteFile(source, {data, data + size});

    RecordingWindow window;
    window.password[2] = Password;
    window.list[1] = {source};
    cmdDec_Click(window);

    std::vector<std::uint8_t> plain;
    const auto verdict = container::OpenContainer({data, size}, Password, plain);
    const bool written = host::memory::Kind(restored) == host::EntryKind::File;
    switch (verdict) {
    case container::OpenResult::NotAContainer:
        if (window.warnings.size() != 1 || window.warnings[0].rfind("Die Datei: ", 0) != 0 || written)
            harness::Fail("not a container, but not refused as one");
        break;
    case container::OpenResult::WrongPassword:
        if (window.warnings != std::vector<std::string>{"Falsches Passwort!"} || written)
            harness::Fail("a wrong password, but not refused as one");
        break;
    case container::OpenResult::ChecksumError:
        if (window.warnings.size() != 1 || window.warnings[0].rfind("Datei:  ", 0) != 0 ||
            host::memory::ReadFile(restored) != plain)
            harness::Fail("a checksum error, but not restored with its message");
        break;
    case container::OpenResult::Ok:
        if (!window.warnings.empty() || host::memory::ReadFile(restored) != plain)
            harness::Fail("a whole container, but not restored as it is");
        break;
    }
    harness::CheckIdle(window);
    return 0;
}
