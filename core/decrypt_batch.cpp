// The decryption batch: every container of List2 is checked (marker, password) and restored beside
// itself, under its former name or with a suffix, then verified against its stored checksum.

#include "core/batch_run.h"
#include "core/batch_texts.h"
#include "core/batches.h"
#include "core/container.h"
#include "core/file_names.h"
#include "core/input_rules.h"
#include "core/output_name.h"
#include "crypto/clsRC4.h"
#include "host/files.h"

#include <algorithm>
#include <memory>

namespace {

constexpr BatchSide Side = BatchSide::Decrypt;

// The text without its last n characters (UTF-8 aware).
std::string DropLastCharacters(const std::string& text, int n) {
    std::size_t end = text.size();
    while (n-- > 0 && end > 0) {
        --end;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            --end;
    }
    return text.substr(0, end);
}

std::string OutputPath(const BatchWindow& window, const std::string& containerPath) {
    const std::string restored = DropLastCharacters(containerPath, 4);
    if (!window.SuffixSelected())
        return restored;
    const char separator = host::PathSeparator();
    return nur_Pfad(restored, separator) + NurName(restored, separator) +
           container::TrimSpaces(window.SuffixText()) + NurExt(restored, separator);
}

std::string ShownName(const BatchWindow& window, const std::string& path) {
    return window.ShownName(Nurdatei(path, host::PathSeparator()));
}

std::string NotAContainerMessage(const BatchWindow& window, const std::string& containerPath) {
    return texts::NotAContainerHead + std::string(texts::NewLine) + ShownName(window, containerPath) +
           texts::NewLine + texts::NotAContainerTail;
}

class DecryptJob : public BatchJob {
public:
    explicit DecryptJob(RestoreTo target) : target_(target) {}

    bool InputAccepted(BatchWindow& window) override {
        if (window.ListCount(Side) == 0) {
            window.ShowWarning(texts::NoFilesToDecrypt);
            return false;
        }
        // Only an empty password is refused: a password of spaces is refused when encrypting, but
        // containers made under one elsewhere (the salt alone as check text, plain bytes) must stay
        // restorable.
        if (window.PasswordText(2).empty()) {
            window.ShowWarning(texts::NoDecryptPassword);
            window.FocusPassword(2);
            return false;
        }
        if (const char* problem = PasswordProblem(window.PasswordText(2))) {
            window.ShowWarning(problem);
            window.FocusPassword(2);
            return false;
        }
        if (window.SuffixSelected()) {
            const std::string suffix = container::TrimSpaces(window.SuffixText());
            if (const char* problem = SuffixProblem(suffix)) {
                window.ShowWarning(problem + window.ShownName(suffix));
                return false;
            }
        }
        return true;
    }

