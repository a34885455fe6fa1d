#pragma once

// What the encryption and the decryption batch share: the click's loop over the list with its cancel
// request, second-batch guard, input checks, skipped items, cancel check and failure path (RunBatch);
// and, for the item in work, the block loop and the start and end of the run (BatchRun). The two
// batches differ only in their BatchJob.

#include "core/batch_window.h"
#include "core/output_name.h"
#include "crypto/clsTimer.h"
#include "host/page_buffer.h"

#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

class clsCRC;
class clsRC4;
namespace host {
class InputFile;
class ByteSink;
class OutputFile;
class OutputFolder;
} // namespace host

class BatchRun {
public:
    // Starts a run: the window marked busy with this batch, wait pointer, status line shown, for more
    // than one item "Abbrechen" on the button and its clicks taken as cancel requests, timer started.
    BatchRun(BatchWindow& window, BatchSide side);
    // Marks the window idle again, whichever way the run ended; a cancel request ends with the run.
    ~BatchRun();
    BatchRun(const BatchRun&) = delete;
    BatchRun& operator=(const BatchRun&) = delete;

    BatchWindow& Window() const noexcept { return window_; }

    // Reads total bytes from input, transforms them block by block under key and hands them to output
    // (a file, standard output, or nowhere), letting the window handle its events and rewriting the
    // progress line after every block.
    // plainCrc takes in the plain side of every block (what was read when encrypting, what is written
    // when decrypting), so a file's checksum comes from this one pass.
    void TransformBlocks(clsRC4& rc4, const std::string& key, host::InputFile& input, host::ByteSink& output,
                         std::int64_t total, clsCRC& plainCrc);

    // Pointer and caption back to idle, so a click on the button is no cancel request any more; nothing
    // else (the end after a refused container).
    void Restore();

    // Checks the folder's output name for a new file (see CheckOutputName), keeping every file of the
    // list, every output this run created and every name an output of this run is waiting to take. Whether
    // the new file replaces what stands there is decided again when it is renamed.
    void CheckOutputName(const host::OutputFolder& folder, const std::string& inputPath,
                         const char* sameFileReason);
    // An output was created: later items never replace it.
    void Created(const host::OutputFile& output);
    // An output is complete, written under its temporary name. It is flushed, renamed over its name and
    // its folder flushed before the run ends; its write-back starts now, and the rest follows for several
    // outputs together, so that the disk takes the names and sizes of several small files in one go. A
    // failing flush is that output's failure, named for it, and ends the run; it is never renamed.
    // replace: whether the output may replace a file found at its name when it is renamed (a damaged
    // restoration never does).
    void Completed(std::unique_ptr<host::OutputFolder> folder, std::unique_ptr<host::OutputFile> output,
                   const std::string& inputPath, const char* sameFileReason, bool replace = true);

private:
    friend void RunBatch(BatchWindow& window, BatchSide side, class BatchJob& job);

    // A complete output waiting for its flush and its rename.
    struct Pending {
        std::unique_ptr<host::OutputFolder> folder;
        std::unique_ptr<host::OutputFile> output; // destroyed before its folder
        std::string inputPath;
        const char* sameFileReason;
        bool replace;
        int index; // the list item it was made for
    };

    // Lets the window handle its events once, then reads whether the run was asked to stop.
    bool CancelRequested() const;
    // Flushes every waiting output, then renames each one whose flush succeeded into place. Failures are
    // kept, each for its own file, and never stop the others.
    void CommitPending();
    // Every output on the disk: the waiting ones committed, then the folders they went into flushed (only
    // then are their names found after a crash). Failures are kept as CommitPending keeps them.
    void Settle() noexcept;
    // Flushes the folders outputs were renamed into, and lets them go.
    void SyncFolders() noexcept;
    // Keeps the failure in hand (called in its catch block) of an output's flush or rename (for the list
    // item index) or of a folder (index -1).
    void Failed(int index);
    // Ends normally: the time text after the status line, then pointer and caption back to idle.
    void Finish();
    // The failure path: every output already complete is settled, pointer and caption back, and a
    // warning for the failure (when one was thrown) and for each kept one. currentPath names the file in
    // work when the failure itself names none.
    void Fail(const std::exception* failure, const std::string& currentPath);
    // The warning for one failure.
    void Warn(const std::exception& failure, const std::string& currentPath);

    BatchWindow& window_;
    BatchSide side_;
    int count_;
    clsTimer timer_;
    // The chunk in work, page-aligned: read into, transformed in place, written from.
    host::PageBuffer buffer_;
    KeptFiles kept_;
    std::vector<Pending> pending_;
    // The folders outputs were renamed into, by identity, until they are flushed.
    std::map<host::FileIdentity, std::unique_ptr<host::OutputFolder>> foldersToSync_;
    // The names outputs are waiting to take: in a folder (by its identity), a name.
    std::set<std::pair<host::FileIdentity, std::string>> claimed_;
    // Failures of outputs after their item: each is reported for its own file.
    std::vector<std::exception_ptr> failures_;
};

// The per-item work of one kind of batch.
class BatchJob {
public:
    virtual ~BatchJob() = default;
    // The click's input checks, in order; a failing one warns and returns false, changing nothing else.
    virtual bool InputAccepted(BatchWindow& window) = 0;
    // One listed item at which an ordinary file stands. Returns false when the file was refused: its
    // warning is shown and the batch ends there, without the time text.
    virtual bool Process(BatchRun& run, const std::string& path) = 0;
};

// What a click on the side's batch button does: a cancel request while that batch runs with
// "Abbrechen" on its button; nothing while any batch runs; else the input checks, then the job for
// every listed item in turn (an item without an ordinary file is passed over and reported to the
// window's ItemSkipped), with the cancel request read after each item, the time text at the end, and one
// failure path for everything that throws.
void RunBatch(BatchWindow& window, BatchSide side, BatchJob& job);
