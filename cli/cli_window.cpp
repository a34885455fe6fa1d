#include "cli/cli_window.h"

#include "cli/cli_texts.h"
#include "host/stop_request.h"

#include <cstdio>
#include <stdexcept>

namespace {

// Redrawing the status line more often than this only costs time.
constexpr auto RedrawInterval = std::chrono::milliseconds(100);

std::string StopText(host::StopRequest request) {
    switch (request) {
    case host::StopRequest::Interrupt:
        return cli_texts::StopInterrupt;
    case host::StopRequest::Terminate:
        return cli_texts::StopTerminate;
    case host::StopRequest::HangUp:
        return cli_texts::StopHangUp;
    case host::StopRequest::None:
        break;
    }
    return {};
}

} // namespace

CliWindow::CliWindow(BatchSide side, std::vector<std::string> files, const std::string& password,
                     bool showStatus)
    : side_(side), files_(std::move(files)), password_(password), showStatus_(showStatus) {}

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
    ShowWarning(cli_texts::Skipped + ShownName(path));
}

void CliWindow::ItemNotDone(BatchSide side, int index) {
    if (side == side_)
        notDone_.push_back(index);
}

void CliWindow::ShowWarning(const std::string& text) {
    ++warnings_;
    if (statusOnScreen_) {
        std::fputc('\n', stderr);
        statusOnScreen_ = false;
    }
    Report(MessageKind::Warning, text);
}

void CliWindow::PumpEvents() {
    const host::StopRequest request = host::PendingStopRequest();
    if (request == host::StopRequest::None)
        return;
    // Thrown through the block loop, this takes the batch's one failure path: the files are closed,
    // reserved space is given back, a container keeps its pending checksum, and the message names the
    // item in work.
    stopReported_ = true;
    throw std::runtime_error(StopText(request) + cli_texts::StopInFile);
}

void CliWindow::PumpEventsNow() {
    if (host::PendingStopRequest() != host::StopRequest::None)
        RequestCancel();
}

void CliWindow::ReportUnfinished() {
    const host::StopRequest request = host::PendingStopRequest();
    if (request != host::StopRequest::None && !stopReported_) {
        stopReported_ = true;
        ShowWarning(StopText(request));
    }
    // The batch selects every item it takes up; whatever ended it early (a failure, a refused container,
    // a request to end) left the items behind the selected one untouched. Before them come the items whose
    // outputs a failing flush kept from their names.
    std::vector<int> items = notDone_;
    for (int i = selected_ + 1; i < static_cast<int>(files_.size()); ++i)
        items.push_back(i);
    std::string names;
    for (const int i : items) {
        if (!names.empty())
            names += cli_texts::NotProcessedSeparator;
        names += ShownName(files_.at(static_cast<std::size_t>(i)));
    }
    if (!names.empty())
        ShowWarning(cli_texts::NotProcessed + names);
}
