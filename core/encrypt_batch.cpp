// The encryption batch: every file of List1 becomes a container beside it, named after it plus ".rc4".

#include "core/batch_run.h"
#include "core/batch_texts.h"
#include "core/batches.h"
#include "core/container.h"
#include "core/output_name.h"
#include "crypto/clsRC4.h"
#include "host/files.h"

#include <memory>

namespace {

constexpr BatchSide Side = BatchSide::Encrypt;

class EncryptJob : public BatchJob {
public:
    // The three input checks; each failing one warns and leaves everything else unchanged.
    bool InputAccepted(BatchWindow& window) override {
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
        // One digest and one key for the whole batch.
        digest_ = container::PasswordDigest(password);
        key_ = container::TrimSpaces(password);
        return true;
    }

    // Reads the plain file once: the header goes out with the checksum pending, the blocks are
    // enciphered while the checksum takes in their plain bytes, and the checksum goes into its place at
    // the end. It describes exactly the bytes the container holds, even of a file that changes meanwhile.
    // The plain file is open before anything is removed, so an unreadable one costs no old container; the
    // container is done once it is on the disk, which the run sees to.
    bool Process(BatchRun& run, const std::string& plainPath) override {
        host::InputFile plain(plainPath);
        const host::OutputFolder folder(plainPath + container::Extension);
        run.ClearOutputName(folder, plainPath, texts::ContainerIsInputReason);
        auto output = std::make_unique<host::OutputFile>(folder, plain.Permissions());
        run.Created(folder, *output);
        const container::HeaderBytes header = container::ComposeHeader(container::PendingChecksum, digest_);
        output->Write(header.data(), header.size());
        clsCRC& crc = run.Window().m_CRC;
        crc.Clear();
        run.TransformBlocks(rc4_, key_, plain, *output, plain.Length(), crc);
        const std::string checksum = container::ChecksumText(crc.value(), plain.Length());
        crc.Clear();
        output->WriteAt(container::MarkerSize, reinterpret_cast<const std::uint8_t*>(checksum.data()),
                        container::ChecksumSize);
        plain.Close();
        run.Completed(std::move(output));
        return true;
    }

private:
    std::string digest_;
    std::string key_;
    clsRC4 rc4_; // one key schedule for the whole batch
};

} // namespace

void cmdEnc_Click(BatchWindow& window) {
    EncryptJob job;
    RunBatch(window, Side, job);
}
