// Bad input through tessarin-cli: every case gets a clear message and an honest exit status, and no
// file is lost that the run was not asked to replace.

#include "cli_runner.h"

#include "core/container.h"

#include <filesystem>
#include <functional>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* Pw = "pw\n";
const Bytes Plain = {'I', 'n', 'h', 'a', 'l', 't'};

const char* const NotAContainer = "wurde nicht mit diesem Programm verschlüsselt oder ist beschädigt!";
const char* const ChecksumError = "-> checksum error!";

Bytes Container() {
    return container::MakeContainer(Plain, "pw");
}

TEST_F(Cli, BadContainersAreRefusedWithoutTouchingAnything) {
    struct Case {
        const char* name;
        std::function<Bytes()> bytes;
        int status;
        const char* message;
        bool restored; // whether a (possibly damaged) restored file is expected
    };
    const Case cases[] = {
        {"empty", [] { return Bytes{}; }, 1, NotAContainer, false},
        {"three",
         [] {
             return Bytes{'r', 'c', '4'};
         },
         1, NotAContainer, false},
        {"thirty",
         [] {
             auto b = Container();
             b.resize(30);
             return b;
         },
         1, NotAContainer, false},
        {"upper-marker",
         [] {
             auto b = Container();
             b[0] = 'R', b[1] = 'C';
             return b;
         },
         1, NotAContainer, false},
        {"pending",
         [] {
             auto b = Container();
             std::fill(b.begin() + 3, b.begin() + 11, '-'); // cut short while it was written
             return b;
         },
         1, NotAContainer, false},
        {"digest",
         [] {
             auto b = Container();
             b[11 + 7] ^= 0x10;
             return b;
         },
         1, "Falsches Passwort!", false},
        {"cipher",
         [] {
             auto b = Container();
             b.back() ^= 0x01;
             return b;
         },
         1, ChecksumError, true},
        {"lowercase-checksum",
         [] {
             auto b = Container();
             for (std::size_t i = 3; i < 11; ++i)
                 b[i] = static_cast<std::uint8_t>(std::tolower(b[i]));
             return b;
         },
         1, ChecksumError, true},
    };
    // Listed behind each container: a refused one ends the batch, which names this one as not processed;
    // a checksum error does not end it.
    const std::string after = dir.File("danach.rc4");
    WriteBytes(after, Container());
    const std::string notProcessed = "Nicht bearbeitet: " + after + "\n";
    for (const Case& c : cases) {
        const std::string path = dir.File(std::string(c.name) + ".rc4");
        const Bytes bytes = c.bytes();
        WriteBytes(path, bytes);
        const std::string original = dir.File(c.name);
        WriteBytes(original, {'a', 'l', 't'}); // what stands under the restored name must survive a refusal

        // verify makes the same checks and pass, with the same verdict, and writes nothing at all.
        const auto before = Listing();
        const Result v = Run({"verify", "--password-stdin", path, after}, Pw);
        EXPECT_EQ(v.status, c.status) << c.name << " (verify): " << v.err;
        EXPECT_NE(v.err.find(c.message), std::string::npos) << c.name << " (verify): " << v.err;
        EXPECT_EQ(v.err.ends_with(notProcessed), !c.restored) << c.name << " (verify): " << v.err;
        EXPECT_EQ(Listing(), before) << c.name << ": verify changed the folder";

        fs::remove(dir.File("danach"));
        const Result r = Run({"decrypt", "--password-stdin", "--original-name", path, after}, Pw);
        EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.name << ": " << r.err;
        EXPECT_EQ(r.err.ends_with(notProcessed), !c.restored) << c.name << ": " << r.err;
        EXPECT_EQ(fs::exists(dir.File("danach")), c.restored) << c.name;
        EXPECT_EQ(ReadBytes(path), bytes) << c.name << ": the container changed";
        // A restoration known to be wrong never replaces the file standing at its name, and says so.
        EXPECT_EQ(ReadBytes(original), (Bytes{'a', 'l', 't'})) << c.name << ": the old file was touched";
        EXPECT_EQ(r.err.find("Die vorhandene Datei dieses Namens bleibt unverändert") != std::string::npos,
                  c.restored)
            << c.name << ": " << r.err;
    }
    // The lowercase checksum field only fails because the field is compared as text.
}

TEST_F(Cli, AHeaderOnlyContainerRestoresAnEmptyFile) {
    const std::string path = dir.File("leer.rc4");
    WriteBytes(path, container::MakeContainer(Bytes{}, "pw"));
    const Result r = Run({"decrypt", "--password-stdin", path}, Pw);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(ReadBytes(dir.File("leer-dec")).empty());
}

