// The decryption batch: every container of List2 is checked (marker, password) and restored beside
// itself, under its former name or with a suffix, then verified against its stored checksum.

#include "core/batch_run.h"
#include "core/batch_texts.h"
#include "core/batches.h"
#include "core/codepage.h"
#include "core/container.h"
#include "core/file_names.h"
#include "crypto/clsRC4.h"
#include "host/files.h"

#include <stdexcept>

namespace {

constexpr BatchSide Side = BatchSide::Decrypt;

bool InputAccepted(BatchWindow& window) {
    if (window.ListCount(Side) == 0) {
        window.ShowWarning(texts::NoFilesToDecrypt);
        return false;
    }
    if (container::TrimSpaces(window.PasswordText(2)).empty()) {
        window.ShowWarning(texts::NoDecryptPassword);
        window.FocusPassword(2);
        return false;
    }
    return true;
}

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

std::string NotAContainerMessage(const std::string& containerPath) {
    return texts::NotAContainerHead + std::string(texts::NewLine) +
           Nurdatei(containerPath, host::PathSeparator()) + texts::NewLine + texts::NotAContainerTail;
}

enum class Outcome { Done, Refused };

// Restores one container. Refused means the container was not accepted (not a container, wrong
// password): its warning is shown and the batch ends, with nothing created or deleted for it.
Outcome DecryptFile(BatchWindow& window, BatchRun& run, clsRC4& rc4, const std::string& containerPath) {
    const std::string outputPath = OutputPath(window, containerPath);
    container::ContainerHeader header;
    std::string key;
    {
        host::InputFile source(containerPath);
        // Shorter than a header, it cannot be one of ours, and its data length would come out negative.
        if (source.Length() < static_cast<std::int64_t>(container::HeaderSize)) {
            source.Close();
            run.Restore();
            window.ShowWarning(NotAContainerMessage(containerPath));
            return Outcome::Refused;
        }
        container::HeaderBytes bytes{};
        source.Read(bytes.data(), bytes.size());
        header = container::ParseHeader(bytes);
        if (header.Marker != container::Marker) {
            source.Close();
            run.Restore();
            window.ShowWarning(NotAContainerMessage(containerPath));
            return Outcome::Refused;
        }
        const std::string password = window.PasswordText(2);
        if (container::PasswordDigest(password) != header.PasswordDigest) {
            source.Close();
            run.Restore();
            window.ShowWarning(texts::WrongPassword);
            return Outcome::Refused;
        }
        key = container::TrimSpaces(password);

        // A suffix can make the restored name the container's own; replacing it would destroy it.
        if (outputPath == containerPath || host::SameFile(outputPath, containerPath))
            throw host::FileError(host::FileErrorKind::Other, containerPath, texts::SameFileReason);
        if (host::FileExists(outputPath)) {
            host::ClearAttributes(outputPath);
            host::DeleteFile(outputPath);
        }
        host::OutputFile output(outputPath);
        run.TransformBlocks(rc4, key, source, output,
                            source.Length() - static_cast<std::int64_t>(container::HeaderSize));
        source.Close();
        output.Close();
    }

    if (host::FileExists(outputPath)) {
        const std::string checksum = window.m_CRC.CalculateFile(outputPath);
        if (checksum != header.PlainChecksum) {
            const char separator = host::PathSeparator();
            window.ShowWarning(texts::ChecksumErrorHead + Nurdatei(outputPath, separator) +
                               texts::ChecksumErrorMiddle + texts::NewLine + texts::ChecksumErrorTail);
        }
    }
    window.m_CRC.Clear();
    return Outcome::Done;
}

} // namespace

void cmdDec_Click(BatchWindow& window) {
    if (window.ButtonCaption(Side) == texts::CaptionCancel) {
        window.CancelDecrypt = true;
        return;
    }
    // A second click during a one-container batch, or a click while the other batch runs.
    if (window.BatchRunning)
        return;
    if (!InputAccepted(window))
        return;

    clsRC4 rc4;
    BatchRun run(window, Side);
    std::string containerPath;
    try {
        for (int i = 0; i < run.Count(); ++i) {
            if (!run.StillListed(i))
                break;
            window.SetListIndex(Side, i);
            containerPath = window.ListItem(Side, i);
            if (host::FileExists(containerPath) &&
                DecryptFile(window, run, rc4, containerPath) == Outcome::Refused)
                return;
            if (run.CancelRequested())
                break;
        }
    } catch (const std::exception& failure) {
        run.Fail(failure, containerPath);
        return;
    }
    run.Finish();
}
