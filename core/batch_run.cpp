#include "core/batch_run.h"

#include "core/batch_texts.h"
#include "core/container.h"
#include "core/file_names.h"
#include "core/status_text.h"
#include "crypto/clsCRC.h"
#include "crypto/clsRC4.h"
#include "host/files.h"

#include <algorithm>
#include <span>
#include <utility>

namespace {

// How many completed outputs wait for their flush: enough for the disk to take several in one commit,
// few enough to stay far from any limit of open files.
constexpr std::size_t PendingFlushes = 64;

// Ten cipher blocks: a chunk always ends on a block boundary.
constexpr std::int64_t ChunkSize = 10 * static_cast<std::int64_t>(container::BlockSize);

const char* IdleCaption(BatchSide side) {
    return side == BatchSide::Encrypt ? texts::CaptionEncrypt : texts::CaptionDecrypt;
}

} // namespace

BatchRun::BatchRun(BatchWindow& window, BatchSide side)
    : window_(window), side_(side), count_(window.ListCount(side)), kept_([this] {
          std::vector<std::string> listed;
          for (int i = 0; i < count_ && i < window_.ListCount(side_); ++i)
              listed.push_back(window_.ListItem(side_, i));
          return listed;
      }) {
    window_.running_.emplace(BatchWindow::Running{side_});
    window_.RunningBatchChanged();
    window_.SetWaitPointer(true);
    window_.ShowStatus();
    if (count_ > 1) {
        // From here a click on the button is a cancel request; the window sees it offered as the
        // caption changes.
        window_.running_->cancelOffered = true;
        window_.SetButtonCaption(side_, texts::CaptionCancel);
    }
    timer_.ResetTimer();
}

BatchRun::~BatchRun() {
    // The cancel state goes with the run.
    window_.running_.reset();
    window_.RunningBatchChanged();
}

bool BatchRun::CancelRequested() const {
    window_.PumpEventsNow();
    return window_.CancelRequested();
}

void BatchRun::TransformBlocks(clsRC4& rc4, const std::string& key, host::InputFile& input,
                               host::ByteSink& output, std::int64_t total, clsCRC& plainCrc) {
    const bool encrypting = side_ == BatchSide::Encrypt;
    // Where the transformed bytes begin in the output file: behind the header in a container.
    output.Reserve((encrypting ? static_cast<std::int64_t>(container::HeaderSize) : 0) + total);
    std::int64_t processed = 0;
    while (processed < total) {
        // Whole blocks are read and written several at a time: fewer, larger copies between the program
        // and the system. Each block is enciphered in place and checksummed on its own while it is in
        // the cache (its plain bytes: before enciphering, after deciphering), and followed by the event
        // pass and the progress line. In place, the chunk stays in one buffer: a second buffer for the
        // enciphered bytes measured slower, its stores costing more than they save in the system's copy.
        const auto chunk = static_cast<std::size_t>(std::min<std::int64_t>(total - processed, ChunkSize));
        buffer_.Resize(chunk);
        input.Read(buffer_.data(), chunk);
        for (std::size_t offset = 0; offset < chunk;) {
            const auto length = static_cast<std::size_t>(container::NextBlockLength(processed, total));
            const std::span<std::uint8_t> block(buffer_.data() + offset, length);
            if (encrypting)
                plainCrc.AddBytes(block);
            container::TransformBlock(rc4, block, key);
            if (!encrypting)
                plainCrc.AddBytes(block);
            offset += length;
            processed += static_cast<std::int64_t>(length);
            const std::int32_t percent = status::Percentage(processed, total);
            window_.PumpEvents();
            window_.SetStatusText(
                status::ProgressLine(window_.ListIndex(side_) + 1, window_.ListCount(side_), percent));
        }
        output.Write(buffer_.data(), chunk);
    }
}

void BatchRun::CheckOutputName(const host::OutputFolder& folder, const std::string& inputPath,
                               const char* sameFileReason) {
    // An earlier item's output waits for its rename to this very name (decrypt a.rc4 a.RC4): the first
    // result stays, as it would once renamed.
    auto claim = std::make_pair(folder.Identity(), Nurdatei(folder.OutputPath(), host::PathSeparator()));
    if (claimed_.contains(claim))
        throw host::FileError(host::FileErrorKind::Other, folder.OutputPath(), texts::WrittenBeforeReason);
    ::CheckOutputName(folder, inputPath, sameFileReason, kept_);
}

void BatchRun::Created(const host::OutputFile& output) {
    kept_.Created(output.Identity());
}

void BatchRun::Completed(std::unique_ptr<host::OutputFolder> folder, std::unique_ptr<host::OutputFile> output,
                         const std::string& inputPath, const char* sameFileReason, bool replace) {
    output->StartWriteBack();
    claimed_.emplace(folder->Identity(), Nurdatei(folder->OutputPath(), host::PathSeparator()));
    pending_.push_back(Pending{std::move(folder), std::move(output), inputPath, sameFileReason, replace,
                               window_.ListIndex(side_)});
    if (pending_.size() >= PendingFlushes) {
        CommitPending();
        // Each folder kept for its flush holds a descriptor: outputs spread over many folders must not
        // exhaust them.
        if (foldersToSync_.size() >= PendingFlushes)
            SyncFolders();
        if (!failures_.empty())
            std::rethrow_exception(failures_.front());
    }
}

