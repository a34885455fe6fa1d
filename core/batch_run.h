#pragma once

// What the encryption and the decryption batch share: the start and end of a run, the block loop and
// the one failure path.

#include "core/batch_window.h"
#include "crypto/clsTimer.h"
#include "host/page_buffer.h"

#include <cstdint>
#include <exception>
#include <string>

class clsRC4;
namespace host {
class InputFile;
class OutputFile;
} // namespace host

class BatchRun {
public:
    // Starts a run: wait pointer, status line shown, "Abbrechen" for more than one item, cancel flag
    // cleared, timer started, the window marked busy.
    BatchRun(BatchWindow& window, BatchSide side);
    // Marks the window idle again, whichever way the run ended.
    ~BatchRun();
    BatchRun(const BatchRun&) = delete;
    BatchRun& operator=(const BatchRun&) = delete;

    // Number of items, fixed when the run started.
    int Count() const noexcept { return count_; }
    // Whether item i is still in the list; a list that shrank ends the run.
    bool StillListed(int index) const { return index < window_.ListCount(side_); }
    // Lets the window handle its events once, then reads the cancel flag.
    bool CancelRequested() const;

    // Reads total bytes from input, transforms them block by block and appends them to output, letting
    // the window handle its events and rewriting the progress line after every block.
    void TransformBlocks(clsRC4& rc4, const std::string& key, host::InputFile& input,
                         host::OutputFile& output, std::int64_t total);

    // Ends normally: the time text after the status line, then pointer and caption back to idle.
    void Finish();
    // Pointer and caption back to idle, nothing else (the end after a refused container).
    void Restore();
    // The failure path: pointer and caption back, the checksum object cleared, and a warning that says
    // what failed. currentPath names the file in work when the failure itself names none.
    void Fail(const std::exception& failure, const std::string& currentPath);

private:
    BatchWindow& window_;
    BatchSide side_;
    int count_;
    clsTimer timer_;
    // What is read and what is written, each placed to match its file's position.
    host::PageBuffer input_;
    host::PageBuffer output_;
};
