// The batches in a shared file system: what stands at an output's name (links, FIFOs, devices, folders,
// the input itself), another program taking the name meanwhile, and names that are no container's.
// Nothing the user did not ask to replace may be lost or changed, and nothing may hang.

#include "batch_fixture.h"

#include "host/fault_injection.h"
#include "host/files.h"
#include "host/system_reasons.h"

#include <functional>
#include <map>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

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
             SetPermissions(elsewhere, 0400);
             MakeLink(elsewhere, out);
         },
         true, nullptr},
        {"dangling link", false,
         [&](const std::string&, const std::string& out) { MakeLink(elsewhere, out); }, true, nullptr},
        {"link to /dev/null", true,
         [](const std::string&, const std::string& out) { MakeLink("/dev/null", out); }, true, nullptr},
        {"link to the input", false, [](const std::string& in, const std::string& out) { MakeLink(in, out); },
         true, nullptr},
        {"hard link of the input", false,
         [](const std::string& in, const std::string& out) { MakeHardLink(in, out); }, true, nullptr},
        {"FIFO", false, [](const std::string&, const std::string& out) { MakeFifo(out); }, false,
         "Fehler bei der Datei: "},
        {"FIFO for the restored file", true,
         [](const std::string&, const std::string& out) { MakeFifo(out); }, false, "Fehler bei der Datei: "},
        {"folder", false, [](const std::string&, const std::string& out) { MakeFolder(out); }, false,
         "Fehler bei der Datei: "},
        // The plain file is a link to its own container: deleting the container would delete the data.
        {"input is a link to the output", false,
         [&](const std::string& in, const std::string& out) {
             Rename(in, out);
             MakeLink(out, in);
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
        if (c.written) {
            ASSERT_TRUE(Exists(out) || IsLink(out));
            EXPECT_TRUE(IsFile(out) && !IsLink(out)) << "the output went through a link";
            EXPECT_EQ(ReadBytes(out), c.decrypt ? plain : container::MakeContainer(plain, Password));
        }
        // The input and everything outside the item are as they were.
        EXPECT_EQ(ReadBytes(in), c.decrypt ? container::MakeContainer(plain, Password) : plain);
        if (Exists(elsewhere)) {
            EXPECT_EQ(ReadBytes(elsewhere), foreign);
            EXPECT_EQ(Permissions(elsewhere), 0400u);
        } else {
            EXPECT_FALSE(IsLink(elsewhere));
        }
        EXPECT_FALSE(w.RunningBatch());
        Remove(elsewhere);
    }
}
#endif