void BatchRun::Failed(int index) {
    failures_.push_back(std::current_exception());
    if (index >= 0)
        window_.ItemNotDone(side_, index);
}

void BatchRun::CommitPending() {
    std::vector<Pending> pending = std::move(pending_);
    pending_.clear();
    claimed_.clear();
    // Every flush first: the disk takes them together, and one that fails keeps none of the others from
    // theirs.
    for (Pending& item : pending) {
        try {
            item.output->Flush();
        } catch (const host::FileError&) {
            Failed(item.index);
            item.output.reset(); // removed: it never takes the name
        }
    }
    for (Pending& item : pending) {
        if (!item.output)
            continue;
        try {
            // The name is looked at again: time has passed since the item checked it.
            const bool taken = ::CheckOutputName(*item.folder, item.inputPath, item.sameFileReason, kept_);
            item.output->Commit(taken && item.replace);
            item.output.reset();
            const host::FileIdentity folder = item.folder->Identity();
            if (!foldersToSync_.contains(folder))
                foldersToSync_.emplace(folder, std::move(item.folder));
        } catch (const host::FileError&) {
            Failed(item.index);
        }
    }
}

void BatchRun::Settle() noexcept {
    try {
        CommitPending();
    } catch (const std::exception&) {
        Failed(-1);
    }
    SyncFolders();
}

void BatchRun::SyncFolders() noexcept {
    while (!foldersToSync_.empty()) {
        // Out of the map first: tried once, a failure is reported, not repeated.
        const auto node = foldersToSync_.extract(foldersToSync_.begin());
        try {
            node.mapped()->Sync();
        } catch (const std::exception&) {
            Failed(-1);
        }
    }
}

void BatchRun::Restore() {
    window_.SetWaitPointer(false);
    window_.running_->cancelOffered = false;
    window_.SetButtonCaption(side_, IdleCaption(side_));
}

void BatchRun::Finish() {
    buffer_.Release();
    timer_.StopTimer();
    const char* label = side_ == BatchSide::Encrypt ? texts::EncryptTime : texts::DecryptTime;
    window_.SetStatusText(window_.StatusText() +
                          status::TimeText(label, timer_.Elapsed(), window_.DecimalSeparator()));
    Restore();
}

void BatchRun::Fail(const std::exception* failure, const std::string& currentPath) {
    // What earlier items wrote is put in place and made as safe as it can be before the messages.
    Settle();
    Restore();
    // A pass cut short leaves its partial sum behind; the next file must start from a clear one.
    window_.m_CRC.Clear();
    if (failure)
        Warn(*failure, currentPath);
    for (const std::exception_ptr& kept : failures_) {
        try {
            std::rethrow_exception(kept);
        } catch (const std::exception& e) {
            Warn(e, currentPath);
        }
    }
}

void BatchRun::Warn(const std::exception& failure, const std::string& currentPath) {
    const auto* fileError = dynamic_cast<const host::FileError*>(&failure);
    // The listed file is only ever read: refused access to it is no writing failure, and its reason says
    // what was refused.
    if (fileError && fileError->Kind() == host::FileErrorKind::AccessRefused &&
        fileError->Path() != currentPath) {
        window_.ShowWarning(texts::WriteRefused);
        return;
    }
    const std::string& path = fileError ? fileError->Path() : currentPath;
    const std::string reason = fileError ? fileError->Reason() : std::string(failure.what());
    window_.ShowWarning(texts::FileFailureHead + window_.ShownName(Nurdatei(path, host::PathSeparator())) +
                        texts::NewLine + reason);
}

void RunBatch(BatchWindow& window, BatchSide side, BatchJob& job) {
    if (window.RunningBatch() == side && window.CancelOffered()) {
        window.RequestCancel();
        return;
    }
    // A second click during a one-file batch, or a click while the other batch runs.
    if (window.RunningBatch())
        return;
    if (!job.InputAccepted(window))
        return;

    BatchRun run(window, side);
    std::string path;
    bool refused = false;
    try {
        // The count is fixed at the start; a list that shrank meanwhile ends the run.
        for (int i = 0; i < run.count_ && i < window.ListCount(side); ++i) {
            window.SetListIndex(side, i);
            path = window.ListItem(side, i);
            if (!host::FileExists(path)) {
                window.ItemSkipped(side, path);
            } else if (!job.Process(run, path)) {
                refused = true;
                break;
            }
            if (run.CancelRequested())
                break;
        }
    } catch (const std::exception& failure) {
        // A failure that a waiting output's flush reported was kept already.
        const bool kept = !run.failures_.empty();
        run.Fail(kept ? nullptr : &failure, path);
        return;
    }
    // Every output is on the disk under its name before the run counts as done.
    run.Settle();
    if (!run.failures_.empty()) {
        run.Fail(nullptr, std::string());
        return;
    }
    if (!refused)
        run.Finish();
}