    // Checks the container (name, marker, password) before anything is written or removed, restores
    // it while the checksum takes in the restored bytes, and compares the checksum once the file is
    // complete; nothing is read back.
    bool Process(BatchRun& run, const std::string& containerPath) override {
        BatchWindow& window = run.Window();
        // The restored name is the container's without its extension; without one, that would cut into
        // another name (even into the folder's) and replace an unrelated file.
        if (!IsContainerName(containerPath, host::PathSeparator()))
            return Refuse(run, texts::RefusedFilePrefix + ShownName(window, containerPath) + texts::NewLine +
                                   texts::RefusedFileReason);
        const std::string outputPath = OutputPath(window, containerPath);
        // Restoring into files: the output's folder is opened first, and the container through it.
        std::unique_ptr<host::OutputFolder> folder;
        if (target_ == RestoreTo::Files)
            folder = std::make_unique<host::OutputFolder>(outputPath);
        host::InputFile source =
            folder ? host::InputFile(*folder, containerPath) : host::InputFile(containerPath);
        container::HeaderBytes head{};
        const auto headLength = static_cast<std::size_t>(
            std::min<std::int64_t>(source.Length(), static_cast<std::int64_t>(container::HeaderSize)));
        source.Read(head.data(), headLength);
        // The password is read for every container: a change made during the batch applies from the
        // next container on.
        const std::string password = window.PasswordText(2);
        const auto verdict =
            container::CheckHeader(std::span<const std::uint8_t>(head.data(), headLength), password);
        if (verdict != container::HeaderVerdict::Accepted) {
            source.Close();
            return Refuse(run, verdict == container::HeaderVerdict::WrongPassword
                                   ? std::string(texts::WrongPassword)
                                   : NotAContainerMessage(window, containerPath));
        }
        const std::string storedChecksum = container::ParseHeader(head).PlainChecksum;

        const std::int64_t length = source.Length() - static_cast<std::int64_t>(container::HeaderSize);
        clsCRC& crc = window.m_CRC;
        crc.Clear();
        const std::string key = container::TrimSpaces(password);
        std::unique_ptr<host::OutputFile> output;
        host::NullSink nowhere;
        host::StandardOutput out;
        host::ByteSink* sink = &nowhere;
        if (target_ == RestoreTo::Files) {
            // A suffix can make the restored name the container's own; replacing it would destroy it.
            run.CheckOutputName(*folder, containerPath, texts::SameFileReason);
            output = std::make_unique<host::OutputFile>(*folder, source.Permissions());
            run.Created(*output);
            sink = output.get();
        } else if (target_ == RestoreTo::StandardOutput) {
            // Appending the plain text to the container it comes from would damage it for good.
            if (out.Is(source.Identity()))
                throw host::FileError(host::FileErrorKind::Other, containerPath,
                                      texts::OutputIsContainerReason);
            sink = &out;
        }
        run.TransformBlocks(rc4_, key, source, *sink, length, crc);
        if (target_ == RestoreTo::StandardOutput)
            out.Flush();
        source.CheckUnchanged();
        source.Close();
        const bool whole = container::ChecksumText(crc.value(), length) == storedChecksum;
        crc.Clear();
        if (output)
            return Restored(run, std::move(folder), std::move(output), containerPath, whole);
        if (!whole)
            window.ShowWarning(ChecksumMessage(window, containerPath));
        return true;
    }

private:
    // The restored file, written under a temporary name, takes the restored name once it is on the disk
    // (the run sees to that). One whose checksum does not match still goes under its name, so a damaged
    // container gives up what it holds; but a file already standing there is kept, since the restoration
    // is known to be wrong.
    static bool Restored(BatchRun& run, std::unique_ptr<host::OutputFolder> folder,
                         std::unique_ptr<host::OutputFile> output, const std::string& containerPath,
                         bool whole) {
        BatchWindow& window = run.Window();
        const std::string outputPath = folder->OutputPath();
        if (whole) {
            run.Completed(std::move(folder), std::move(output), containerPath, texts::SameFileReason);
            return true;
        }
        if (folder->Look().kind == host::EntryKind::None) {
            window.ShowWarning(ChecksumMessage(window, outputPath));
            run.Completed(std::move(folder), std::move(output), containerPath, texts::SameFileReason, false);
            return true;
        }
        output->Discard();
        window.ShowWarning(ChecksumMessage(window, outputPath) + texts::NewLine + texts::ChecksumErrorKept);
        return true;
    }

    static std::string ChecksumMessage(const BatchWindow& window, const std::string& named) {
        return texts::ChecksumErrorHead + ShownName(window, named) + texts::ChecksumErrorMiddle +
               texts::NewLine + texts::ChecksumErrorTail;
    }

    // The container was not accepted: its warning, and the batch ends with nothing created or removed
    // for it.
    static bool Refuse(BatchRun& run, const std::string& message) {
        run.Restore();
        run.Window().ShowWarning(message);
        return false;
    }

    RestoreTo target_;
    clsRC4 rc4_; // keyed anew only when the password changes
};

} // namespace

void cmdDec_Click(BatchWindow& window) {
    RunDecryption(window, RestoreTo::Files);
}

void RunDecryption(BatchWindow& window, RestoreTo target) {
    DecryptJob job(target);
    RunBatch(window, Side, job);
}