TEST_F(SharedFiles, NothingTheBatchWasGivenOrWroteIsReplaced) {
    const Bytes theirs = {'e', 'i', 'g', 'e', 'n'};
    struct Case {
        const char* name;
        bool decrypt;
        // Lays out the folder and returns the list; the files named in kept must come through unchanged.
        std::function<std::vector<std::string>(const TempDir& d, std::vector<std::string>& kept)> prepare;
        const char* message; // the start of the one warning
    };
    const Case cases[] = {
        // The list is sorted, so the plain file comes first and would clear its container's name.
        {"a file and a file of its container's name", false,
         [&](const TempDir& d, std::vector<std::string>& kept) {
             WriteBytes(d.File("x"), theirs);
             WriteBytes(d.File("x.rc4"), theirs);
             kept = {d.File("x"), d.File("x.rc4")};
             return kept;
         },
         "Fehler bei der Datei: x.rc4\r\nDie Datei steht selbst in der Liste"},
#ifndef _WIN32
        {"the container's name reached through another listed name", false,
         [&](const TempDir& d, std::vector<std::string>& kept) {
             WriteBytes(d.File("x"), theirs);
             WriteBytes(d.File("x.rc4"), theirs);
             MakeLink("x.rc4", d.File("y"));
             kept = {d.File("x"), d.File("x.rc4")};
             return std::vector<std::string>{d.File("x"), d.File("y")};
         },
         "Fehler bei der Datei: x.rc4\r\nDie Datei steht selbst in der Liste"},
        {"two containers restoring to one name through a linked folder", true,
         [&](const TempDir& d, std::vector<std::string>& kept) {
             WriteBytes(d.File("a.rc4"), container::MakeContainer(theirs, Password));
             MakeLink(Utf8FromPath(d.Path()), d.File("auch"));
             kept = {d.File("a.rc4")};
             return std::vector<std::string>{d.File("a.rc4"), d.File("auch/a.rc4")};
         },
         "Fehler bei der Datei: a-dec\r\nDie Datei wurde in diesem Durchgang schon geschrieben"},
#endif
        {"two containers restoring to one name by letter case", true,
         [&](const TempDir& d, std::vector<std::string>& kept) {
             WriteBytes(d.File("a.rc4"), container::MakeContainer(theirs, Password));
             if (!Exists(d.File("a.RC4"))) // one name on Windows
                 WriteBytes(d.File("a.RC4"), container::MakeContainer(Bytes{1, 2}, Password));
             kept = {d.File("a.rc4"), d.File("a.RC4")};
             return kept;
         },
         "Fehler bei der Datei: a-dec\r\nDie Datei wurde in diesem Durchgang schon geschrieben"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir d;
        RecordingWindow w;
        w.password[0] = w.password[1] = w.password[2] = Password;
        std::vector<std::string> kept;
        w.list[c.decrypt ? 1 : 0] = c.prepare(d, kept);
        std::vector<Bytes> before;
        for (const std::string& file : kept)
            before.push_back(ReadBytes(file));
        if (c.decrypt)
            cmdDec_Click(w);
        else
            cmdEnc_Click(w);
        ASSERT_EQ(w.warnings.size(), 1u);
        EXPECT_TRUE(StartsWith(w.warnings[0], c.message)) << w.warnings[0];
        for (std::size_t i = 0; i < kept.size(); ++i)
            EXPECT_EQ(ReadBytes(kept[i]), before[i]) << kept[i];
        // The first restore stays as it was written.
        if (c.decrypt) {
            EXPECT_EQ(ReadBytes(d.File("a-dec")), theirs);
        }
        EXPECT_FALSE(w.RunningBatch());
    }
}

TEST_F(SharedFiles, TheOldContainerGoesOnlyWhenItsReplacementCanBeMade) {
    const std::string plain = AddPlain("a.txt", 1000);
    const std::string old = plain + ".rc4";
    const Bytes oldBytes = {'a', 'l', 't'};
    struct Case {
        const char* name;
        std::function<bool(const std::string& path, host::faults::Operation operation)> fails; // when to fail
    };
    using host::faults::Operation;
    const Case cases[] = {
        // The plain file cannot be opened (unreadable, or gone): the old container stays.
        {"plain file unreadable",
         [&](const std::string& path, Operation operation) {
             return path == plain && operation == Operation::OpenInput;
         }},
        // The folder is write-protected: nothing can be created in it, and the old container stays.
        {"creating refused",
         [&](const std::string& path, Operation operation) {
             return path == old && operation == Operation::CreateOutput;
         }},
        // The new container cannot take the name: the old one stays, unchanged.
        {"rename refused",
         [&](const std::string& path, Operation operation) {
             return path == old && operation == Operation::Rename;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(old, oldBytes);
        SetPermissions(old, 0400);
        host::faults::BeforeOperation([&](const char* path) {
            if (c.fails(path, host::faults::CurrentOperation()))
                throw host::FileError(host::FileErrorKind::AccessRefused, path, "Zugriff verweigert");
        });
        window.warnings.clear();
        cmdEnc_Click(window);
        host::faults::Reset();
        ASSERT_EQ(window.warnings.size(), 1u);
        EXPECT_EQ(ReadBytes(old), oldBytes);
#ifndef _WIN32
        EXPECT_EQ(Permissions(old), 0400u);
#endif
        SetPermissions(old, Permissions(old) | 0200);
        Remove(old);
    }
}

#ifndef _WIN32
TEST_F(SharedFiles, OutputsAreNoMoreReadableThanTheirSource) {
    const ::mode_t umask = ::umask(022);
    struct Case {
        std::uint32_t source, container, restored;
    };
    const Case cases[] = {
        {0600, 0600, 0600},
        {04744, 0744, 0744}, // never a set-id bit
        // The umask still takes away what it takes from every new file.
        {0777, 0755, 0755},
    };
    for (const Case& c : cases) {
        TempDir d;
        RecordingWindow w;
        w.password[0] = w.password[1] = w.password[2] = Password;
        const std::string plain = d.File("p.txt");
        WriteBytes(plain, {1, 2, 3});
        SetPermissions(plain, c.source);
        w.list[0] = {plain};
        cmdEnc_Click(w);
        w.list[1] = {plain + ".rc4"};
        cmdDec_Click(w);
        EXPECT_TRUE(w.warnings.empty()) << w.warnings[0];
        EXPECT_EQ(Permissions(plain + ".rc4"), c.container);
        EXPECT_EQ(Permissions(d.File("p-dec.txt")), c.restored);
    }
    ::umask(umask);
}

TEST_F(SharedFiles, AFolderSwappedForALinkAtAnyMomentCannotRedirectTheOutput) {
    // Another user replaces the folder by a link to one of theirs at any file operation of the batch (as
    // root might run it): the input is read and the output written in one and the same folder. Before the
    // batch opens the folder, the path leads into theirs, and the batch works there as a whole; after, it
    // works in the folder first opened.
    for (const bool encrypt : {true, false}) {
        for (int k = 1;; ++k) {
            const std::string context = (encrypt ? "encrypt" : "decrypt") +
                                        std::string(", swapped at operation ") + std::to_string(k);
            TempDir d;
            const std::string folder = d.File("ordner");
            const std::string moved = d.File("ordner-alt");
            const std::string victim = d.File("fremd");
            // Each folder's plain file and container, which do not match: an output made there replaces one.
            struct Content {
                std::string path;
                Bytes plain, sealed;
            };
            const Content contents[] = {
                {folder, {1, 2, 3}, container::MakeContainer(Bytes{4, 5, 6}, Password)},
                {victim, {7, 8}, container::MakeContainer(Bytes{9}, Password)}};
            for (const Content& c : contents) {
                MakeFolder(c.path);
                WriteBytes(c.path + "/p.txt", c.plain);
                WriteBytes(c.path + "/p.txt.rc4", c.sealed);
            }
            RecordingWindow w;
            w.password[0] = w.password[1] = w.password[2] = Password;
            w.suffixSelected = false;
            w.list[0] = {folder + "/p.txt"};
            w.list[1] = {folder + "/p.txt.rc4"};
            int operations = 0;
            host::faults::BeforeOperation([&](const char*) {
                if (++operations == k) {
                    Rename(folder, moved);
                    MakeLink(victim, folder);
                }
            });
            encrypt ? cmdEnc_Click(w) : cmdDec_Click(w);
            host::faults::Reset();
            int changed = 0;
            for (const Content& c : contents) {
                const std::string at = c.path == folder && Exists(moved) ? moved : c.path;
                const Bytes plain = ReadBytes(at + "/p.txt"), sealed = ReadBytes(at + "/p.txt.rc4");
                const bool asBefore = plain == c.plain && sealed == c.sealed;
                // What changed is an output made from the input beside it.
                const bool madeHere =
                    encrypt ? plain == c.plain && sealed == container::MakeContainer(c.plain, Password)
                            : sealed == c.sealed && container::MakeContainer(plain, Password) == c.sealed;
                EXPECT_TRUE(asBefore || madeHere) << context << ": " << at;
                changed += asBefore ? 0 : 1;
                EXPECT_EQ(Names(at).size(), 2u) << context << ": " << at;
            }
            EXPECT_LE(changed, 1) << context;
            if (operations < k)
                break; // the batch ended before the swap: every moment was tried
        }
    }
}
#endif

TEST_F(SharedFiles, AnOldContainerStaysWholeUntilTheNewOneTakesItsName) {
    const std::string plain = AddPlain("a.txt", 300'000);
    const std::string target = plain + ".rc4";
    const Bytes old = {1, 2, 3};
    WriteBytes(target, old);
    // At every operation on the container's name, up to the rename, the old container is all there is.
    int operations = 0;
    bool renamed = false;
    host::faults::BeforeOperation([&](const char* path) {
        if (target == path && !renamed) {
            ++operations;
            EXPECT_EQ(ReadBytes(target), old) << "operation " << operations;
            renamed = host::faults::CurrentOperation() == host::faults::Operation::Rename;
        }
    });
    cmdEnc_Click(window);
    host::faults::Reset();
    EXPECT_TRUE(window.warnings.empty()) << window.warnings[0];
    EXPECT_EQ(ReadBytes(target), container::MakeContainer(ReadBytes(plain), Password));
    EXPECT_EQ(Names(dir.File("")).size(), 2u) << "a temporary file was left";
}

TEST_F(SharedFiles, AnotherProgramTakingAFreeNameBeforeTheRenameWins) {
    const std::string plain = AddPlain("a.txt", 1000);
    const std::string target = plain + ".rc4";
    const Bytes theirs = {'t', 'h', 'e', 'i', 'r', 's'};
    // The other program writes its file at the name just before the batch renames its container there.
    host::faults::BeforeOperation([&](const char* path) {
        if (target == path && host::faults::CurrentOperation() == host::faults::Operation::Rename)
            WriteBytes(target, theirs);
    });
    cmdEnc_Click(window);
    host::faults::Reset();
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_TRUE(StartsWith(window.warnings[0], "Fehler bei der Datei: a.txt.rc4\r\n")) << window.warnings[0];
    EXPECT_EQ(ReadBytes(target), theirs);
    ExpectIdle();
}

#ifndef _WIN32
// (On Windows the reader shares no writing: another program cannot append meanwhile.)
TEST_F(SharedFiles, AFileGrowingWhileItIsEncryptedIsRefusedAndLeavesTheOldContainer) {
    // Another program appends to the file while the batch reads it (before its second read): the
    // container would hold neither the old nor the new content.
    const std::string plain = AddPlain("log.txt", 2'500'000);
    const Bytes old = {1, 2, 3};
    WriteBytes(plain + ".rc4", old);
    int reads = 0;
    host::faults::BeforeOperation([&](const char* path) {
        if (plain == path && host::faults::CurrentOperation() == host::faults::Operation::Read &&
            ++reads == 2) {
            Bytes grown = ReadBytes(plain);
            const std::string appended = "angehängt";
            grown.insert(grown.end(), appended.begin(), appended.end());
            WriteBytes(plain, grown);
        }
    });
    cmdEnc_Click(window);
    host::faults::Reset();
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0],
              std::string("Fehler bei der Datei: log.txt\r\n") + host::reasons::ChangedWhileRead);
    EXPECT_EQ(ReadBytes(plain + ".rc4"), old);
    ExpectIdle();
}
#endif

TEST_F(SharedFiles, DecryptionRefusesNamesWithoutTheContainerExtension) {
    // Cutting four characters off "ab" would reach across the separator and restore over "su".
    MakeFolder(dir.File("sub"));
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
