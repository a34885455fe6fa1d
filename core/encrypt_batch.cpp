// The encryption batch: every file of List1 becomes a container beside it, named after it plus ".rc4".

#include "core/batch_run.h"
#include "core/batch_texts.h"
#include "core/batches.h"
#include "core/codepage.h"
#include "core/container.h"
#include "core/output_name.h"
#include "crypto/clsRC4.h"
#include "host/files.h"

namespace {

constexpr BatchSide Side = BatchSide::Encrypt;

// The three input checks; each failing one warns and leaves everything else unchanged.
bool InputAccepted(BatchWindow& window) {
    if (window.ListCount(Side) == 0) {
        window.ShowWarning(texts::NoFilesToEncrypt);
        return false;
    }
    const std::string password = window.PasswordText(0);
    // A password of spaces only would give an empty key, leaving the plain bytes in the container.
    if (container::TrimSpaces(password).empty()) {
        window.ShowWarning(texts::NoEncryptPassword);
        window.FocusPassword(0);
        return false;
    }
    if (password != window.PasswordText(1)) {
        window.ShowWarning(texts::PasswordsDiffer);
        window.FocusPassword(1);
        return false;
    }
    return true;
}

void EncryptFile(BatchWindow& window, BatchRun& run, clsRC4& rc4, const std::string& key,
                 const std::string& digest, const std::string& plainPath) {
    const std::string containerPath = plainPath + container::Extension;
    ClearOutputName(containerPath, plainPath, texts::ContainerIsInputReason);
    const std::string checksum = window.m_CRC.CalculateFile(plainPath);
    window.m_CRC.Clear();
    const container::HeaderBytes header = container::ComposeHeader(checksum, digest);

    host::InputFile plain(plainPath);
    host::OutputFile output(containerPath);
    output.Write(header.data(), header.size());
    run.TransformBlocks(rc4, key, plain, output, plain.Length());
    plain.Close();
    output.Close();
}

} // namespace

void cmdEnc_Click(BatchWindow& window) {
    if (window.ButtonCaption(Side) == texts::CaptionCancel) {
        window.CancelEncrypt = true;
        return;
    }
    // A second click during a one-file batch, or a click while the other batch runs.
    if (window.BatchRunning)
        return;
    if (!InputAccepted(window))
        return;

    const std::string password = window.PasswordText(0);
    const std::string digest = container::PasswordDigest(password);
    const std::string key = container::TrimSpaces(password);
    clsRC4 rc4;
    BatchRun run(window, Side);
    std::string plainPath;
    try {
        for (int i = 0; i < run.Count(); ++i) {
            if (!run.StillListed(i))
                break;
            window.SetListIndex(Side, i);
            plainPath = window.ListItem(Side, i);
            if (host::FileExists(plainPath))
                EncryptFile(window, run, rc4, key, digest, plainPath);
            else
                window.ItemSkipped(Side, plainPath);
            if (run.CancelRequested())
                break;
        }
    } catch (const std::exception& failure) {
        run.Fail(failure, plainPath);
        return;
    }
    run.Finish();
}
