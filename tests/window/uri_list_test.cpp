#include "window/uri_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::string>;

TEST(UriList, DropsNameLocalFilesByTheirBytes) {
    using namespace std::string_literals;
    const struct {
        std::string text;
        Paths paths;
    } cases[] = {
        // A name that is no UTF-8, as file managers write it, next to an escaped space and UTF-8.
        {"file:///d/a%20b.txt\r\nfile:///d/%FF.txt\r\nfile:///d/%C3%A4\r\n",
         {"/d/a b.txt", "/d/\xFF.txt", "/d/ä"}},
        // Comments, blank lines, lines ended by LF alone or by a NUL byte.
        {"# dragged\r\n\r\nfile:///a\nfile:///b\0"s, {"/a", "/b"}},
        // No host or localhost, in any letter case; a file on another host is none of ours.
        {"file://localhost/a\r\nFILE://LocalHost/b\r\nfile://server/c\r\nfile:/d", {"/a", "/b", "/d"}},
        // Other schemes, relative or empty paths, and a NUL byte that would cut the path short.
        {"http://host/x\r\nfile:relative\r\nfile://\r\nfile:///a.txt%00.rc4\r\n", {}},
        // A '%' without two hex digits stays; a query or fragment ends the path.
        {"file:///50%\r\nfile:///a%2\r\nfile:///x%zz\r\nfile:///q?x=1\r\nfile:///f#g",
         {"/50%", "/a%2", "/x%zz", "/q", "/f"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(uri_list::LocalPaths(c.text), c.paths) << c.text;
}

} // namespace
