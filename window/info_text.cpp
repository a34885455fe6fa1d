#include "window/info_text.h"

#include "host/process.h"
#include "window/window_texts.h"

namespace info_text {

std::string Text() {
    std::string text;
    for (const char* piece : window_texts::InfoPieces)
        text += piece;
    return text;
}

std::string VersionText() {
    return window_texts::VersionPrefix + std::to_string(host::VersionMajor()) + '.' +
           std::to_string(host::VersionMinor());
}

} // namespace info_text
