#include "batch_fixture.h"

#include "core/batch_texts.h"
#include "host/fault_injection.h"
#include "host/file_error.h"

#include <map>

#include <regex>

namespace {

using Encrypt = BatchTest;

TEST_F(Encrypt, InputChecksComeInOrderAndChangeNothing) {
    struct Case {
        bool listed;
        std::string password, repetition, message;
        int focus;
    };
    const Case cases[] = {
        {false, "", "", "Bitte eine zu verschlüsselnde Dateien auswählen !", -1},
        {true, "", "", "Bitte ein Passwort eingeben !", 0},
        // Spaces only would give an empty key and containers holding the plain bytes.
        {true, "   ", "   ", "Bitte ein Passwort eingeben !", 0},
        {true, "abc", "abc ", "Die Passworte stimmen nicht überein !", 1},
        {true, "abc", "ABC", "Die Passworte stimmen nicht überein !", 1},
        // Whatever front end gave it: the key is the password's Windows-1252 bytes, 32 at most.
        {true,
         "\xC5\x82\xC3\xB3"
         "d\xC5\xBA",
         "\xC5\x82\xC3\xB3"
         "d\xC5\xBA",
         texts::PasswordOutsideCodePage, 0},
        {true, std::string(33, 'x'), std::string(33, 'x'), texts::PasswordTooLong, 0},
    };
    for (const Case& c : cases) {
        RecordingWindow w;
        if (c.listed)
            w.list[0] = {dir.File("x.txt")};
        w.password[0] = c.password;
        w.password[1] = c.repetition;
        cmdEnc_Click(w);
        ASSERT_EQ(w.warnings.size(), 1u) << c.message;
        EXPECT_EQ(w.warnings[0], c.message);
        EXPECT_EQ(w.focused, c.focus);
        EXPECT_FALSE(w.statusVisible);
        EXPECT_TRUE(w.pointerHistory.empty());
    }
}

TEST_F(Encrypt, ContainersMatchTheFormatAtBlockBoundaries) {
    const std::size_t sizes[] = {0, 1, 2, 4097, 100000, 100001, 250000};
    for (std::size_t n : sizes)
        AddPlain("f" + std::to_string(n), n, static_cast<std::uint32_t>(n));
    cmdEnc_Click(window);
    EXPECT_TRUE(window.warnings.empty());
    for (std::size_t n : sizes) {
        const std::string plain = dir.File("f" + std::to_string(n));
        EXPECT_EQ(ReadBytes(plain + ".rc4"), container::MakeContainer(ReadBytes(plain), Password)) << n;
        EXPECT_EQ(ReadBytes(plain), RandomBytes(n, static_cast<std::uint32_t>(n))) << "plain file changed";
    }
    ExpectIdle();
    EXPECT_EQ(window.selected[0], 6);
}

TEST_F(Encrypt, ProgressAndTimeText) {
    AddPlain("a", 250000);
    cmdEnc_Click(window);
    const std::vector<std::string> expected = {"File: 1 von 1,  File bearbeitet: 40 %",
                                               "File: 1 von 1,  File bearbeitet: 80 %",
                                               "File: 1 von 1,  File bearbeitet: 100 %"};
    ASSERT_EQ(window.statusHistory.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(window.statusHistory.begin(), window.statusHistory.begin() + 3),
              expected);
    EXPECT_TRUE(std::regex_match(
        window.status,
        std::regex(R"(File: 1 von 1,  File bearbeitet: 100 % , EncryptTime: \d+(\.\d{1,2})? ms)")))
        << window.status;
    EXPECT_TRUE(window.statusVisible);
    EXPECT_GE(window.pumps, 3) << "the window handles its events after every block";
}

TEST_F(Encrypt, CaptionShowsCancelOnlyForSeveralFiles) {
    AddPlain("one", 10);
    std::vector<std::string> seen;
    window.onPump = [&](int) { seen.push_back(window.caption[0]); };
    cmdEnc_Click(window);
    for (const auto& caption : seen)
        EXPECT_EQ(caption, "RC4 Encrypt");

    AddPlain("two", 10);
    seen.clear();
    cmdEnc_Click(window);
    ASSERT_FALSE(seen.empty());
    for (const auto& caption : seen)
        EXPECT_EQ(caption, "Abbrechen");
    ExpectIdle();
}

TEST_F(Encrypt, MissingFilesAreSkippedSilentlyAndTheTimeTextStillComes) {
    window.list[0] = {dir.File("gone1"), dir.File("gone2")};
    cmdEnc_Click(window);
    EXPECT_TRUE(window.warnings.empty());
    EXPECT_TRUE(std::regex_match(window.status, std::regex(R"(0 % , EncryptTime: [0-9.]+ ms)")))
        << window.status;
    EXPECT_FALSE(Exists("gone1.rc4"));
    ExpectIdle();
}

TEST_F(Encrypt, ReadOnlyContainerIsReplaced) {
    const std::string plain = AddPlain("doc.txt", 5000);
    WriteBytes(plain + ".rc4", {1, 2, 3});
    SetPermissions(plain + ".rc4", 0400);
    cmdEnc_Click(window);
    EXPECT_TRUE(window.warnings.empty());
    EXPECT_EQ(ReadBytes(plain + ".rc4"), container::MakeContainer(ReadBytes(plain), Password));
}

TEST_F(Encrypt, CancelFinishesTheFileInWorkAndStopsBeforeTheNext) {
    AddPlain("a", 300000);
    AddPlain("b", 10);
    AddPlain("c", 10);
    window.onPump = [&](int n) {
        if (n == 1)
            cmdEnc_Click(window); // the user clicks "Abbrechen"
    };
    cmdEnc_Click(window);
    EXPECT_EQ(ReadBytes(dir.File("a.rc4")), container::MakeContainer(ReadBytes(dir.File("a")), Password));
    EXPECT_FALSE(Exists("b.rc4"));
    EXPECT_FALSE(Exists("c.rc4"));
    EXPECT_NE(window.status.find(" , EncryptTime: "), std::string::npos);
    ExpectIdle();
}

TEST_F(Encrypt, NoSecondBatchWhileOneRuns) {
    AddPlain("a", 300000);
    const std::string container = AddContainer("c.rc4", {1, 2, 3});
    window.onPump = [&](int) {
        cmdEnc_Click(window); // a second click during a one-file batch is no cancel request
        EXPECT_FALSE(window.CancelRequested());
        cmdDec_Click(window); // and the other batch must not start
    };
    cmdEnc_Click(window);
    EXPECT_FALSE(Exists("c"));
    EXPECT_FALSE(Exists("c-dec"));
    EXPECT_TRUE(Exists("a.rc4"));
    ExpectIdle();
}

TEST_F(Encrypt, ListShrinkingDuringTheBatchEndsItWithoutTouchingFiles) {
    AddPlain("a", 250000);
    AddPlain("b", 10);
    window.onPump = [&](int) { window.list[0].resize(1); };
    cmdEnc_Click(window);
    EXPECT_TRUE(Exists("a.rc4"));
    EXPECT_FALSE(Exists("b.rc4"));
    ExpectIdle();
}

TEST_F(Encrypt, FailuresEndTheBatchWithAMessage) {
    // An output path that is a folder: not refused access, but the user must still hear of it.
    AddPlain("a", 10);
    AddPlain("b", 10);
    MakeFolder(dir.File("a.rc4"));
    cmdEnc_Click(window);
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0].rfind("Fehler bei der Datei: a.rc4\r\n", 0), 0u) << window.warnings[0];
    EXPECT_FALSE(Exists("b.rc4")) << "the batch must end at the failure";
    EXPECT_EQ(window.status.find("EncryptTime"), std::string::npos);
    ExpectIdle();
}

