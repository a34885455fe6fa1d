#include "batch_fixture.h"

#include "core/batch_texts.h"
#include "host/fault_injection.h"

#include <regex>

namespace {

using Decrypt = BatchTest;

const std::string NotAContainer(const std::string& name) {
    return "Die Datei: \r\n" + name +
           "\r\nwurde nicht mit diesem Programm verschlüsselt oder ist beschädigt!";
}

TEST_F(Decrypt, InputChecksComeInOrderAndChangeNothing) {
    struct Case {
        bool listed;
        std::string password, message;
        std::string suffix = "-dec";
        bool focus = true;
    };
    const Case cases[] = {
        {false, "", "Bitte eine zu entschlüsselnde Dateien auswählen !", "-dec", false},
        {true, "", "Bitte das Passwort eingeben !"},
        {true, "\xF0\x9F\x94\x92", texts::PasswordOutsideCodePage},
        {true, std::string(33, 'x'), texts::PasswordTooLong},
        // A separator would move the restored file into another folder, on either system.
        {true, "pw", std::string(texts::SuffixWithSeparator) + "/../x", " /../x ", false},
        {true, "pw", std::string(texts::SuffixWithSeparator) + "a\\b", "a\\b", false},
    };
    for (const Case& c : cases) {
        RecordingWindow w;
        if (c.listed)
            w.list[1] = {dir.File("x.rc4")};
        WriteBytes(dir.File("x.rc4"), container::MakeContainer(std::vector<std::uint8_t>{1}, "pw"));
        w.password[2] = c.password;
        w.suffix = c.suffix;
        cmdDec_Click(w);
        ASSERT_EQ(w.warnings.size(), 1u);
        EXPECT_EQ(w.warnings[0], c.message);
        EXPECT_EQ(w.focused, c.focus ? 2 : -1);
        EXPECT_FALSE(Exists("x-dec")) << c.message;
        EXPECT_FALSE(w.statusVisible);
    }
}

TEST_F(Decrypt, RestoresEveryByteUnderTheChosenName) {
    struct Case {
        std::string container;
        bool suffixSelected;
        std::string suffix, restored;
    };
    const Case cases[] = {
        {"sample.txt.rc4", true, "-dec", "sample-dec.txt"},
        {"sample2.txt.rc4", false, "-dec", "sample2.txt"},
        {"upper.txt.RC4", false, "-dec", "upper.txt"},
        {"README.rc4", true, "-dec", "README-dec"},
        {"spaced.txt.rc4", true, "  _neu ", "spaced_neu.txt"},
        {"empty.txt.rc4", true, "", "empty.txt"},
        {"archiv.tar.gz.rc4", true, "-dec", "archiv.tar-dec.gz"},
    };
    for (const Case& c : cases) {
        RecordingWindow w;
        w.password[2] = Password;
        w.suffixSelected = c.suffixSelected;
        w.suffix = c.suffix;
        const auto plain = RandomBytes(123457, 7);
        WriteBytes(dir.File(c.container), container::MakeContainer(plain, Password));
        w.list[1] = {dir.File(c.container)};
        cmdDec_Click(w);
        EXPECT_TRUE(w.warnings.empty()) << c.container;
        ASSERT_TRUE(Exists(c.restored)) << c.container;
        EXPECT_EQ(ReadBytes(dir.File(c.restored)), plain) << c.container;
        EXPECT_TRUE(std::regex_match(w.status, std::regex(R"(.*100 % , DecryptTime: [0-9.]+ ms)")))
            << w.status;
    }
}

TEST_F(Decrypt, RoundTripAtBlockBoundaries) {
    const std::size_t sizes[] = {0, 1, 2, 4097, 4098, 8193, 100000, 100001, 250000};
    for (std::size_t n : sizes) {
        AddPlain("p" + std::to_string(n), n, static_cast<std::uint32_t>(n) + 3);
        window.list[1].push_back(dir.File("p" + std::to_string(n) + ".rc4"));
    }
    cmdEnc_Click(window);
    cmdDec_Click(window);
    EXPECT_TRUE(window.warnings.empty());
    for (std::size_t n : sizes)
        EXPECT_EQ(ReadBytes(dir.File("p" + std::to_string(n) + "-dec")),
                  RandomBytes(n, static_cast<std::uint32_t>(n) + 3))
            << n;
}

TEST_F(Decrypt, ForeignFileStopsTheBatchBeforeAnythingIsTouched) {
    WriteBytes(dir.File("foreign.rc4"), std::vector<std::uint8_t>(100, 'x'));
    window.list[1].push_back(dir.File("foreign.rc4"));
    AddContainer("good.rc4", {1, 2, 3});
    cmdDec_Click(window);
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0], NotAContainer("foreign.rc4"));
    EXPECT_FALSE(Exists("foreign-dec"));
    EXPECT_FALSE(Exists("good-dec")) << "the batch ends at the first refused container";
    EXPECT_EQ(window.status.find("DecryptTime"), std::string::npos);
    ExpectIdle();
}

