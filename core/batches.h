#pragma once

class BatchWindow;

// What a click on cmdEnc does: a cancel request while a batch of several files runs, else the
// encryption of every file of List1 into a container beside it.
void cmdEnc_Click(BatchWindow& window);

// What a click on cmdDec does: a cancel request while a batch of several containers runs, else the
// decryption of every container of List2 beside itself.
void cmdDec_Click(BatchWindow& window);
