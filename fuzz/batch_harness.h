#pragma once

// What the batch fuzzers share: a fresh folder on the in-memory disk, things standing at an output's
// name, a fault at some operation, and the checks every run ends with (the window idle, no temporary
// file left, nothing but the outputs changed, each output old or exactly one of its allowed contents).

#include "reference_container.h"
#include "support/recording_window.h"

#include "core/batch_texts.h"
#include "host/fault_injection.h"
#include "host/memory_disk.h"
#include "host/temporary_name.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace harness {

using Bytes = std::vector<std::uint8_t>;

inline const std::string Folder = "/w";
// What a link at an output's name leads to: a file that must stay as it is.
inline const std::string Elsewhere = "/w/elsewhere";
inline const Bytes OldBytes = {'a', 'l', 't'};
constexpr std::size_t BlockSize = container::BlockSize;

[[noreturn]] inline void Fail(const std::string& what) {
    std::fprintf(stderr, "property broken: %s\n", what.c_str());
    std::abort();
}

// The batch's messages are not the predicted ones: both lists, for whoever replays the input.
[[noreturn]] inline void FailMessages(const std::vector<std::string>& shown,
                                      const std::vector<std::string>& predicted) {
    for (const std::string& text : shown)
        std::fprintf(stderr, "shown:     %s\n", text.c_str());
    for (const std::string& text : predicted)
        std::fprintf(stderr, "predicted: %s\n", text.c_str());
    Fail("the messages differ from the independent reading");
}

inline std::string Path(const std::string& name) {
    return Folder + "/" + name;
}

inline Bytes ToBytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// A fresh disk with the folder and the file links lead to; emptied again when the run ends, so a run
// frees what it allocated (libFuzzer reruns an input whose allocations outlive it, looking for a leak).
struct FreshFolder {
    FreshFolder() {
        host::memory::Reset();
        host::memory::MakeFolder(Folder);
        host::memory::WriteFile(Elsewhere, ToBytes("anders"));
    }
    ~FreshFolder() { host::memory::Reset(); }
    FreshFolder(const FreshFolder&) = delete;
    FreshFolder& operator=(const FreshFolder&) = delete;
};

// A name from the input: a few bytes, none of them a separator or NUL, never "." or "..".
inline std::string FuzzedName(FuzzedDataProvider& in, std::size_t maxLength) {
    std::string name = in.ConsumeRandomLengthString(maxLength);
    for (char& c : name)
        if (c == '/' || c == '\0')
            c = '_';
    if (name.empty() || name == "." || name == "..")
        name += 'n';
    return name;
}

// What may stand at an output's name before the batch.
enum class Occupant { None, File, Link, Folder, Special };

inline Occupant PickOccupant(FuzzedDataProvider& in) {
    // Mostly nothing or an old file, the cases users meet.
    static constexpr Occupant Choices[] = {Occupant::None,   Occupant::None,   Occupant::None,
                                           Occupant::File,   Occupant::File,   Occupant::Link,
                                           Occupant::Folder, Occupant::Special};
    return Choices[in.ConsumeIntegralInRange<std::size_t>(0, std::size(Choices) - 1)];
}

inline void Place(Occupant occupant, const std::string& path) {
    switch (occupant) {
    case Occupant::None:
        break;
    case Occupant::File:
        host::memory::WriteFile(path, OldBytes);
        break;
    case Occupant::Link:
        host::memory::MakeLink(Elsewhere, path);
        break;
    case Occupant::Folder:
        host::memory::MakeFolder(path);
        break;
    case Occupant::Special:
        host::memory::MakeSpecial(path);
        break;
    }
}

// The reason a batch gives for an output name it will not replace, for the occupants that have one.
inline const char* OccupantReason(Occupant occupant) {
    switch (occupant) {
    case Occupant::Folder:
        return "Ist ein Ordner";
    case Occupant::Special:
        return "Keine gewöhnliche Datei (Ordner, Pipe, Socket oder Gerät)";
    default:
        return nullptr;
    }
}

inline std::string FailureMessage(const std::string& name, const std::string& reason) {
    return texts::FileFailureHead + name + texts::NewLine + reason;
}

// What the folder holds: each name with its kind and, for a file, its bytes.
struct Entry {
    host::EntryKind kind;
    Bytes bytes;
    bool operator==(const Entry&) const = default;
};
using Snapshot = std::map<std::string, Entry>;

inline Snapshot Look() {
    Snapshot snapshot;
    for (host::memory::Listed& entry : host::memory::Listing(Folder))
        snapshot[entry.name] = {entry.kind, std::move(entry.bytes)};
    return snapshot;
}

// A fault planned from the input, or none: an operation k that fails with an error, or before which
// another program cuts a file short.
struct FaultPlan {
    std::uint64_t at = 0; // 0: no fault
    bool cut = false;
    std::string cutPath;
    std::size_t cutLength = 0;

