#include "host/process.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CommandLine, TextBehindTheProgramPath) {
    struct Case {
        const char* line;
        const char* text;
    };
    const Case cases[] = {
        // The program's path, quoted or not, and the blanks after it go; the rest stays as typed.
        {R"("C:\Program Files\Tessarin\tessarin.exe" "C:\a b.txt" "C:\c.rc4")", R"("C:\a b.txt" "C:\c.rc4")"},
        {R"(C:\Tools\tessarin.exe C:\a.txt  C:\b.txt )", R"(C:\a.txt  C:\b.txt )"},
        {"tessarin.exe \t  \"x y.txt\"", "\"x y.txt\""},
        {"tessarin", ""},
        {"tessarin   ", ""},
        {R"("C:\Program Files\tessarin.exe")", ""},
        {"\"C:\\Program Files\\tessarin.exe\"   ", ""},
        // A quoted path ends at its closing quote, also with no blank after it (as CommandLineToArgvW).
        {R"("C:\p\tessarin.exe"x.txt)", "x.txt"},
        // An unclosed quote: everything is the program's path.
        {R"("C:\p\tessarin.exe x.txt)", ""},
        // Quotes after the first character belong to an unquoted path up to the blank.
        {R"(C:\p"q"\tessarin.exe a)", "a"},
        {"", ""},
        {"tessarin.exe Übersicht.txt", "Übersicht.txt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(host::TextBehindProgramPath(c.line), c.text) << c.line;
}

TEST(CommandLine, ExecutableNameHasNoFolderOrExtension) {
    const std::string name = host::ExecutableName();
    EXPECT_EQ(name, "test_host");
}

} // namespace

namespace {

TEST(Locale, TheTimeTextsDecimalSeparatorIsOneAsciiCharacterOrAPoint) {
    struct Case {
        std::string separator;
        char shown;
    };
    const Case cases[] = {
        {",", ','},
        {".", '.'},
        {"'", '\''},
        // Windows lets a user set up to three characters; the time text has room for one byte.
        {"->", '.'},
        {",,", '.'},
        // The Arabic decimal separator (U+066B), two bytes in UTF-8; and no separator at all.
        {"\xD9\xAB", '.'},
        {"", '.'},
    };
    for (const Case& c : cases)
        EXPECT_EQ(host::DecimalSeparatorOf(c.separator), c.shown) << c.separator;
}

} // namespace
