// Ends a batch abruptly at every file operation, as a kill or a power cut would (no tidy-up at all), and
// checks what is left: every output's name holds its old file or its complete new one, the inputs are
// as they were, and nothing else stands in the folder but temporary files that say what they are.

#include "scenario.h"

#include "host/fault_injection.h"

#include <cstdlib>
#include <gtest/gtest.h>

#ifdef TESSARIN_MEMORY_DISK
#include "host/memory_disk.h"
#elif defined(_WIN32)
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using namespace sweep;

#ifdef TESSARIN_MEMORY_DISK
// On the in-memory disk no process is needed: at the k-th operation, before it happens, the files are
// checked as a kill leaves them (all that was written), and then as a power cut does (only what was
// flushed, under the names flushed). The batch goes on over what the power cut left; how it ends there
// is of no interest.
void EndAndCheck(Scenario& s, std::uint64_t k, const std::string& context) {
    std::uint64_t seen = 0;
    host::faults::BeforeOperation([&](const char*) {
        if (++seen != k)
            return;
        // Inside the batch, which would catch an exception of the check as a failure of its own.
        try {
            s.CheckFiles(context + ", killed", true);
            host::memory::Crash();
            s.CheckFiles(context + ", power cut", true);
        } catch (const std::exception& e) {
            ADD_FAILURE() << context << ": " << e.what();
        }
    });
    s.Run();
    host::faults::Reset();
    EXPECT_GE(seen, k) << context << ": the batch ended before";
}
#else
// The child's orders, through its environment: which scenario, in which folder, ended where.
constexpr char CrashAt[] = "TESSARIN_CRASH_AT";
constexpr char CrashMode[] = "TESSARIN_CRASH_MODE";
constexpr char CrashFolder[] = "TESSARIN_CRASH_FOLDER";
// The exit status of a child that reached the operation it was to end at.
constexpr int Crashed = 42;

// Runs the batch and ends the process at the k-th counted operation, before it happens.
[[noreturn]] void RunUntil(Scenario& s, std::uint64_t k) {
    std::uint64_t seen = 0;
    host::faults::BeforeOperation([&](const char*) {
        if (++seen == k)
            std::_Exit(Crashed);
    });
    s.Run();
    std::_Exit(0);
}

// The batch of s run in another process that ends at the k-th operation; its exit status.
int RunCrashing(Scenario& s, std::uint64_t k) {
#ifdef _WIN32
    // No fork: this program again, running only the child below, with the orders in its environment.
    ::SetEnvironmentVariableA(CrashAt, std::to_string(k).c_str());
    ::SetEnvironmentVariableA(CrashMode, std::to_string(static_cast<int>(s.mode)).c_str());
    ::SetEnvironmentVariableW(L"TESSARIN_CRASH_FOLDER", s.dir.Path().wstring().c_str());
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=CrashChild.Run";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return -1;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    ::GetExitCodeProcess(process.hProcess, &status);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ::SetEnvironmentVariableA(CrashAt, nullptr);
    return static_cast<int>(status);
#else
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0)
        RunUntil(s, k);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

// Kills the batch of s at the k-th operation, in a process of its own, and checks what it left.
void EndAndCheck(Scenario& s, std::uint64_t k, const std::string& context) {
    ASSERT_EQ(RunCrashing(s, k), Crashed) << context;
    s.CheckFiles(context, true);
}
#endif

class CrashSweep : public ::testing::TestWithParam<Mode> {};

TEST_P(CrashSweep, AKillAtAnyOperationLeavesEveryNameOldOrWhole) {
    std::uint64_t operations;
    {
        Scenario clean(GetParam(), true);
        host::faults::Reset();
        clean.Run();
        operations = host::faults::OperationCount();
        ASSERT_TRUE(clean.window.warnings.empty());
        ASSERT_EQ(clean.CheckFiles("clean run").size(), std::size(Sizes));
#ifdef TESSARIN_MEMORY_DISK
        // A batch that has ended has made its outputs durable: a power cut right after it keeps them all.
        host::memory::Crash();
        ASSERT_EQ(clean.CheckFiles("power cut after the clean run").size(), std::size(Sizes));
#endif
    }
    ASSERT_GT(operations, 20u);
    for (std::uint64_t k = 1; k <= operations; ++k) {
        const std::string context = "ended at operation " + std::to_string(k);
        Scenario s(GetParam(), true);
        EndAndCheck(s, k, context);
        if (HasFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(OverOldOutputs, CrashSweep, ::testing::Values(Mode::Encrypt, Mode::DecryptOriginal),
                         [](const auto& info) {
                             return std::string(info.param == Mode::Encrypt ? "Encrypt"
                                                                            : "DecryptOriginalName");
                         });

#if defined(_WIN32) && !defined(TESSARIN_MEMORY_DISK)
// The child of a crash run on Windows; does nothing when started without orders.
TEST(CrashChild, Run) {
    const char* at = std::getenv(CrashAt);
    if (at == nullptr)
        GTEST_SKIP() << "started by the crash sweep only";
    const auto mode = static_cast<Mode>(std::atoi(std::getenv(CrashMode)));
    wchar_t folder[MAX_PATH * 4];
    ::GetEnvironmentVariableW(L"TESSARIN_CRASH_FOLDER", folder, MAX_PATH * 4);
    Scenario s(mode, true, folder);
    RunUntil(s, std::strtoull(at, nullptr, 10));
}
#endif

} // namespace
