// The encryption batch: every file of List1 becomes a container beside it, named after it plus ".rc4".

#include "core/batch_run.h"
#include "core/batch_texts.h"
#include "core/batches.h"
#include "core/container.h"
#include "core/input_rules.h"
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
        if (const char* problem = PasswordProblem(password)) {
            window.ShowWarning(problem);
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
    // the end. A file that changed while it was read is refused, since the container would hold neither
    // its old nor its new content. The output's folder is opened first and the plain file through it; the
    // container is written under a temporary name and takes its own only once it is on the disk (the run
    // sees to that), so an old container of that name stays whole until then.
    bool Process(BatchRun& run, const std::string& plainPath) override {
        auto folder = std::make_unique<host::OutputFolder>(plainPath + container::Extension);
        host::InputFile plain(*folder, plainPath);
        run.CheckOutputName(*folder, plainPath, texts::ContainerIsInputReason);
        auto output = std::make_unique<host::OutputFile>(*folder, plain.Permissions());
        run.Created(*output);
        const container::HeaderBytes header = container::ComposeHeader(container::PendingChecksum, digest_);
        output->Write(header.data(), header.size());
        clsCRC& crc = run.Window().m_CRC;
        crc.Clear();
        run.TransformBlocks(rc4_, key_, plain, *output, plain.Length(), crc);
        plain.CheckUnchanged();
        const std::string checksum = container::ChecksumText(crc.value(), plain.Length());
        crc.Clear();
        output->WriteAt(container::MarkerSize, reinterpret_cast<const std::uint8_t*>(checksum.data()),
                        container::ChecksumSize);
        plain.Close();
        run.Completed(std::move(folder), std::move(output), plainPath, texts::ContainerIsInputReason);
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
