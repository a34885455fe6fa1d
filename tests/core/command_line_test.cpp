#include "core/command_line.h"

#include "host/process.h"

#include <gtest/gtest.h>

namespace {

using Items = std::vector<std::string>;

TEST(CommandLine, SplitsQuotedArguments) {
    struct Case {
        std::string text;
        Items items;
    } const cases[] = {
        {R"("C:\a b\x.txt" "C:\y.RC4")", {R"(C:\a b\x.txt)", R"(C:\y.RC4)"}},
        {R"(C:\x.txt C:\y.txt)", {R"(C:\x.txt C:\y.txt)"}},
        {R"("/home/u/eine Datei")", {"/home/u/eine Datei"}},
        {R"("a" "" "b")", {"a", "", "b"}}, // an empty pair of quotes stays an empty item
        {R"("""")", {""}},
        {"", {""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitCommandLine(c.text), c.items) << c.text;
}

TEST(CommandLine, JoinedArgumentsComeBackOneItemEach) {
    const Items arguments = {"/tmp/a b.txt", "/tmp/c.rc4", "x", "  spaced  ", "ä ö ü"};
    EXPECT_EQ(SplitCommandLine(host::JoinArguments(arguments)), arguments);
}

TEST(CommandLine, EachArgumentIsOneItemWhereTheSystemSplitsThem) {
    // '|' and '"' are ordinary characters of a POSIX file name; joining and splitting would change them.
    std::string program = "tessarin", a = "/d/a|b.txt", b = R"(/d/"x" "y".rc4)", empty;
    char* argv[] = {program.data(), a.data(), b.data(), empty.data()};
    host::InitProcess(4, argv);
    if (host::CommandLineIsRawText())
        EXPECT_EQ(CommandLineItems(), SplitCommandLine(host::CommandLineText()));
    else
        EXPECT_EQ(CommandLineItems(), (Items{a, b, ""}));
    EXPECT_TRUE(CommandLineItems("").empty());
}

} // namespace
