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
#include <deque>
#include <exception>
#include <memory>
#include <string>
#include <unordered_set>

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

    // Makes room for an output in its folder (see ClearOutputName), keeping every file of the list and
    // every output this run created.
    void ClearOutputName(const host::OutputFolder& folder, const std::string& inputPath,
                         const char* sameFileReason);
    // An output was created: later items never replace it, and its folder is flushed before the run ends.
    void Created(const host::OutputFolder& folder, const host::OutputFile& output);
    // An output is complete. It is flushed to the disk and closed before the run ends: its write-back
    // starts now, and the flush follows once a few more outputs are written, so that the disk takes the
    // names and sizes of several small files in one go instead of one at a time. A failing flush is the
    // failure of the run, naming that file.
    void Completed(std::unique_ptr<host::OutputFile> output);

private:
    friend void RunBatch(BatchWindow& window, BatchSide side, class BatchJob& job);

    // Lets the window handle its events once, then reads whether the run was asked to stop.
    bool CancelRequested() const;
    // Flushes and closes the completed outputs beyond the newest keep of them.
    void FlushCompleted(std::size_t keep);
    // Every output on the disk: the completed ones, then the names of all created so far (only then
    // are they found after a crash).
    void Settle();
    // Ends normally: the time text after the status line, then pointer and caption back to idle.
    void Finish();
    // The failure path: pointer and caption back, and a warning that says what failed. currentPath
    // names the file in work when the failure itself names none.
    void Fail(const std::exception& failure, const std::string& currentPath);

    BatchWindow& window_;
    BatchSide side_;
    int count_;
    clsTimer timer_;
    // The chunk in work, page-aligned: read into, transformed in place, written from.
    host::PageBuffer buffer_;
    KeptFiles kept_;
    std::unordered_set<std::string> foldersToSync_;
    std::deque<std::unique_ptr<host::OutputFile>> completed_; // written, not yet flushed
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
