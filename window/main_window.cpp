#include "window/main_window.h"

#include "core/batch_texts.h"
#include "core/batches.h"
#include "core/file_names.h"
#include "host/file_error.h"
#include "host/files.h"
#include "host/process.h"
#include "host/system_reasons.h"
#include "window/window_texts.h"

#include <algorithm>
#include <exception>
#include <new>
#include <utility>

namespace {

// Runs one step of start-up; a failing step is skipped.
template <class Step> void Attempt(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

} // namespace

void MainWindow::StartUp(const std::vector<std::string>& commandLineItems) {
    SetStatusText(texts::StatusStart);
    SetCountText(BatchSide::Encrypt, {});
    SetCountText(BatchSide::Decrypt, {});
    m_CRC.Clear();

    // From here on the window opens whatever fails.
    if (!commandLineItems.empty()) {
        // Each list takes its items in one intake; a failing item ends the collection, and what came
        // before it is still listed.
        std::vector<std::string> plain;
        std::vector<std::string> containers;
        Attempt([&] {
            for (const std::string& item : commandLineItems) {
                // An empty item (an empty pair of quotes) names no file; it is left out, not listed blank.
                if (item.empty())
                    continue;
                std::string path = host::NativePath(item);
                const bool container = IsContainerPath(path, host::PathSeparator());
                (container ? containers : plain).push_back(std::move(path));
            }
        });
        for (BatchSide side : {BatchSide::Encrypt, BatchSide::Decrypt}) {
            std::vector<std::string>& items = side == BatchSide::Encrypt ? plain : containers;
            Attempt([&] { TakeIn(side, std::move(items)); });
            Attempt([&] { AddHScroll(side); });
        }
    }
    Attempt([&] { ShowFileCount(BatchSide::Encrypt); });
    Attempt([&] { ShowFileCount(BatchSide::Decrypt); });
}

void MainWindow::AddHScroll(BatchSide side) {
    FileList& list = List(side);
    list.SetHorizontalExtent(ExtentPixels(list, widestItem_[SideIndex(side)]));
}

void MainWindow::TakeIn(BatchSide side, std::vector<std::string> paths) {
    double& widest = widestItem_[SideIndex(side)];
    widest = std::max(widest, xListAddNew(List(side), std::move(paths)));
}

void MainWindow::Emptied(BatchSide side) {
    widestItem_[SideIndex(side)] = 0;
    // The extent of an empty list, 25 spaces, is narrower than the list: no sideways scroll bar.
    AddHScroll(side);
}

void MainWindow::ShowFileCount(BatchSide side) {
    SetCountText(side, FileCountText(List(side).Count()));
}

void MainWindow::FilesDropped(BatchSide side, const std::vector<std::string>& paths) {
    if (ListInUse(side) || paths.empty())
        return;
    std::vector<std::string> taken;
    try {
        for (const std::string& path : paths) {
            if (host::IsFolder(path))
                continue;
            if (side == BatchSide::Decrypt && !IsContainerPath(path, host::PathSeparator())) {
                ShowWarning(texts::RefusedFilePrefix + Nurdatei(path, host::PathSeparator()) + "\r\n" +
                            texts::RefusedFileReason);
                continue;
            }
            taken.push_back(path);
        }
    } catch (const std::exception&) {
        // A path that cannot be examined ends this drop quietly: the files before it are listed, and
        // the extent and the count are left as they were.
        TakeIn(side, std::move(taken));
        return;
    }
    TakeIn(side, std::move(taken));
    AddHScroll(side);
    ShowFileCount(side);
}

void MainWindow::ListDoubleClicked(BatchSide side) {
    if (ListInUse(side))
        return;
    FileList& list = List(side);
    xListRemoveSelected(list);
    if (list.Count() == 0)
        Emptied(side);
    ShowFileCount(side);
}

void MainWindow::ListDeletePressed(BatchSide side) {
    if (ListInUse(side))
        return;
    // As a double-click, and then the item now at the removed one's place (or the last) is selected, so
    // that Delete can be pressed again.
    FileList& list = List(side);
    const int removed = list.SelectedIndex();
    ListDoubleClicked(side);
    if (removed >= 0 && list.Count() > 0)
        list.Select(std::min(removed, list.Count() - 1));
}

void MainWindow::ClearClicked(BatchSide side) {
    if (ListInUse(side))
        return;
    List(side).Clear();
    Emptied(side);
    ShowFileCount(side);
}

void MainWindow::OpenClicked(BatchSide side) {
    if (ListInUse(side))
        return;
    const bool encrypt = side == BatchSide::Encrypt;
    SetStatusText(texts::StatusStart);
    OpenDialogRequest request;
    request.title = encrypt ? window_texts::EncryptDialogTitle : window_texts::DecryptDialogTitle;
    request.initialFolder = host::CurrentDirectory();
    request.filter = encrypt ? window_texts::EncryptDialogFilter : window_texts::DecryptDialogFilter;
    request.defaultExtension =
        encrypt ? window_texts::EncryptDialogExtension : window_texts::DecryptDialogExtension;
    request.side = side;
    std::vector<std::string> chosen = ShowOpenDialog(request);
    // The dialog ran its own event loop: a batch may have started on this list meanwhile.
    if (!chosen.empty() && !ListInUse(side)) {
        TakeIn(side, std::move(chosen));
        AddHScroll(side);
    }
    ShowFileCount(side);
}

void MainWindow::BatchClicked(BatchSide side) {
    // A click during a batch goes to the batches as it is: they make it a cancel request or ignore it
    // (a one-file batch, or the other batch's button). They report every failure themselves.
    side == BatchSide::Encrypt ? cmdEnc_Click(*this) : cmdDec_Click(*this);
    // When the batch took the click as its cancel request, it stops only after the file in work, which
    // may take a while: the button greys at once, and the batch's end gives it back.
    GuardSides();
}

void MainWindow::MaskClicked() {
    const bool masked = PasswordsMasked();
    SetPasswordsMasked(!masked);
    ShowMaskButton(masked ? window_texts::ClearTextCaption : window_texts::MaskedCaption,
                   masked ? window_texts::ClearTextName : window_texts::MaskedName);
    FocusDummy();
}

void MainWindow::Closing() {
    if (RunningBatch()) {
        // The program ends at once; the output in work leaves no temporary file behind, and the name it
        // was to take keeps what it held.
        host::DiscardOutputsInProgress();
        EndProcess();
        return;
    }
    CloseWindows();
}

void MainWindow::GuardSides() {
    for (BatchSide side : {BatchSide::Encrypt, BatchSide::Decrypt})
        GuardSide(side, ListInUse(side), BatchButtonTakesClicks(side));
}

void MainWindow::RunningBatchChanged() {
    GuardSides();
    // The batch's last selection and status line, the time text included.
    if (!RunningBatch())
        ShowNewest();
}

int MainWindow::ListIndex(BatchSide side) const {
    const std::optional<int>& newest = newestIndex_[SideIndex(side)];
    return newest ? *newest : List(side).SelectedIndex();
}

void MainWindow::SetListIndex(BatchSide side, int index) {
    newestIndex_[SideIndex(side)] = index;
    if (!RunningBatch())
        ShowNewest();
}

std::string MainWindow::StatusText() const {
    return newestStatus_ ? *newestStatus_ : ShownStatusText();
}

void MainWindow::SetStatusText(const std::string& text) {
    newestStatus_ = text;
    if (!RunningBatch())
        ShowNewest();
}

void MainWindow::ShowNewest() {
    for (BatchSide side : {BatchSide::Encrypt, BatchSide::Decrypt}) {
        std::optional<int>& newest = newestIndex_[SideIndex(side)];
        if (newest && *newest != List(side).SelectedIndex())
            List(side).Select(*newest);
        newest.reset();
    }
    if (newestStatus_ && *newestStatus_ != ShownStatusText())
        ShowStatusText(*newestStatus_);
    newestStatus_.reset();
}

void MainWindow::ShowWarning(const std::string& text) {
    ShowNewest();
    ShowWarningBox(text);
}

bool MainWindow::PassDue() const {
    return !lastPass_ || std::chrono::steady_clock::now() - *lastPass_ >= passInterval_;
}

void MainWindow::PumpEvents() {
    using Clock = std::chrono::steady_clock;
    if (!PassDue())
        return;
    ShowNewest();
    const Clock::time_point start = Clock::now();
    EventPass();
    constexpr int WorkPerPass = 40;
    passInterval_ =
        std::clamp(std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start) * WorkPerPass,
                   leastInterval_, mostInterval_);
    // Counted from the end of the pass: time spent in a handler (a dialog, say) is not work time.
    lastPass_ = Clock::now();
}

