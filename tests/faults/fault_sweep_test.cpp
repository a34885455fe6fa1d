// Walks an injected failure through every file operation of both batches and checks after each run
// that nothing was lost: no descriptor left open, the right message, plain files untouched, earlier
// items complete, the window back to idle, and a clean run afterwards.

#include "scenario.h"

#include "host/fault_injection.h"

#include <algorithm>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using host::faults::Fault;
using namespace sweep;

const Fault Faults[] = {Fault::AccessRefused, Fault::DiskFull, Fault::IoError};

const char* Name(Fault f) {
    return f == Fault::AccessRefused ? "access refused" : f == Fault::DiskFull ? "disk full" : "I/O error";
}

// Notices a file the batch left open. Elsewhere the files the program holds open are counted before and
// after. On Windows (where Wine does not count handles) every file of the folder is opened exclusively
// afterwards: the file layer never shares writing, so any handle it left open makes that fail.
class OpenFileCheck {
public:
    explicit OpenFileCheck(const Folder& dir) : dir_(dir), before_(OpenFileCount()) {}

    bool SomethingLeftOpen() const {
#ifdef _WIN32
        for (const std::string& name : Names(Utf8FromPath(dir_.Path()))) {
            const HANDLE h = ::CreateFileW(PathFromUtf8(dir_.File(name)).c_str(), GENERIC_READ, 0, nullptr,
                                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
            if (h == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_SHARING_VIOLATION)
                return true;
            if (h != INVALID_HANDLE_VALUE)
                ::CloseHandle(h);
        }
        return false;
#else
        return OpenFileCount() != before_;
#endif
    }

private:
    const Folder& dir_;
    std::size_t before_;
};

// What a run ended by a failure leaves, beyond what every run leaves: the items before the failing one
// done (unless the failure was the flush or rename of that item's own output), those behind it not
// begun, and the window idle.
void CheckAfterFailure(const Scenario& s, const std::string& failing, const std::string& context) {
    const std::set<std::size_t> done = s.CheckFiles(context);
    const int reached = s.window.selected[s.mode == Mode::Encrypt ? 0 : 1];
    for (std::size_t i = 0; i < std::size(Sizes); ++i) {
        const int index = static_cast<int>(i);
        if (index < reached && failing != s.Output(i)) {
            EXPECT_TRUE(done.contains(i)) << context << ": earlier item " << i << " not done";
        }
        if (index > reached) {
            EXPECT_FALSE(done.contains(i)) << context << ": later item " << i << " touched";
        }
    }
    const RecordingWindow& window = s.window;
    EXPECT_EQ(window.caption[0], "RC4 Encrypt") << context;
    EXPECT_EQ(window.caption[1], "RC4 Decrypt") << context;
    EXPECT_FALSE(window.WaitPointer()) << context;
    EXPECT_FALSE(window.RunningBatch()) << context;
    EXPECT_FALSE(window.CancelRequested()) << context;
}

class FaultSweep : public ::testing::TestWithParam<Mode> {
protected:
    void TearDown() override { host::faults::Reset(); }
};

TEST_P(FaultSweep, EveryOperationFailingLosesNothing) {
    std::uint64_t operations;
    {
        Scenario clean(GetParam());
        host::faults::Reset();
        clean.Run();
        operations = host::faults::OperationCount();
        ASSERT_TRUE(clean.window.warnings.empty());
        for (std::size_t i = 0; i < std::size(Sizes); ++i)
            ASSERT_EQ(ReadBytes(clean.Output(i)), clean.Expected(i));
    }
    ASSERT_GT(operations, 20u);

    std::uint64_t injected = 0;
    for (std::uint64_t k = 1; k <= operations; ++k) {
        for (Fault fault : Faults) {
            Scenario s(GetParam());
            const OpenFileCheck openFiles(s.dir);
            std::string failing; // the path the failing operation works on
            int kind = -1;       // and what it does
            std::uint64_t seen = 0;
            host::faults::BeforeOperation([&](const char* path) {
                if (++seen == k) {
                    failing = path;
                    kind = static_cast<int>(host::faults::CurrentOperation());
                }
            });
            host::faults::FailOperation(k, fault);
            s.Run();
            host::faults::Reset();
            ++injected;
            const std::string context = "operation " + std::to_string(k) + " (kind " + std::to_string(kind) +
                                        " on " + failing + "), " + Name(fault);

            EXPECT_FALSE(openFiles.SomethingLeftOpen()) << context << ": a file was left open";
            ASSERT_EQ(s.window.warnings.size(), 1u) << context;
            // Refused access says writing only where the batch writes: a listed file is only read.
            const auto& listed = s.window.list[s.mode == Mode::Encrypt ? 0 : 1];
            const bool reading = std::find(listed.begin(), listed.end(), failing) != listed.end();
            const std::string expected =
                fault == Fault::AccessRefused && !reading
                    ? "Fehler beim Schreiben! Mögliche Ursachen:\r\n"
                    : "Fehler bei der Datei: " + failing.substr(failing.find_last_of("/\\") + 1) + "\r\n";
            EXPECT_EQ(s.window.warnings[0].rfind(expected, 0), 0u) << context << ": " << s.window.warnings[0];
            CheckAfterFailure(s, failing, context);

            // The next batch on the same window starts clean and completes.
            s.window.warnings.clear();
            s.Run();
            EXPECT_TRUE(s.window.warnings.empty()) << context << ": rerun warned";
            for (std::size_t i = 0; i < std::size(Sizes); ++i)
                EXPECT_EQ(ReadBytes(s.Output(i)), s.Expected(i)) << context << ": rerun item " << i;
            if (HasFailure())
                return; // one broken step is enough to read; the rest would repeat it
        }
    }
    RecordProperty("operations", static_cast<int>(operations));
    RecordProperty("faults", static_cast<int>(injected));
    std::printf("swept %llu operations, %llu faults injected\n", static_cast<unsigned long long>(operations),
                static_cast<unsigned long long>(injected));
}

INSTANTIATE_TEST_SUITE_P(Batches, FaultSweep,
                         ::testing::Values(Mode::Encrypt, Mode::DecryptSuffix, Mode::DecryptOriginal),
                         [](const auto& info) {
                             switch (info.param) {
                             case Mode::Encrypt:
                                 return std::string("Encrypt");
                             case Mode::DecryptSuffix:
                                 return std::string("DecryptWithSuffix");
                             default:
                                 return std::string("DecryptOriginalName");
                             }
                         });

} // namespace
