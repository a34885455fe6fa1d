#include "core/output_name.h"

#include "host/files.h"
#include "host/system_reasons.h"

void ClearOutputName(const std::string& outputPath, const std::string& inputPath,
                     const char* sameFileReason) {
    if (outputPath == inputPath || host::LeadsTo(inputPath, outputPath))
        throw host::FileError(host::FileErrorKind::Other, inputPath, sameFileReason);
    switch (host::LookAt(outputPath)) {
    case host::EntryKind::None:
        return;
    case host::EntryKind::Link:
        host::DeleteFile(outputPath);
        return;
    case host::EntryKind::File:
        if (host::FileExists(outputPath)) {
            host::ClearAttributes(outputPath);
            host::DeleteFile(outputPath);
        }
        return;
    case host::EntryKind::Folder:
        throw host::FileError(host::FileErrorKind::Other, outputPath, host::reasons::IsFolder);
    case host::EntryKind::Special:
        throw host::FileError(host::FileErrorKind::Other, outputPath, host::reasons::NotOrdinary);
    }
}