TEST_F(Encrypt, RefusedAccessShowsTheWriteMessage) {
    AddPlain("a", 10);
    host::faults::FailOperation(host::faults::Operation::CreateOutput, dir.File("a.rc4"), 1,
                                host::faults::Fault::AccessRefused);
    cmdEnc_Click(window);
    host::faults::Reset();
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0],
              "Fehler beim Schreiben! Mögliche Ursachen:\r\n"
              "1. Der aktuelle Ordner befindet sich auf einen schreibgeschützten Datenträger.\r\n"
              "2. Sie besitzen nicht die erforderlichen Rechte um in diesen Ordner zu schreiben.");
    ExpectIdle();
}

TEST_F(Encrypt, EveryFailingFlushIsReportedForItsOwnFileAndTheOthersAreDone) {
    for (const char* name : {"a", "b", "c"})
        AddPlain(name, 10);
    WriteBytes(dir.File("c.rc4"), {9}); // an old container, which stays
    // The flushes of "a" and "c" fail, as a disk that fails to write back would.
    host::faults::BeforeOperation([&](const char* path) {
        const std::string p = path;
        if ((p == dir.File("a.rc4") || p == dir.File("c.rc4")) &&
            host::faults::CurrentOperation() == host::faults::Operation::Flush)
            throw host::FileError(host::FileErrorKind::Other, p,
                                  "Ein-/Ausgabefehler beim Lesen oder Schreiben");
    });
    cmdEnc_Click(window);
    host::faults::Reset();
    ASSERT_EQ(window.warnings.size(), 2u);
    EXPECT_EQ(window.warnings[0],
              "Fehler bei der Datei: a.rc4\r\nEin-/Ausgabefehler beim Lesen oder Schreiben");
    EXPECT_EQ(window.warnings[1],
              "Fehler bei der Datei: c.rc4\r\nEin-/Ausgabefehler beim Lesen oder Schreiben");
    EXPECT_EQ(window.notDone, (std::vector<int>{0, 2}));
    EXPECT_FALSE(Exists("a.rc4"));
    EXPECT_EQ(ReadBytes(dir.File("b.rc4")), container::MakeContainer(ReadBytes(dir.File("b")), Password));
    EXPECT_EQ(ReadBytes(dir.File("c.rc4")), std::vector<std::uint8_t>{9});
    EXPECT_EQ(window.status.find("EncryptTime"), std::string::npos);
    ExpectIdle();
}

TEST_F(Encrypt, AReadFailingInTheMiddleDoesNotSpoilTheNextBatch) {
    AddPlain("a", 3'000'000);
    // The second read of "a" (it is read in pieces of a megabyte), once the checksum holds the first: the
    // batch ends with the checksum half-way, and the next one must start from a clear one.
    host::faults::FailOperation(host::faults::Operation::Read, dir.File("a"), 2,
                                host::faults::Fault::IoError);
    cmdEnc_Click(window);
    host::faults::Reset();
    ASSERT_EQ(window.warnings.size(), 1u);
    window.warnings.clear();
    cmdEnc_Click(window);
    EXPECT_TRUE(window.warnings.empty());
    EXPECT_EQ(ReadBytes(dir.File("a.rc4")), container::MakeContainer(ReadBytes(dir.File("a")), Password));
}

} // namespace