    void Arm() const {
        if (at == 0 || !cut)
            return;
        host::faults::BeforeOperation(
            [at = at, path = cutPath, length = cutLength, seen = std::uint64_t{0}](const char*) mutable {
                if (++seen == at) {
                    Bytes bytes = host::memory::ReadFile(path);
                    bytes.resize(std::min(bytes.size(), length));
                    host::memory::WriteFile(path, bytes);
                }
            });
    }
    Bytes Cut(Bytes bytes) const {
        bytes.resize(std::min(bytes.size(), cutLength));
        return bytes;
    }
    // Whether the fault is an error of the file layer (not a file cut short), which must be reported.
    bool Injected() const { return at != 0 && !cut; }
    // Whether the planned fault came to pass: the batch reached operation k.
    bool Fired() const { return at != 0 && host::faults::OperationCount() >= at; }
};

// Reads a fault plan: one of the injected errors, or a file of the folder cut short.
inline FaultPlan PlanFault(FuzzedDataProvider& in, const std::vector<std::string>& cuttable) {
    FaultPlan plan;
    plan.at = in.ConsumeIntegralInRange<std::uint64_t>(1, 48);
    const int kind = in.ConsumeIntegralInRange(0, 3);
    if (kind == 3 && !cuttable.empty()) {
        plan.cut = true;
        plan.cutPath = cuttable[in.ConsumeIntegralInRange<std::size_t>(0, cuttable.size() - 1)];
        plan.cutLength = in.ConsumeIntegralInRange<std::size_t>(0, 300000);
        host::faults::Reset();
    } else {
        static constexpr host::faults::Fault Faults[] = {
            host::faults::Fault::AccessRefused, host::faults::Fault::DiskFull, host::faults::Fault::IoError};
        host::faults::FailOperation(plan.at, Faults[kind % 3]);
    }
    plan.Arm();
    return plan;
}

// The input's bytes repeated to length.
HARNESS_UNCOUNTED inline Bytes Stretched(const Bytes& plain, std::size_t length) {
    Bytes stretched(length);
    std::uint8_t* to = stretched.data();
    for (std::size_t i = 0; i < length; ++i)
        to[i] = plain.empty() ? static_cast<std::uint8_t>(i * 7) : plain[i % plain.size()];
    return stretched;
}

// Whether this input's plain bytes go past a block: for one input in 1024, by a hash of the whole input
// rather than by a byte of it, so the inputs derived from a long one are mostly short again. A long
// payload costs as much as a few hundred short ones; chosen by a byte, the fuzzer would keep choosing it.
HARNESS_UNCOUNTED inline bool LongPayload(const std::uint8_t* data, std::size_t size) {
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 16777619u;
    return (hash >> 22) == 0;
}

// The plain bytes: the input's, or (long) stretched to end just before, at or past the end of the first
// or second block.
inline Bytes PlainBytes(FuzzedDataProvider& in, bool long_) {
    Bytes plain = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 2048));
    if (long_)
        plain = Stretched(plain, (in.ConsumeBool() ? 2 : 1) * BlockSize - 2 +
                                     in.ConsumeIntegralInRange<std::size_t>(0, 4));
    return plain;
}

inline void CheckIdle(const RecordingWindow& window) {
    if (window.RunningBatch() || window.WaitPointer() || window.caption[0] != texts::CaptionEncrypt ||
        window.caption[1] != texts::CaptionDecrypt)
        Fail("the window is not idle after the batch");
}

// Every name of the folder afterwards: no temporary file, each name either as it was or (an output)
// holding one of its allowed contents, and no other name.
inline void CheckFolder(const Snapshot& before, const std::map<std::string, std::vector<Bytes>>& allowed) {
    const Snapshot after = Look();
    for (const auto& [name, entry] : after) {
        if (host::IsTemporaryName(name))
            Fail("temporary file left: " + name);
        const auto was = before.find(name);
        if (was != before.end() && was->second == entry)
            continue;
        const auto outputs = allowed.find(name);
        bool ok = false;
        if (outputs != allowed.end() && entry.kind == host::EntryKind::File)
            for (const Bytes& bytes : outputs->second)
                ok = ok || bytes == entry.bytes;
        if (!ok)
            Fail("changed or new, and not as allowed: " + name);
    }
    for (const auto& [name, entry] : before)
        if (!after.contains(name) && !allowed.contains(name))
            Fail("gone: " + name);
}

// Without a fault (or with one the batch never reached), the batch did exactly what was predicted: its
// messages, and each output holds its one allowed content; nothing else changed.
inline void CheckExactly(const RecordingWindow& window, const std::vector<std::string>& predicted,
                         const Snapshot& before, const std::map<std::string, std::vector<Bytes>>& allowed) {
    if (window.warnings != predicted)
        FailMessages(window.warnings, predicted);
    const Snapshot after = Look();
    for (const auto& [name, contents] : allowed)
        if (!after.contains(name) || after.at(name).bytes != contents.front())
            Fail("an output does not hold what was predicted: " + name);
    CheckFolder(before, allowed);
}

// An error the file layer gave is never passed over in silence.
inline void CheckReported(const FaultPlan& fault, const RecordingWindow& window) {
    if (fault.Injected() && window.warnings.empty())
        Fail("an injected failure went unreported");
}

} // namespace harness
