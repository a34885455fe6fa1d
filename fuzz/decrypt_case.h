#pragma once

// One decryption batch built from a fuzzer's input: up to three containers whose headers the harness
// builds (so most get past the password check), in any of the three ways of restoring, with what stands
// at the restored names, and (withFault) a fault at some operation. Without a fault, the batch must give
// exactly the messages, files and standard output an independent reading of the containers predicts;
// with one, an injected error must be reported, and every name must still hold its old content or a
// complete restoration.

#include "batch_harness.h"
#include "reference_container.h"

#include "core/batches.h"
#include "core/container.h"
#include "core/file_names.h"
#include "text/codepage.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace decrypt_case {

using harness::Bytes;

constexpr const char* Password = "fuzz";

enum class ChecksumField { Right, LowerCase, Pending, Random };
enum class Way { Suffix, OriginalName, StandardOutput, Nowhere };

struct Item {
    std::string name;     // the container's name in the folder
    bool present = true;  // an item whose file is missing is passed over
    Bytes bytes;          // the container as written
    std::string password; // the one it was made under
    std::string output;   // the restored file's name (restoring into files)
    harness::Occupant occupant = harness::Occupant::None;
};

inline std::string ChecksumText(ChecksumField field, const Bytes& plain, FuzzedDataProvider& in) {
    std::string text = reference::ChecksumText(plain);
    switch (field) {
    case ChecksumField::Right:
        break;
    case ChecksumField::LowerCase:
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        break;
    case ChecksumField::Pending:
        text = container::PendingChecksum;
        break;
    case ChecksumField::Random:
        text = in.ConsumeBytesAsString(8);
        break;
    }
    return text;
}

// The name restored from a container's name: without its last four characters, and with the suffix
// before the extension of what remains.
inline std::string RestoredName(const std::string& containerName, Way way, const std::string& suffix) {
    const std::string restored = containerName.substr(0, containerName.size() - 4);
    if (way != Way::Suffix)
        return restored;
    const std::size_t dot = restored.rfind('.');
    if (dot == std::string::npos)
        return restored + container::TrimSpaces(suffix);
    return restored.substr(0, dot) + container::TrimSpaces(suffix) + restored.substr(dot);
}

// Whether a name is one the batch takes for a container: ".rc4" in any letter case after a non-empty
// name.
inline bool ContainerName(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return false;
    std::string extension = name.substr(dot);
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return extension == ".rc4";
}

inline std::string ChecksumMessage(const std::string& name) {
    return texts::ChecksumErrorHead + name + texts::ChecksumErrorMiddle + texts::NewLine +
           texts::ChecksumErrorTail;
}