TEST_F(Decrypt, ContainersShorterThanTheHeaderAreRefusedAsForeign) {
    for (std::size_t n : {0, 3, 30}) {
        RecordingWindow w;
        w.password[2] = Password;
        w.suffixSelected = false;
        auto bytes = container::MakeContainer({}, Password); // a valid 31-byte header, cut short
        bytes.resize(n);
        const std::string name = "short" + std::to_string(n);
        WriteBytes(dir.File(name + ".rc4"), bytes);
        WriteBytes(dir.File(name), {42}); // a file of the restored name must survive
        w.list[1] = {dir.File(name + ".rc4")};
        cmdDec_Click(w);
        ASSERT_EQ(w.warnings.size(), 1u) << n;
        EXPECT_EQ(w.warnings[0], NotAContainer(name + ".rc4"));
        EXPECT_EQ(ReadBytes(dir.File(name)), std::vector<std::uint8_t>{42});
        EXPECT_FALSE(w.WaitPointer());
    }
}

TEST_F(Decrypt, WrongPasswordOnTheSecondStopsThereAndKeepsTheOriginal) {
    window.suffixSelected = false;
    AddContainer("one.rc4", {1});
    AddContainer("two.rc4", {2, 2}, "anderes Passwort");
    AddContainer("three.rc4", {3, 3, 3});
    WriteBytes(dir.File("two"), {9, 9}); // the plain file the container was once made from
    cmdDec_Click(window);
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0], "Falsches Passwort!");
    EXPECT_EQ(ReadBytes(dir.File("one")), std::vector<std::uint8_t>{1});
    EXPECT_EQ(ReadBytes(dir.File("two")), (std::vector<std::uint8_t>{9, 9}));
    EXPECT_FALSE(Exists("three"));
    EXPECT_EQ(window.status.find("DecryptTime"), std::string::npos);
    ExpectIdle();
}

TEST_F(Decrypt, PasswordWithSurroundingSpacesOpensTheContainer) {
    AddContainer("s.rc4", {5, 6, 7}, "pass");
    window.password[2] = "  pass ";
    cmdDec_Click(window);
    EXPECT_TRUE(window.warnings.empty());
    EXPECT_EQ(ReadBytes(dir.File("s-dec")), (std::vector<std::uint8_t>{5, 6, 7}));
}

TEST_F(Decrypt, ChecksumErrorIsReportedPerFileAndTheBatchGoesOn) {
    const std::string tampered = AddContainer("t.txt.rc4", RandomBytes(5000, 1));
    auto bytes = ReadBytes(tampered);
    bytes[31 + 2500] ^= 0x01;
    WriteBytes(tampered, bytes);
    AddContainer("u.txt.rc4", {4, 5});
    cmdDec_Click(window);
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0],
              "Datei:  t-dec.txt   -> checksum error!\r\nDie crc32 Checksumme der entschlüsselten "
              "Datei stimmt nicht mit der Checksumme der Originaldatei überein!");
    EXPECT_EQ(ReadBytes(dir.File("t-dec.txt")).size(), 5000u) << "the restored file stays";
    EXPECT_EQ(ReadBytes(dir.File("u-dec.txt")), (std::vector<std::uint8_t>{4, 5}));
    EXPECT_NE(window.status.find("DecryptTime"), std::string::npos);
}

TEST_F(Decrypt, CancelFinishesTheContainerInWork) {
    AddContainer("a.rc4", RandomBytes(300000, 2));
    AddContainer("b.rc4", {1});
    window.onPump = [&](int n) {
        if (n == 1) {
            EXPECT_EQ(window.caption[1], "Abbrechen");
            cmdDec_Click(window);
        }
    };
    cmdDec_Click(window);
    EXPECT_EQ(ReadBytes(dir.File("a-dec")), RandomBytes(300000, 2));
    EXPECT_FALSE(Exists("b-dec"));
    EXPECT_NE(window.status.find("DecryptTime"), std::string::npos);
    ExpectIdle();
}

TEST_F(Decrypt, ASuffixThatNamesTheContainerItselfNeverDestroysIt) {
    const std::string path = AddContainer("a.rc4", {1, 2, 3});
    const auto before = ReadBytes(path);
    window.suffix = ".rc4"; // "a" + ".rc4" + "" is the container's own name
    cmdDec_Click(window);
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0].rfind("Fehler bei der Datei: a.rc4\r\n", 0), 0u) << window.warnings[0];
    EXPECT_EQ(ReadBytes(path), before);
    ExpectIdle();
}

TEST_F(Decrypt, OutputFolderInTheWayIsReported) {
    AddContainer("x.txt.rc4", {1, 2});
    window.suffixSelected = false;
    MakeFolder(dir.File("x.txt"));
    cmdDec_Click(window);
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0].rfind("Fehler bei der Datei: x.txt\r\n", 0), 0u) << window.warnings[0];
    ExpectIdle();
}

} // namespace
