#include "core/output_name.h"

#include "core/batch_texts.h"
#include "host/system_reasons.h"

KeptFiles::KeptFiles(std::function<std::vector<std::string>()> listed) : listed_(std::move(listed)) {}

void KeptFiles::Created(const host::FileIdentity& output) {
    created_.insert(output);
}

void KeptFiles::LookAtList() {
    looked_ = true;
    for (const std::string& path : listed_()) {
        const auto file = host::IdentityOf(path, true);
        if (file)
            listedFiles_.emplace(*file, path);
        const auto entry = host::IdentityOf(path, false);
        if (entry && entry != file)
            listedLinks_.insert(*entry);
    }
}

const char* KeptFiles::WhyKept(const host::OutputFolder& folder, const host::Entry& entry) {
    if (created_.contains(entry.identity))
        return texts::WrittenBeforeReason;
    if (!looked_)
        LookAtList();
    if (entry.kind == host::EntryKind::Link)
        return listedLinks_.contains(entry.identity) ? texts::ListedReason : nullptr;
    const auto listed = listedFiles_.find(entry.identity);
    if (listed == listedFiles_.end())
        return nullptr;
    // A file with several names keeps its data under the others when one goes: only the listed name
    // itself must stay.
    if (entry.links > 1 && !host::LeadsTo(listed->second, folder.OutputPath()))
        return nullptr;
    return texts::ListedReason;
}

bool CheckOutputName(const host::OutputFolder& folder, const std::string& inputPath,
                     const char* sameFileReason, KeptFiles& kept) {
    const std::string& outputPath = folder.OutputPath();
    if (outputPath == inputPath || host::LeadsTo(inputPath, outputPath))
        throw host::FileError(host::FileErrorKind::Other, inputPath, sameFileReason);
    const host::Entry entry = folder.Look();
    switch (entry.kind) {
    case host::EntryKind::None:
        return false;
    case host::EntryKind::Link:
    case host::EntryKind::File:
        if (entry.hidden)
            throw host::FileError(host::FileErrorKind::AccessRefused, outputPath,
                                  host::reasons::AccessDenied);
        if (const char* reason = kept.WhyKept(folder, entry))
            throw host::FileError(host::FileErrorKind::Other, outputPath, reason);
        return true;
    case host::EntryKind::Folder:
        throw host::FileError(host::FileErrorKind::Other, outputPath, host::reasons::IsFolder);
    case host::EntryKind::Special:
        break;
    }
    throw host::FileError(host::FileErrorKind::Other, outputPath, host::reasons::NotOrdinary);
}
