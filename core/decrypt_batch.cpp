// The decryption batch: every container of List2 is checked (marker, password) and restored beside
// itself, under its former name or with a suffix, then verified against its stored checksum.

#include "core/batch_run.h"
#include "core/batch_texts.h"
#include "core/batches.h"
#include "core/container.h"
#include "core/file_names.h"
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
        host::InputFile source(containerPath);
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
        switch (target_) {
        case RestoreTo::Files: {
            const host::OutputFolder folder(outputPath);
            // A suffix can make the restored name the container's own; replacing it would destroy it.
            run.ClearOutputName(folder, containerPath, texts::SameFileReason);
            auto output = std::make_unique<host::OutputFile>(folder, source.Permissions());
            run.Created(folder, *output);
            run.TransformBlocks(rc4_, key, source, *output, length, crc);
            run.Completed(std::move(output));
            break;
        }
        case RestoreTo::Nowhere: {
            host::NullSink nowhere;
            run.TransformBlocks(rc4_, key, source, nowhere, length, crc);
            break;
        }
        case RestoreTo::StandardOutput: {
            host::StandardOutput out;
            // Appending the plain text to the container it comes from would damage it for good.
            if (out.Is(source.Identity()))
                throw host::FileError(host::FileErrorKind::Other, containerPath,
                                      texts::OutputIsContainerReason);
            run.TransformBlocks(rc4_, key, source, out, length, crc);
            out.Flush();
            break;
        }
        }
        source.Close();
        const std::string checksum = container::ChecksumText(crc.value(), length);
        crc.Clear();
        if (checksum != storedChecksum) {
            const std::string& named = target_ == RestoreTo::Files ? outputPath : containerPath;
            window.ShowWarning(texts::ChecksumErrorHead + ShownName(window, named) +
                               texts::ChecksumErrorMiddle + texts::NewLine + texts::ChecksumErrorTail);
        }
        return true;
    }

private:
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
