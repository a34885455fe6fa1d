#pragma once

class BatchWindow;

// What a click on cmdEnc does: a cancel request while a batch of several files runs, else the
// encryption of every file of List1 into a container beside it.
void cmdEnc_Click(BatchWindow& window);

// What a click on cmdDec does: a cancel request while a batch of several containers runs, else the
// decryption of every container of List2 beside itself.
void cmdDec_Click(BatchWindow& window);

// Where the decryption batch puts what it restores.
enum class RestoreTo {
    Files,          // beside each container, as cmdDec_Click does
    Nowhere,        // a check of every container that creates, removes and changes nothing
    StandardOutput, // the restored bytes of the listed container, for a pipe
};
// The decryption batch with its checks, messages and status line, restoring to target. Checksum
// messages name the restored file for Files and the container otherwise.
void RunDecryption(BatchWindow& window, RestoreTo target);