TEST_F(Cli, NamesThatAreNoFiles) {
    fs::create_directory(dir.File("ordner"));
    // A name may hold anything but '/' and NUL: printed raw, this one would set the terminal's title.
    const std::string hostile = "fehlt\x1B]0;gehackt\x07\nFalsches Passwort!";
    const Result r =
        Run({"encrypt", "--password-stdin", dir.File("fehlt"), dir.File("ordner"), dir.File(hostile)}, Pw);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(dir.File("fehlt")), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(dir.File("ordner")), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("fehlt\\x1B]0;gehackt\\x07\\nFalsches Passwort!"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\x1B'), std::string::npos) << "a control character reached the terminal";
    EXPECT_FALSE(fs::exists(dir.File("ordner.rc4")));
}

TEST_F(Cli, AnOutputPathThatIsAFolderIsReported) {
    WriteBytes(dir.File("x.txt.rc4"), Container());
    WriteBytes(dir.File("y.txt.rc4"), Container());
    fs::create_directory(dir.File("x-dec.txt"));
    const Result r = Run({"decrypt", "--password-stdin", dir.File("x.txt.rc4"), dir.File("y.txt.rc4")}, Pw);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("Fehler bei der Datei: x-dec.txt\n", 0), 0u) << r.err;
    // The failure ends the batch, and the line behind its message names what it never reached.
    EXPECT_TRUE(r.err.ends_with("\nNicht bearbeitet: " + dir.File("y.txt.rc4") + "\n")) << r.err;
    EXPECT_FALSE(fs::exists(dir.File("y-dec.txt")));
}

TEST_F(Cli, AReadOnlyContainerIsReplaced) {
    WriteBytes(dir.File("r.txt"), Plain);
    WriteBytes(dir.File("r.txt.rc4"), {1, 2, 3});
    fs::permissions(dir.File("r.txt.rc4"), fs::perms::owner_read);
    const Result r = Run({"encrypt", "--password-stdin", dir.File("r.txt")}, Pw);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBytes(dir.File("r.txt.rc4")), Container());
}

TEST_F(Cli, AFolderWithoutWritePermissionIsReported) {
    // Root ignores permissions, so as root the program runs as "nobody" through setpriv.
    std::string prefix;
    if (::geteuid() == 0) {
        if (std::system("command -v setpriv >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "running as root without setpriv: cannot drop the rights this case needs";
        prefix = "setpriv --reuid=nobody --regid=nogroup --clear-groups ";
    }
    fs::permissions(dir.Path(), fs::perms::all, fs::perm_options::add);
    if (!prefix.empty()) {
        // That user may not reach the build (a project in a private home): it runs a copy from here.
        const std::string copy = dir.File("tessarin-cli");
        fs::copy_file(Program(), copy);
        fs::permissions(copy, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
        programCopy = copy;
    }
    const std::string folder = dir.File("schreibgeschuetzt");
    fs::create_directory(folder);
    WriteBytes(folder + "/p.txt", Plain);
    fs::permissions(folder + "/p.txt", fs::perms::all, fs::perm_options::add);
    // An old read-only container there cannot be removed: it must stay as it is, read-only too.
    const std::string old = folder + "/p.txt.rc4";
    WriteBytes(old, {'a', 'l', 't'});
    fs::permissions(old, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);

    const Result r = Run({"encrypt", "--password-stdin", folder + "/p.txt"}, Pw, prefix);
    if (r.status == 2 && r.err.find("setpriv") != std::string::npos)
        GTEST_SKIP() << "setpriv cannot change the user here: " << r.err;
    if (r.err.find("failed to execute") != std::string::npos)
        GTEST_SKIP() << "the unprivileged user cannot run a program from the temporary folder: " << r.err;
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.err, "Fehler beim Schreiben! Mögliche Ursachen:\n"
                     "1. Der aktuelle Ordner befindet sich auf einen schreibgeschützten Datenträger.\n"
                     "2. Sie besitzen nicht die erforderlichen Rechte um in diesen Ordner zu schreiben.\n");
    EXPECT_EQ(ReadBytes(folder + "/p.txt"), Plain);
    EXPECT_EQ(ReadBytes(old), (Bytes{'a', 'l', 't'}));
    EXPECT_EQ(fs::status(old).permissions(),
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

} // namespace
