#pragma once

// The files a drop names in the text/uri-list form that programs on Linux desktops hand over for drag
// and drop: one URI a line, byte for byte as the drag source wrote it.

#include <string>
#include <vector>

namespace uri_list {

// The local files' paths, in the list's order. Lines end in CR LF (a lone LF or a NUL byte ends one
// too); blank lines and lines beginning with '#' are skipped. A line names a local file when it is a
// "file:" URI (any letter case) without a host or with "localhost": its path, percent-decoded to the
// bytes themselves, so a name that is no UTF-8 (written %FF by file managers) arrives as it is on
// disk; a '%' not followed by two hex digits stays as it is, and '?' or '#' ends the path. Left out
// are other schemes, files on another host, paths that are not absolute, and paths holding a NUL byte
// (%00), which no file name can hold and which the system's calls would take as the path's end.
std::vector<std::string> LocalPaths(const std::string& text);

} // namespace uri_list
