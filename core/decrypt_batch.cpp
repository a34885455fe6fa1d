// The decryption batch: every container of List2 is checked (marker, password) and restored beside
// itself, under its former name or with a suffix, then verified against its stored checksum.

#include "core/batch_run.h"
#include "core/batch_texts.h"
#include "core/batches.h"
#include "core/codepage.h"
#include "core/command_line.h"
#include "core/container.h"
#include "core/file_names.h"
#include "core/output_name.h"
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
    // Only an empty password is refused: a password of spaces is refused when encrypting, but containers
    // made under one elsewhere (the salt alone as check text, plain bytes) must stay restorable.
    if (window.PasswordText(2).empty()) {
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

std::string ShownName(const BatchWindow& window, const std::string& path) {
    return window.ShownName(Nurdatei(path, host::PathSeparator()));
}

std::string NotAContainerMessage(const BatchWindow& window, const std::string& containerPath) {
    return texts::NotAContainerHead + std::string(texts::NewLine) + ShownName(window, containerPath) +
           texts::NewLine + texts::NotAContainerTail;
}

enum class Outcome { Done, Refused };

// Restores one container. Refused means the container was not accepted (not a container, wrong
// password): its warning is shown and the batch ends, with nothing created or deleted for it.
Outcome DecryptFile(BatchWindow& window, BatchRun& run, clsRC4& rc4, const std::string& containerPath) {
    // The restored name is the container's without its extension; without one, that would cut into
    // another name (even into the folder's) and replace an unrelated file.
    if (!IsContainerName(containerPath, host::PathSeparator())) {
        run.Restore();
        window.ShowWarning(texts::RefusedFilePrefix + ShownName(window, containerPath) + texts::NewLine +
                           texts::RefusedFileReason);
        return Outcome::Refused;
    }
    const std::string outputPath = OutputPath(window, containerPath);
    container::ContainerHeader header;
    std::string key;
    {
        host::InputFile source(containerPath);
        // Shorter than a header, it cannot be one of ours, and its data length would come out negative.
        if (source.Length() < static_cast<std::int64_t>(container::HeaderSize)) {
            source.Close();
            run.Restore();
            window.ShowWarning(NotAContainerMessage(window, containerPath));
            return Outcome::Refused;
        }
        container::HeaderBytes bytes{};
        source.Read(bytes.data(), bytes.size());
        header = container::ParseHeader(bytes);
        if (header.Marker != container::Marker) {
            source.Close();
            run.Restore();
            window.ShowWarning(NotAContainerMessage(window, containerPath));
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
        ClearOutputName(outputPath, containerPath, texts::SameFileReason);
        host::OutputFile output(outputPath);
        run.TransformBlocks(rc4, key, source, output,
                            source.Length() - static_cast<std::int64_t>(container::HeaderSize));
        source.Close();
        output.Close();
    }

    // The output was created exclusively just now, so it is there: the check is never passed over.
    const std::string checksum = window.m_CRC.CalculateFile(outputPath);
    if (checksum != header.PlainChecksum)
        window.ShowWarning(texts::ChecksumErrorHead + ShownName(window, outputPath) + texts::ChecksumErrorMiddle +
                           texts::NewLine + texts::ChecksumErrorTail);
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
            if (!host::FileExists(containerPath))
                window.ItemSkipped(Side, containerPath);
            else if (DecryptFile(window, run, rc4, containerPath) == Outcome::Refused)
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
