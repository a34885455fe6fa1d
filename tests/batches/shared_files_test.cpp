// The batches in a shared file system: what stands at an output's name (links, FIFOs, devices, folders,
// the input itself), another program taking the name meanwhile, and names that are no container's.
// Nothing the user did not ask to replace may be lost or changed, and nothing may hang.

#include "batch_fixture.h"

#include "host/fault_injection.h"
#include "host/files.h"

#include <fstream>
#include <functional>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class SharedFiles : public BatchTest {
protected:
    ~SharedFiles() override { host::faults::Reset(); }
};

bool StartsWith(const std::string& text, const std::string& head) {
    return text.rfind(head, 0) == 0;
}

#ifndef _WIN32
TEST_F(SharedFiles, WhatStandsAtTheOutputNameIsReplacedOrRefusedWithoutFollowingIt) {
    const Bytes foreign = {'f', 'r', 'e', 'm', 'd'};
    struct Case {
        const char* name;
        bool decrypt;
        // Puts something at the output name (out) of the item whose input is in.
        std::function<void(const std::string& in, const std::string& out)> prepare;
        bool written;        // a complete output stands at the name afterwards
        const char* message; // the start of the one warning, or nullptr for none
    };
    const std::string elsewhere = dir.File("elsewhere");
    const Case cases[] = {
        {"link to another's read-only file", false,
         [&](const std::string&, const std::string& out) {
             WriteBytes(elsewhere, foreign);
             fs::permissions(elsewhere, fs::perms::owner_read);
             fs::create_symlink(elsewhere, out);
         },
         true, nullptr},
        {"dangling link", false,
         [&](const std::string&, const std::string& out) { fs::create_symlink(elsewhere, out); }, true,
         nullptr},
        {"link to /dev/null", true,
         [](const std::string&, const std::string& out) { fs::create_symlink("/dev/null", out); }, true,
         nullptr},
        {"link to the input", false,
         [](const std::string& in, const std::string& out) { fs::create_symlink(in, out); }, true, nullptr},
        {"hard link of the input", false,
         [](const std::string& in, const std::string& out) { fs::create_hard_link(in, out); }, true, nullptr},
        {"FIFO", false, [](const std::string&, const std::string& out) { ::mkfifo(out.c_str(), 0600); },
         false, "Fehler bei der Datei: "},
        {"FIFO for the restored file", true,
         [](const std::string&, const std::string& out) { ::mkfifo(out.c_str(), 0600); }, false,
         "Fehler bei der Datei: "},
        {"folder", false, [](const std::string&, const std::string& out) { fs::create_directory(out); },
         false, "Fehler bei der Datei: "},
        // The plain file is a link to its own container: deleting the container would delete the data.
        {"input is a link to the output", false,
         [&](const std::string& in, const std::string& out) {
             fs::rename(in, out);
             fs::create_symlink(out, in);
         },
         false, "Fehler bei der Datei: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir caseDir;
        RecordingWindow w;
        w.password[0] = w.password[1] = w.password[2] = Password;
        w.suffixSelected = false;
        const Bytes plain = RandomBytes(250000, 7);
        const std::string in = caseDir.File(c.decrypt ? "p.txt.rc4" : "p.txt");
        const std::string out = caseDir.File(c.decrypt ? "p.txt" : "p.txt.rc4");
        WriteBytes(in, c.decrypt ? container::MakeContainer(plain, Password) : plain);
        c.prepare(in, out);
        w.list[c.decrypt ? 1 : 0] = {in};
        if (c.decrypt)
            cmdDec_Click(w);
        else
            cmdEnc_Click(w);

        if (c.message) {
            ASSERT_EQ(w.warnings.size(), 1u);
            EXPECT_TRUE(StartsWith(w.warnings[0], c.message)) << w.warnings[0];
        } else {
            EXPECT_TRUE(w.warnings.empty()) << w.warnings[0];
        }
        struct stat st {};
        if (c.written) {
            ASSERT_EQ(::lstat(out.c_str(), &st), 0);
            EXPECT_TRUE(S_ISREG(st.st_mode)) << "the output went through a link";
            EXPECT_EQ(ReadBytes(out), c.decrypt ? plain : container::MakeContainer(plain, Password));
        }
        // The input and everything outside the item are as they were.
        EXPECT_EQ(ReadBytes(in), c.decrypt ? container::MakeContainer(plain, Password) : plain);
        if (fs::exists(elsewhere)) {
            EXPECT_EQ(ReadBytes(elsewhere), foreign);
            EXPECT_EQ(fs::status(elsewhere).permissions(), fs::perms::owner_read);
        } else {
            EXPECT_FALSE(fs::is_symlink(elsewhere));
        }
        EXPECT_FALSE(w.RunningBatch());
        fs::remove(elsewhere);
    }
}
#endif

TEST_F(SharedFiles, AnotherProgramTakingTheNameBetweenDeleteAndCreateWins) {
    const std::string plain = AddPlain("a.txt", 1000);
    const std::string target = plain + ".rc4";
    WriteBytes(target, {1, 2, 3}); // an old container, which the batch deletes
    const Bytes theirs = {'t', 'h', 'e', 'i', 'r', 's'};
    // The other program writes its file the moment the name is free, just before the batch creates it.
    host::faults::BeforeOperation([&](const char* path) {
        if (target == path && !fs::exists(PathFromUtf8(target)))
            WriteBytes(target, theirs);
    });
    cmdEnc_Click(window);
    host::faults::Reset();
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_TRUE(StartsWith(window.warnings[0], "Fehler bei der Datei: a.txt.rc4\r\n")) << window.warnings[0];
    EXPECT_EQ(ReadBytes(target), theirs);
    ExpectIdle();
}

TEST_F(SharedFiles, AFileGrowingWhileItIsEncryptedGivesAContainerThatOpensWhole) {
    // Another program appends to the file while the batch is in its middle (at its third operation on
    // the file): the container holds and describes the bytes that were there when it was opened.
    const std::string plain = AddPlain("log.txt", 2'500'000);
    const Bytes before = ReadBytes(plain);
    int operations = 0;
    host::faults::BeforeOperation([&](const char* path) {
        if (plain == path && ++operations == 3)
            std::ofstream(PathFromUtf8(plain), std::ios::binary | std::ios::app) << "angehängt";
    });
    cmdEnc_Click(window);
    host::faults::Reset();
    EXPECT_TRUE(window.warnings.empty()) << window.warnings[0];
    Bytes restored;
    EXPECT_EQ(container::OpenContainer(ReadBytes(plain + ".rc4"), Password, restored),
              container::OpenResult::Ok);
    EXPECT_EQ(restored, before);
}

TEST_F(SharedFiles, DecryptionRefusesNamesWithoutTheContainerExtension) {
    // Cutting four characters off "ab" would reach across the separator and restore over "su".
    fs::create_directory(PathFromUtf8(dir.File("sub")));
    const char separator = host::PathSeparator();
    const Bytes unrelated = {'u', 'n', 'r', 'e', 'l'};
    for (const std::string& name : {std::string("sub") + separator + "ab", std::string(".rc4")}) {
        SCOPED_TRACE(name);
        RecordingWindow w;
        w.password[2] = Password;
        w.suffixSelected = false;
        WriteBytes(dir.File("su"), unrelated);
        const std::string path = dir.File(name);
        WriteBytes(path, container::MakeContainer(Bytes{1, 2, 3}, Password));
        if (!host::FileExists(path)) // Wine counts names that start with a dot as hidden files
            continue;
        const std::string good = dir.File("good.txt.rc4");
        WriteBytes(good, container::MakeContainer(Bytes{4}, Password));
        w.list[1] = {path, good};
        cmdDec_Click(w);
        ASSERT_EQ(w.warnings.size(), 1u);
        const std::string shown =
            name.substr(name.rfind(separator) == std::string::npos ? 0 : name.rfind(separator) + 1);
        EXPECT_EQ(w.warnings[0],
                  "Datei: " + shown +
                      "\r\nFehler: Für die Entschlüsselung können nur verschlüsselte Dateien mit der "
                      "Erweiterung .rc4 Dateien ausgewählt werden!");
        EXPECT_EQ(ReadBytes(dir.File("su")), unrelated);
        EXPECT_FALSE(Exists("good.txt")) << "the batch ends at the refused file";
        EXPECT_EQ(w.status, "0 %") << "no time text after a refusal";
        EXPECT_FALSE(w.WaitPointer());
    }
}

TEST_F(SharedFiles, ContainersMadeUnderASpacesOnlyPasswordStayRestorable) {
    // Their check text is the salt alone and their bytes are plain; encryption refuses such a password.
    // The password is changed to one during the batch, after a container under another key.
    const Bytes plain = RandomBytes(1000, 5);
    AddContainer("erst.txt.rc4", plain);
    AddContainer("leer.txt.rc4", plain, "   ");
    window.onPump = [&](int) { window.password[2] = " "; };
    cmdDec_Click(window);
    EXPECT_TRUE(window.warnings.empty()) << window.warnings[0];
    EXPECT_EQ(ReadBytes(dir.File("erst-dec.txt")), plain);
    EXPECT_EQ(ReadBytes(dir.File("leer-dec.txt")), plain);
}

} // namespace
