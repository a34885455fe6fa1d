#include "cli_window.h"

#include "core/batch_texts.h"

#include <cstdio>

namespace {

// Redrawing the status line more often than this only costs time.
constexpr auto RedrawInterval = std::chrono::milliseconds(100);

int Index(BatchSide side) {
    return side == BatchSide::Encrypt ? 0 : 1;
}

} // namespace

std::string EscapeControls(const std::string& text) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    const auto escapeByte = [](std::string& out, const char* prefix, unsigned char byte) {
        out += prefix;
        out += Hex[byte >> 4];
        out += Hex[byte & 15];
    };
    std::string shown;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) {
            if (c == '\n')
                shown += "\\n";
            else if (c == '\r')
                shown += "\\r";
            else if (c == '\t')
                shown += "\\t";
            else
                escapeByte(shown, "\\x", c);
            ++i;
            continue;
        }
        if (c < 0x80) {
            shown += static_cast<char>(c);
            ++i;
            continue;
        }
        // A well-formed UTF-8 sequence passes, except the C1 controls U+0080..U+009F (C2 80..C2 9F).
        const std::size_t length = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
        bool wellFormed = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; wellFormed && k < length; ++k)
            wellFormed = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        if (wellFormed && length == 3) { // no overlong forms, no surrogates
            const auto second = static_cast<unsigned char>(text[i + 1]);
            wellFormed = !(c == 0xE0 && second < 0xA0) && !(c == 0xED && second >= 0xA0);
        }
        if (wellFormed && length == 4) {
            const auto second = static_cast<unsigned char>(text[i + 1]);
            wellFormed = !(c == 0xF0 && second < 0x90) && !(c == 0xF4 && second >= 0x90);
        }
        if (!wellFormed) {
            escapeByte(shown, "\\x", c);
            ++i;
        } else if (c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
            escapeByte(shown, "\\u00", static_cast<unsigned char>(text[i + 1]));
            i += 2;
        } else {
            shown.append(text, i, length);
            i += length;
        }
    }
    return shown;
}

CliWindow::CliWindow(BatchSide side, std::vector<std::string> files, const std::string& password,
                     bool showStatus)
    : side_(side), files_(std::move(files)), password_(password),
      showStatus_(showStatus), caption_{texts::CaptionEncrypt, texts::CaptionDecrypt} {}

void CliWindow::SetNaming(bool suffixSelected, std::string suffix) {
    suffixSelected_ = suffixSelected;
    suffix_ = std::move(suffix);
}

int CliWindow::ListCount(BatchSide side) const {
    return side == side_ ? static_cast<int>(files_.size()) : 0;
}

std::string CliWindow::ListItem(BatchSide side, int index) const {
    return side == side_ ? files_.at(static_cast<std::size_t>(index)) : std::string();
}

int CliWindow::ListIndex(BatchSide side) const {
    return side == side_ ? selected_ : -1;
}

void CliWindow::SetListIndex(BatchSide side, int index) {
    if (side == side_)
        selected_ = index;
}

// Both password boxes of the encryption side hold the one password the user gave.
std::string CliWindow::PasswordText(int) const {
    return password_;
}

std::string CliWindow::ButtonCaption(BatchSide side) const {
    return caption_[Index(side)];
}

void CliWindow::SetButtonCaption(BatchSide side, const std::string& caption) {
    caption_[Index(side)] = caption;
}

void CliWindow::SetStatusText(const std::string& text) {
    status_ = text;
    const auto now = std::chrono::steady_clock::now();
    if (showStatus_ && now - lastDraw_ >= RedrawInterval) {
        lastDraw_ = now;
        DrawStatus();
    }
}

void CliWindow::DrawStatus() {
    std::fprintf(stderr, "\r%s\033[K", status_.c_str());
    std::fflush(stderr);
    statusOnScreen_ = true;
}

void CliWindow::EndStatusLine() {
    if (!showStatus_)
        return;
    DrawStatus();
    std::fputc('\n', stderr);
    statusOnScreen_ = false;
}

void CliWindow::ItemSkipped(BatchSide, const std::string& path) {
    ShowWarning("Datei nicht gefunden oder keine gewöhnliche Datei: " + EscapeControls(path));
}

void CliWindow::ShowWarning(const std::string& text) {
    ++warnings_;
    if (statusOnScreen_) {
        std::fputc('\n', stderr);
        statusOnScreen_ = false;
    }
    std::string block;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        block += text[i];
    }
    std::fprintf(stderr, "%s\n", block.c_str());
    std::fflush(stderr);
}
