#pragma once

// How a batch makes room for the file it writes. The output's name may already be taken by anything a
// shared file system holds: an earlier output, a link, a FIFO, a folder, another file of the batch's
// list, or the input itself.

#include "host/files.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// What one batch must never remove to make room for an output: the files its list names, under whatever
// name, and the outputs it has created so far.
class KeptFiles {
public:
    // listed gives the list's paths; they are looked at only once an output's name is found taken.
    explicit KeptFiles(std::function<std::vector<std::string>()> listed);

    void Created(const host::FileIdentity& output);
    // Why the entry at the folder's output name must stay, or nullptr when it may be removed.
    const char* WhyKept(const host::OutputFolder& folder, const host::Entry& entry);

private:
    void LookAtList();

    std::function<std::vector<std::string>()> listed_;
    bool looked_ = false;
    std::map<host::FileIdentity, std::string> listedFiles_; // the files the items lead to, by one item
    std::set<host::FileIdentity> listedLinks_;              // items that are links themselves
    std::set<host::FileIdentity> created_;
};

// Checks that a new file may take the folder's output name, the one rule that guards every name a batch
// writes to; it changes nothing. Refused with a FileError:
//   - when inputPath leads to that very entry (through a link), naming inputPath with sameFileReason:
//     replacing the output would destroy the input;
//   - when the entry is one that kept must keep (another item of the list, an earlier output);
//   - a folder, FIFO, socket or device there;
//   - on Windows a hidden or system file there, which counts as absent and is never replaced.
// Returns whether a file or link stands there for the new file to replace (a link itself, never its
// target). The caller checks again right before it renames the new file into place.
bool CheckOutputName(const host::OutputFolder& folder, const std::string& inputPath,
                     const char* sameFileReason, KeptFiles& kept);
