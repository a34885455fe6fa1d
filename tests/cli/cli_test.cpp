// tessarin-cli end to end: the real program as a subprocess, files in, files, standard error and exit
// status out.

#include "cli_runner.h"

#include "core/container.h"
#include "version.h"

#include <sys/stat.h>

namespace {

TEST_F(Cli, RoundTripIsExact) {
    const std::size_t sizes[] = {0, 1, 2, 4097, 100000, 100001, 3'000'017};
    std::vector<std::string> files;
    for (std::size_t n : sizes) {
        files.push_back(dir.File("f" + std::to_string(n) + ".bin"));
        WriteBytes(files.back(), RandomBytes(n, static_cast<std::uint32_t>(n)));
    }
    const std::string pw = PasswordFile("Kennwort mit Ümlaut\n");
    std::vector<std::string> encrypt = {"encrypt", "--password-file", pw, "-q"};
    encrypt.insert(encrypt.end(), files.begin(), files.end());
    Result r = Run(encrypt);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");

    std::vector<std::string> decrypt = {"decrypt", "--password-stdin", "--"};
    for (const auto& f : files)
        decrypt.push_back(f + ".rc4");
    std::vector<std::string> verify = decrypt;
    verify[0] = "verify";
    const auto before = Listing();
    r = Run(verify, "Kennwort mit Ümlaut\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Listing(), before) << "verify wrote something";

    r = Run(decrypt, "Kennwort mit Ümlaut\r\n");
    ASSERT_EQ(r.status, 0) << r.err;
    for (std::size_t n : sizes) {
        const auto plain = RandomBytes(n, static_cast<std::uint32_t>(n));
        EXPECT_EQ(ReadBytes(dir.File("f" + std::to_string(n) + "-dec.bin")), plain) << n;
        // The same bytes through a pipe, and nothing written beside the container.
        const Result piped = Run(
            {"decrypt", "--stdout", "--password-file", pw, dir.File("f" + std::to_string(n) + ".bin.rc4")});
        EXPECT_EQ(piped.status, 0) << n << ": " << piped.err;
        EXPECT_EQ(std::vector<std::uint8_t>(piped.out.begin(), piped.out.end()), plain) << n;
    }
}

TEST_F(Cli, ContainersFollowTheFormat) {
    const std::string plain = dir.File("a.txt");
    WriteBytes(plain, RandomBytes(250000, 4));
    ASSERT_EQ(Run({"encrypt", "--password-stdin", plain, plain}, " pass \n").status, 0);
    EXPECT_EQ(ReadBytes(plain + ".rc4"), container::MakeContainer(ReadBytes(plain), "pass"));
}

TEST_F(Cli, NamingOptions) {
    const std::string c = dir.File("b.txt.rc4");
    WriteBytes(c, container::MakeContainer(std::vector<std::uint8_t>{1, 2, 3}, "pw"));
    ASSERT_EQ(Run({"decrypt", "--password-stdin", "--suffix", "  _x ", c}, "pw").status, 0);
    EXPECT_EQ(ReadBytes(dir.File("b_x.txt")), (std::vector<std::uint8_t>{1, 2, 3}));
    ASSERT_EQ(Run({"decrypt", "--password-stdin", "--original-name", c}, "pw").status, 0);
    EXPECT_EQ(ReadBytes(dir.File("b.txt")), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST_F(Cli, UsageErrorsExitWith2AndTouchNothing) {
    const std::string plain = dir.File("p");
    WriteBytes(plain, {1});
    const std::string long32(32, 'x');
    const std::string umlauts32 = [] {
        std::string s;
        for (int i = 0; i < 32; ++i)
            s += "ä";
        return s;
    }();
    struct Case {
        std::vector<std::string> arguments;
        std::string input;
    } const cases[] = {
        {{}, ""},
        {{"verschluesseln", plain}, ""},
        {{"encrypt", "--bogus", plain}, ""},
        {{"encrypt", "--password-stdin"}, "pw\n"},
        {{"encrypt", plain}, ""}, // no password source and no terminal
        {{"encrypt", "--password-stdin", plain}, "\n"},
        {{"encrypt", "--password-stdin", plain}, "    \n"},
        {{"encrypt", "--password-stdin", plain}, long32 + "y\n"},
        {{"encrypt", "--password-stdin", plain}, umlauts32 + "ö\n"},
        {{"encrypt", "--password-stdin", "--password-file", plain, plain}, "pw\n"},
        {{"encrypt", "--password-file", dir.File("nicht-da"), plain}, ""},
        {{"encrypt", "--password-file", dir.Path().string(), plain}, ""}, // a folder
        {{"encrypt", "--password-file", "/dev/zero", plain}, ""},         // a first line without end
        // Characters Windows-1252 cannot hold, and bytes that are no UTF-8 (a Latin-1 file), would all
        // become '?' and open each other's containers.
        {{"encrypt", "--password-stdin", plain}, "\xC5\x82\n"},          // "ł"
        {{"decrypt", "--password-stdin", plain + ".rc4"}, "\xD0\x96\n"}, // "Ж"
        {{"encrypt", "--password-stdin", plain}, "\xF0\x9F\x94\x92\n"},  // an emoji
        {{"encrypt", "--password-stdin", plain}, "\xE4\xF6\xFC\n"},      // "äöü" in Latin-1
        {{"decrypt", "--password-stdin", "--suffix", "x/y", plain + ".rc4"}, "pw\n"},
        {{"encrypt", "--suffix", "x", "--password-stdin", plain}, "pw\n"},
        {{"decrypt", "--suffix", "x", "--original-name", "--password-stdin", plain}, "pw\n"},
        {{"decrypt", "--stdout", "--password-stdin", plain, plain + "2"}, "pw\n"},
        {{"decrypt", "--stdout", "--suffix", "x", "--password-stdin", plain}, "pw\n"},
        {{"decrypt", "--stdout", "--original-name", "--password-stdin", plain}, "pw\n"},
        {{"verify", "--original-name", "--password-stdin", plain}, "pw\n"},
    };
    for (const Case& c : cases) {
        const Result r = Run(c.arguments, c.input);
        std::string shown;
        for (const auto& a : c.arguments)
            shown += a + " ";
        EXPECT_EQ(r.status, 2) << shown << r.err;
        EXPECT_NE(r.err, "") << shown;
    }
    EXPECT_FALSE(std::filesystem::exists(plain + ".rc4"));
    EXPECT_NE(Run({"encrypt", "--password-file", dir.Path().string(), plain}).err.find("Ordner"),
              std::string::npos);

    // 32 characters are the most the window takes, umlauts included.
    EXPECT_EQ(Run({"encrypt", "--password-stdin", plain}, umlauts32 + "\n").status, 0);
    EXPECT_EQ(Run({"encrypt", "--password-stdin", plain}, long32).status, 0);
}

TEST_F(Cli, PasswordSourcesFromOtherEditorsAndSystems) {
    // Each source must give the password the container was made with.
    const std::vector<std::uint8_t> plain = {5, 6, 7};
    struct Case {
        const char* name;
        std::string made, source;
    } const cases[] = {
        {"byte-order mark", "pw", "\xEF\xBB\xBFpw\r\n"},
        {"umlauts in UTF-8 with a mark", "äöü", "\xEF\xBB\xBF\xC3\xA4\xC3\xB6\xC3\xBC"},
        // Encryption refuses such a password, but containers made with one elsewhere must open.
        {"spaces only", "   ", "  \n"},
    };
    for (const Case& c : cases) {
        const std::string container = dir.File(std::string(c.name) + ".rc4");
        WriteBytes(container, container::MakeContainer(plain, c.made));
        const Result r = Run({"decrypt", "--password-file", PasswordFile(c.source), container});
        EXPECT_EQ(r.status, 0) << c.name << ": " << r.err;
        EXPECT_EQ(ReadBytes(dir.File(std::string(c.name) + "-dec")), plain) << c.name;
    }
}

TEST_F(Cli, ACorruptContainerThroughAPipeIsReportedAfterItsBytes) {
    const std::vector<std::uint8_t> plain = RandomBytes(250000, 8);
    auto bytes = container::MakeContainer(plain, "pw");
    bytes[31 + 200000] ^= 0x40;
    const std::string c = dir.File("c.bin.rc4");
    WriteBytes(c, bytes);
    const Result r = Run({"decrypt", "--stdout", "--password-stdin", c}, "pw\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.size(), plain.size()) << "every byte reaches the pipe before the verdict";
    EXPECT_NE(r.err.find("Datei:  c.bin.rc4   -> checksum error!"), std::string::npos) << r.err;
    // A wrong password writes no byte at all.
    const Result wrong = Run({"decrypt", "--stdout", "--password-stdin", c}, "falsch\n");
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.out, "");
    // Never onto a terminal: script gives the program one as its standard output, where script is at
    // hand and a pseudo-terminal can be made (a container or chroot may have no /dev/pts).
    if (std::system("command -v script >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "script is missing: the pipe was checked, the refusal of a terminal is left out";
    if (!PseudoTerminalAvailable())
        GTEST_SKIP() << "no pseudo-terminal can be made here (no /dev/pts): the pipe was checked, the "
                        "refusal of a terminal is left out";
    const std::string inner =
        Program() + " decrypt --stdout --password-file " + PasswordFile("pw\n") + " " + c;
    const std::string shown = dir.File(".tty");
    const int raw = std::system(
        ("script -qec " + Quote(inner) + " /dev/null </dev/null >" + Quote(shown) + " 2>&1").c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 2);
    EXPECT_NE(ReadText(shown).find("die Standardausgabe ist ein Terminal"), std::string::npos)
        << ReadText(shown);
}

TEST_F(Cli, AStopRequestAtThePasswordPromptGivesTheTerminalItsEchoBack) {
    if (!PseudoTerminalAvailable())
        GTEST_SKIP() << "no pseudo-terminal can be made here (no /dev/pts): the prompt cannot be driven";
    const std::string plain = dir.File("p.txt");
    WriteBytes(plain, {1, 2, 3});
    struct Case {
        const char* name;
        bool atRepetition; // at the second prompt of encryption
        int signal;
        bool typed; // Ctrl+C on the terminal; else the signal sent by another program
    } const cases[] = {
        {"Ctrl+C", false, SIGINT, true},
        {"Ctrl+C at the repetition", true, SIGINT, true},
        {"SIGTERM", false, SIGTERM, false},
        {"SIGHUP", false, SIGHUP, false},
    };
    for (const Case& c : cases) {
        TerminalRun run(Program(), {"encrypt", plain});
        ASSERT_TRUE(run.Started()) << c.name;
        ASSERT_TRUE(run.WaitFor("Passwort: ")) << c.name << ": " << run.Shown();
        if (c.atRepetition) {
            run.Type("geheim\n");
            ASSERT_TRUE(run.WaitFor("Wiederholung: ")) << c.name << ": " << run.Shown();
        }
        ASSERT_EQ(run.Settings().c_lflag & ECHO, 0u) << c.name << ": the prompt shows what is typed";
        run.Type("geh"); // half a password
        if (c.typed)
            run.Type("\x03");
        else
            ::kill(run.Pid(), c.signal);
        const int status = run.WaitForEnd();
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal)
            << c.name << ": wait status " << status;
        EXPECT_NE(run.Settings().c_lflag & ECHO, 0u) << c.name << ": the terminal was left without echo";
        EXPECT_FALSE(std::filesystem::exists(plain + ".rc4")) << c.name;
    }
}

TEST_F(Cli, AStopRequestDuringTheWorkEndsTheRunThroughItsFailurePath) {
    if (!PseudoTerminalAvailable())
        GTEST_SKIP() << "no pseudo-terminal can be made here (no /dev/pts): the run cannot be held";
    const std::string pw = PasswordFile("pw\n");
    struct Case {
        const char* name;
        std::size_t firstSize;
        int signal;
        std::string message;
    } const cases[] = {
        // The first file has 25 blocks: the request comes after its first.
        {"SIGINT in a file", 2'500'000, SIGINT,
         "Fehler bei der Datei: erste.bin\nAbgebrochen mit Strg+C (SIGINT), bevor die Datei fertig war\n"},
        {"SIGTERM in a file", 2'500'000, SIGTERM,
         "Fehler bei der Datei: erste.bin\nBeendet durch das Signal SIGTERM, bevor die Datei fertig war\n"},
        {"SIGHUP in a file", 2'500'000, SIGHUP,
         "Fehler bei der Datei: erste.bin\nBeendet durch das Signal SIGHUP, bevor die Datei fertig war\n"},
        // The first file has one block: the request comes as it ends, the second file is not begun.
        {"SIGINT between files", 1000, SIGINT, "\nAbgebrochen mit Strg+C (SIGINT)\n"},
    };
    for (const Case& c : cases) {
        const std::string first = dir.File("erste.bin"), second = dir.File("zweite.bin");
        const auto plain = RandomBytes(c.firstSize, 11);
        WriteBytes(first, plain);
        WriteBytes(second, {1, 2});
        std::filesystem::remove(first + ".rc4");
        std::filesystem::remove(second + ".rc4");
        // The program's first progress line, after the first block, waits until the request is sent.
        TerminalRun run(Program(), {"encrypt", "--password-file", pw, first, second}, true);
        ASSERT_TRUE(run.Started()) << c.name;
        // The container is written under a temporary name until it is complete.
        const auto writing = [&] {
            for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
                if (entry.path().filename().string().starts_with("erste.bin.rc4.tessarin-"))
                    return true;
            return false;
        };
        ASSERT_TRUE(run.WaitUntil(writing)) << c.name << ": " << run.Shown();
        ::kill(run.Pid(), c.signal);
        run.SetOutputFlowing(true);
        const int status = run.WaitForEnd();
        // As uncaught: the shell reports 128 + the signal's number, and a script's loop stops with it.
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal)
            << c.name << ": wait status " << status;
        EXPECT_NE(run.Shown().find(c.message + "Nicht bearbeitet: " + second + "\n"), std::string::npos)
            << c.name << ": " << run.Shown();
        EXPECT_FALSE(std::filesystem::exists(second + ".rc4")) << c.name;

        EXPECT_FALSE(writing()) << c.name << ": the temporary file was left";
        if (c.firstSize <= container::BlockSize) {
            EXPECT_EQ(ReadBytes(first + ".rc4"), container::MakeContainer(plain, "pw"))
                << c.name << ": the file done before the request";
            continue;
        }
        // Cut short: no container at all, rather than one that cannot be opened.
        EXPECT_FALSE(std::filesystem::exists(first + ".rc4")) << c.name;
    }
}

TEST_F(Cli, AFileSizeLimitIsAFailureWithItsReason) {
    // Past the limit (ulimit -f, in blocks of 1024 bytes) the write fails and is reported, instead of the
    // signal ending the program without a word; nothing is left of the container.
    const std::string big = dir.File("gross.bin");
    WriteBytes(big, RandomBytes(300'000, 5));
    const std::string err = dir.File(".err");
    const std::string command = "ulimit -f 100; " + Quote(Program()) + " encrypt --password-file " +
                                Quote(PasswordFile("pw\n")) + " " + Quote(big) + " 2>" + Quote(err);
    const int raw = std::system(("bash -c " + Quote(command)).c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 1) << ReadText(err);
    EXPECT_NE(ReadText(err).find("Fehler bei der Datei: gross.bin.rc4\nDie Datei ist zu groß\n"),
              std::string::npos)
        << ReadText(err);
    std::size_t names = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++names;
    EXPECT_FALSE(std::filesystem::exists(big + ".rc4"));
    EXPECT_EQ(names, 3u) << "the file, the password file and the messages, nothing else";
}

TEST_F(Cli, StandardOutputThatCannotTakeTheBytesIsReported) {
    const std::vector<std::uint8_t> plain = RandomBytes(250000, 9);
    const std::string c = dir.File("c.bin.rc4");
    const auto bytes = container::MakeContainer(plain, "pw");
    WriteBytes(c, bytes);
    const std::string pw = PasswordFile("pw\n");
    const std::string err = dir.File(".err");
    struct Case {
        const char* name;
        std::string redirect; // where standard output goes, as the shell is told
        const char* message;
    };
    const Case cases[] = {
        // Appending to the container it reads would damage it for good, as cat refuses to.
        {"the container itself", ">> " + Quote(c),
         "Fehler bei der Datei: c.bin.rc4\nDie Standardausgabe ist der Container selbst; er würde durch "
         "seinen "
         "eigenen Inhalt beschädigt.\n"},
        // A reader that stops early (with SIGPIPE ignored, as some shells and services leave it).
        {"a pipe closed by its reader", "| head -c 10 >/dev/null",
         "Fehler bei der Datei: Standardausgabe\nDas lesende Programm hat die Pipe geschlossen\n"},
    };
    for (const Case& x : cases) {
        const std::string command = "trap '' PIPE; set -o pipefail; setsid " + Quote(Program()) +
                                    " decrypt --stdout --password-file " + Quote(pw) + " " + Quote(c) +
                                    " 2>" + Quote(err) + " " + x.redirect;
        const int raw = std::system(("bash -c " + Quote(command)).c_str());
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 1) << x.name;
        EXPECT_EQ(ReadText(err), x.message) << x.name;
        EXPECT_EQ(ReadBytes(c), bytes) << x.name;
    }
}

TEST_F(Cli, HelpAndVersion) {
    Result r = Run({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string("tessarin-cli ") + version::Text + "\n"); // as the project() line names it
    r = Run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("tessarin-cli encrypt"), std::string::npos);
}

TEST_F(Cli, WarningsGoToStandardErrorAndExitWith1) {
    const std::string good = dir.File("good");
    WriteBytes(good, {7, 7});
    Result r = Run({"encrypt", "--password-stdin", dir.File("missing"), good}, "pw\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(dir.File("missing")), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::exists(good + ".rc4")) << "the other files are still processed";

    // A refused container ends the batch; the line behind its message names the rest as listed, escaped.
    r = Run({"decrypt", "--password-stdin", good + ".rc4", dir.File("neue\nZeile.rc4"), dir.File("rest.rc4")},
            "falsch\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Falsches Passwort!\nNicht bearbeitet: " + dir.File("neue\\nZeile.rc4") + ", " +
                         dir.File("rest.rc4") + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("good-dec")));

    const std::string foreign = dir.File("foreign.rc4");
    WriteBytes(foreign, {'R', 'C', '4'});
    r = Run({"decrypt", "--password-stdin", foreign}, "pw\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(
        r.err,
        "Die Datei: \nforeign.rc4\nwurde nicht mit diesem Programm verschlüsselt oder ist beschädigt!\n");
}

} // namespace
