#include "window/info_text.h"
#include "window/open_dialog.h"
#include "window/password_input.h"

#include "version.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> SplitAtCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    lines.push_back(text.substr(start));
    return lines;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(InfoText, ReadsAsLinesWithCrLfBreaks) {
    const std::string text = info_text::Text();
    EXPECT_NE(text.back(), '\n');
    // Every line break is CR LF; no lone CR or LF.
    const std::vector<std::string> lines = SplitAtCrLf(text);
    const auto breaks = static_cast<std::ptrdiff_t>(lines.size() - 1);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), breaks);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), breaks);
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[0], "Die verschlüsselten Dateien erhalten die zusätzliche Extension '.rc4'.");
    EXPECT_TRUE(lines[2].empty());
    EXPECT_EQ(lines[3], "Beispiel:");
    EXPECT_EQ(lines[4], "Unverschlüsselte Datei:\tsample.txt");
    EXPECT_EQ(lines[5], "Verschlüsselte Datei:\tsample.txt.rc4");
    EXPECT_EQ(lines[6], "Entschlüsselte Datei:\tsample-dec.txt   oder ohne Suffix:   sample.txt");
    EXPECT_TRUE(lines[7].empty());
    // The hash paragraph: three sentences joined by single spaces.
    EXPECT_TRUE(Contains(lines[8], "gespeichert. Da es sich"));
    EXPECT_TRUE(Contains(lines[8], "rekonstruiert werden. Der gespeicherte"));
    EXPECT_TRUE(Contains(lines[9], "Originaldatei gespeichert. Bei der Entschlüsselung"));
    EXPECT_EQ(lines[11], "RC4:");
    EXPECT_EQ(lines[12], "Für die Verschlüsselung wird ein RC4-kompatibles Verschlüsselungs-");
    EXPECT_EQ(lines[14],
              "(Hinweis: \"RC4\" ist ein eingetragenes Warenzeichen von RSA Data Securities Inc.)");
    EXPECT_TRUE(lines[15].empty());
    EXPECT_FALSE(lines[16].empty());
    // Major and minor of the version the project() line of CMakeLists.txt names.
    EXPECT_EQ(info_text::VersionText(),
              "Version: " + std::to_string(version::Major) + "." + std::to_string(version::Minor));
}

TEST(OpenDialog, DefaultSuffixIsThePatternsExtensionWithoutWildcards) {
    const struct {
        std::string pattern;
        std::string suffix;
    } cases[] = {
        {"*.rc4", "rc4"}, {"*.*", ""}, {"*", ""}, {"*.tar.gz", "tar.gz"}, {"*.rc?", ""}, {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(open_dialog::DefaultSuffix(c.pattern), c.suffix) << c.pattern;
}

TEST(PasswordInput, RefusedCharactersAreNamedEachOnceWithTheRule) {
    const std::string rule = "\nEin Passwort besteht nur aus Zeichen, die die Codepage Windows-1252 kennt.";
    const struct {
        std::string typed;
        std::vector<std::string> refused;
        std::string text;
    } cases[] = {
        // Windows-1252 holds all of these, its five undefined bytes' characters included.
        {"Grüße €‰ \t\xC2\x81", {}, ""},
        {"", {}, ""},
        {"ał", {"ł"}, "Das Zeichen „ł“ kann nicht Teil des Passworts sein." + rule},
        {"\xF0\x9F\x94\x91",
         {"\xF0\x9F\x94\x91"},
         "Das Zeichen „\xF0\x9F\x94\x91“ kann nicht Teil des Passworts sein." + rule},
        {"ŁódźŁ", {"Ł", "ź"}, "Die Zeichen „Ł“ und „ź“ können nicht Teil des Passworts sein." + rule},
        {"ĳ€✓ĳł",
         {"ĳ", "✓", "ł"},
         "Die Zeichen „ĳ“, „✓“ und „ł“ können nicht Teil des Passworts sein." + rule},
        // Bytes that are no UTF-8 (a lone surrogate's, a stray one) stand for the replacement character.
        {"a\xED\xA0\x80\xFF",
         {"\xEF\xBF\xBD"},
         "Das Zeichen „\xEF\xBF\xBD“ kann nicht Teil des Passworts sein." + rule},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::vector<std::string> refused = password_input::RefusedCharacters(c.typed);
        EXPECT_EQ(refused, c.refused);
        EXPECT_EQ(password_input::RefusedText(refused), c.text);
    }
}