void MainWindow::PumpEventsNow() {
    if (PassDue())
        PumpEvents();
    else
        EventPass();
}

int MainWindow::ListCount(BatchSide side) const {
    return List(side).Count();
}

std::string MainWindow::ListItem(BatchSide side, int index) const {
    return List(side).Item(index);
}

char MainWindow::DecimalSeparator() const {
    return host::DecimalSeparator();
}

void MainWindow::SetButtonCaption(BatchSide side, const std::string& caption) {
    const bool cancels = RunningBatch() == side && CancelOffered();
    ShowBatchButton(side, caption,
                    cancels ? texts::CaptionCancel
                            : widgets::Row(widgets::BatchButtonOf(side)).accessibleName);
}

namespace {

// The warning for a failure that a handler did not report itself.
std::string FailureText(const std::exception* failure) {
    std::string reason;
    if (const auto* fileError = dynamic_cast<const host::FileError*>(failure))
        reason = texts::FileFailureHead + Nurdatei(fileError->Path(), host::PathSeparator()) +
                 texts::NewLine + fileError->Reason();
    else if (dynamic_cast<const std::bad_alloc*>(failure) != nullptr)
        reason = host::reasons::OutOfMemory;
    else if (failure != nullptr)
        reason = failure->what();
    return window_texts::HandlerFailed + std::string(texts::NewLine) + reason;
}

} // namespace