inline void Run(const std::uint8_t* data, std::size_t size, bool withFault) {
    FuzzedDataProvider in(data, size);
    const harness::FreshFolder folder;
    bool longPayload = harness::LongPayload(data, size);

    RecordingWindow window;
    const Way way = static_cast<Way>(in.ConsumeIntegralInRange(0, 3));
    window.suffixSelected = way == Way::Suffix;
    // Now and then a password or suffix of the input's: a wrong one, or one the batch must refuse.
    window.password[2] = in.ConsumeIntegralInRange(0, 15) == 0 ? in.ConsumeRandomLengthString(40) : Password;
    if (in.ConsumeIntegralInRange(0, 7) == 0)
        window.suffix = in.ConsumeRandomLengthString(8);

    static constexpr const char* Extensions[] = {".rc4", ".RC4", ".Rc4", ".rC4", ".txt", ""};
    static constexpr const char* Bases[] = {"f.txt", "f", "f.tar.gz", "f.rc4", ".f", "f."};
    std::vector<Item> items(in.ConsumeIntegralInRange(1, 3));
    for (std::size_t i = 0; i < items.size(); ++i) {
        Item& item = items[i];
        const std::size_t base = in.ConsumeIntegralInRange<std::size_t>(0, std::size(Bases));
        std::string name = base < std::size(Bases) ? Bases[base] : harness::FuzzedName(in, 12);
        // Mostly one of the extensions; sometimes the same name as the item before in another case.
        const std::size_t extension = in.ConsumeIntegralInRange<std::size_t>(0, std::size(Extensions) + 1);
        if (extension >= std::size(Extensions) && i > 0 && ContainerName(items[i - 1].name)) {
            name = items[i - 1].name;
            const std::size_t dot = name.size() - 4;
            name[dot + 1] = static_cast<char>(name[dot + 1] ^ 0x20); // "r" <-> "R"
        } else {
            name = std::to_string(i) + name + Extensions[extension % std::size(Extensions)];
        }
        const bool unique = std::none_of(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(i),
                                         [&](const Item& other) { return other.name == name; });
        item.name = unique ? name : name + std::to_string(i);

        const Bytes plain = harness::PlainBytes(in, std::exchange(longPayload, false));
        const auto field = static_cast<ChecksumField>(in.ConsumeIntegralInRange(0, 5) % 4);
        item.password = in.ConsumeIntegralInRange(0, 7) == 0 ? in.ConsumeRandomLengthString(40) : Password;
        item.bytes = reference::Container(plain, item.password, ChecksumText(field, plain, in));
        if (in.ConsumeIntegralInRange(0, 7) == 0) // a marker of the input's
            for (std::size_t k = 0; k < container::MarkerSize; ++k)
                item.bytes[k] = in.ConsumeIntegral<std::uint8_t>();
        if (in.ConsumeIntegralInRange(0, 7) == 0) // cut short
            item.bytes.resize(in.ConsumeIntegralInRange<std::size_t>(0, item.bytes.size()));
        item.present = in.ConsumeIntegralInRange(0, 15) != 0;
        item.occupant = harness::PickOccupant(in);
        window.list[1].push_back(harness::Path(item.name));
    }
    // Files first, then what stands at the outputs' names (never in a container's place).
    for (const Item& item : items)
        if (item.present)
            host::memory::WriteFile(harness::Path(item.name), item.bytes);
    // What stands at each restored name; a name two items restore to gets one occupant.
    std::map<std::string, harness::Occupant> occupants;
    for (Item& item : items) {
        if (!ContainerName(item.name))
            continue;
        item.output = RestoredName(item.name, way, window.suffix);
        const bool intoFiles = way == Way::Suffix || way == Way::OriginalName;
        if (!intoFiles || item.output.empty() || item.output == "." || item.output == ".." ||
            item.output.find('/') != std::string::npos ||
            host::memory::Kind(harness::Path(item.output)) != host::EntryKind::None ||
            std::any_of(items.begin(), items.end(),
                        [&](const Item& other) { return other.name == item.output; }))
            continue; // nothing placed in a listed file's place, even a missing one's
        harness::Place(item.occupant, harness::Path(item.output));
        occupants[item.output] = item.occupant;
    }

    std::vector<std::string> cuttable;
    for (const Item& item : items)
        if (item.present)
            cuttable.push_back(harness::Path(item.name));
    const harness::Snapshot before = harness::Look();
    harness::FaultPlan fault;
    if (withFault)
        fault = harness::PlanFault(in, cuttable);

    const RestoreTo target = way == Way::StandardOutput ? RestoreTo::StandardOutput
                             : way == Way::Nowhere      ? RestoreTo::Nowhere
                                                        : RestoreTo::Files;
    RunDecryption(window, target);
    const bool fired = fault.Fired();
    host::faults::Reset();

    harness::CheckIdle(window);

    // What the batch must have done, item by item, as an independent reading predicts.
    std::vector<std::string> warnings;
    std::map<std::string, std::vector<Bytes>> allowed;
    Bytes standardOutput;
    const std::string& password = window.password[2];
    const bool passwordUsable = !password.empty() && codepage::Representable(password) &&
                                codepage::CharCount(password) <= container::MaxPasswordLength;
    const std::string suffix = container::TrimSpaces(window.suffix);
    const bool suffixUsable = way != Way::Suffix || suffix.find_first_of("/\\") == std::string::npos;
    if (!passwordUsable || !suffixUsable) {
        // Refused before anything is touched: one warning, nothing changed.
        if (window.warnings.size() != 1)
            harness::Fail("a refused password or suffix must give one warning");
        harness::CheckFolder(before, {});
        return;
    }
    std::vector<std::string> pendingOutputs; // restored names taken in this run
    for (const Item& item : items) {
        if (!item.present)
            continue;
        if (!ContainerName(item.name)) {
            warnings.push_back(texts::RefusedFilePrefix + item.name + texts::NewLine +
                               texts::RefusedFileReason);
            break;
        }
        const Bytes& bytes = item.bytes;
        const std::string marker(bytes.begin(), bytes.begin() + std::min<std::size_t>(bytes.size(), 3));
        const std::string field(bytes.begin() + std::min<std::size_t>(bytes.size(), 3),
                                bytes.begin() + std::min<std::size_t>(bytes.size(), 11));
        if (bytes.size() < container::HeaderSize || marker != container::Marker ||
            field == container::PendingChecksum) {
            warnings.push_back(texts::NotAContainerHead + std::string(texts::NewLine) + item.name +
                               texts::NewLine + texts::NotAContainerTail);
            break;
        }
        if (codepage::ToAnsi(container::TrimSpaces(item.password)) !=
            codepage::ToAnsi(container::TrimSpaces(password))) {
            warnings.push_back(texts::WrongPassword);
            break;
        }
        Bytes plain(bytes.begin() + container::HeaderSize, bytes.end());
        reference::TransformData(plain, password);
        const bool whole = reference::ChecksumText(plain) == field;
        if (way == Way::StandardOutput || way == Way::Nowhere) {
            if (way == Way::StandardOutput)
                standardOutput.insert(standardOutput.end(), plain.begin(), plain.end());
            if (!whole)
                warnings.push_back(ChecksumMessage(item.name));
            continue;
        }
        // Restoring into files: what stands at the restored name decides.
        const std::string& output = item.output;
        const harness::Occupant occupant =
            occupants.contains(output) ? occupants[output] : harness::Occupant::None;
        if (output == item.name) {
            warnings.push_back(harness::FailureMessage(item.name, texts::SameFileReason));
            break;
        }
        if (std::find(pendingOutputs.begin(), pendingOutputs.end(), output) != pendingOutputs.end()) {
            warnings.push_back(harness::FailureMessage(output, texts::WrittenBeforeReason));
            break;
        }
        const bool listed = std::any_of(items.begin(), items.end(), [&](const Item& other) {
            return other.present && other.name == output;
        });
        if (listed) {
            warnings.push_back(harness::FailureMessage(output, texts::ListedReason));
            break;
        }
        if (const char* reason = harness::OccupantReason(occupant)) {
            warnings.push_back(harness::FailureMessage(output, reason));
            break;
        }
        if (whole || occupant == harness::Occupant::None) {
            if (!whole)
                warnings.push_back(ChecksumMessage(output));
            allowed[output].push_back(plain);
            pendingOutputs.push_back(output);
        } else {
            warnings.push_back(ChecksumMessage(output) + texts::NewLine + texts::ChecksumErrorKept);
        }
    }

    if (!withFault || !fired) {
        if (host::memory::StandardOutputBytes() != standardOutput)
            harness::Fail("standard output differs from the independent reading");
        harness::CheckExactly(window, warnings, before, allowed);
        return;
    }
    harness::CheckReported(fault, window);
    if (fault.cut) {
        // A container cut short before it was read restores as what it then held.
        for (const Item& item : items) {
            if (item.output.empty() || harness::Path(item.name) != fault.cutPath)
                continue;
            Bytes plain = fault.Cut(item.bytes);
            if (plain.size() < container::HeaderSize)
                continue;
            plain.erase(plain.begin(), plain.begin() + container::HeaderSize);
            reference::TransformData(plain, password);
            allowed[item.output].push_back(plain);
        }
        // The cut container itself is the other program's doing.
        auto cutBefore = before;
        const std::string cutName = fault.cutPath.substr(harness::Folder.size() + 1);
        if (cutBefore.contains(cutName))
            cutBefore[cutName].bytes = fault.Cut(cutBefore[cutName].bytes);
        harness::CheckFolder(cutBefore, allowed);
        return;
    }
    const Bytes& written = host::memory::StandardOutputBytes();
    if (!std::equal(written.begin(), written.end(), standardOutput.begin(),
                    standardOutput.begin() +
                        static_cast<std::ptrdiff_t>(std::min(written.size(), standardOutput.size()))) ||
        written.size() > standardOutput.size())
        harness::Fail("standard output is no part of the independent reading");
    harness::CheckFolder(before, allowed);
}

} // namespace decrypt_case