template <class Handler> void MainWindow::Guarded(Handler&& handler) {
    try {
        try {
            handler();
        } catch (const std::exception& caught) {
            ShowWarning(FailureText(&caught));
        } catch (...) {
            ShowWarning(FailureText(nullptr));
        }
    } catch (...) {
        // Not even the warning could be shown; the window goes on as it stands.
    }
}

void MainWindow::Clicked(widgets::Id widget) {
    using widgets::Id;
    Guarded([&] {
        switch (widget) {
        case Id::Befehl2:
        case Id::Command3:
            OpenClicked(widget == Id::Befehl2 ? BatchSide::Encrypt : BatchSide::Decrypt);
            break;
        case Id::Command5:
        case Id::Command6:
            ClearClicked(widget == Id::Command5 ? BatchSide::Encrypt : BatchSide::Decrypt);
            break;
        // A padlock lies on its button: a click on it is a click on the button.
        case Id::cmdEnc:
        case Id::Picture1:
            BatchClicked(BatchSide::Encrypt);
            break;
        case Id::cmdDec:
        case Id::Picture2:
            BatchClicked(BatchSide::Decrypt);
            break;
        case Id::Command2:
            MaskClicked();
            break;
        case Id::Command4:
            ShowInfoWindow();
            break;
        case Id::Command1:
            CloseMainWindow();
            break;
        default:
            // Labels, lists, boxes and option buttons have no click handler of their own.
            break;
        }
    });
}

void MainWindow::DoubleClicked(widgets::Id list) {
    Guarded([&] { ListDoubleClicked(widgets::SideOfList(list)); });
}

void MainWindow::Dropped(widgets::Id list, const std::vector<std::string>& paths) {
    Guarded([&] { FilesDropped(widgets::SideOfList(list), paths); });
}

void MainWindow::EnterPressed(widgets::Id passwordBox) {
    if (widgets::Row(passwordBox).kind != widgets::Kind::Password)
        return;
    const BatchSide side = widgets::SideOfPassword(passwordBox);
    // Enter does what a click on the button does, and nothing where the button would not take a click.
    if (BatchButtonTakesClicks(side))
        Clicked(widgets::BatchButtonOf(side));
}

void MainWindow::DeletePressed(widgets::Id list) {
    Guarded([&] { ListDeletePressed(widgets::SideOfList(list)); });
}
