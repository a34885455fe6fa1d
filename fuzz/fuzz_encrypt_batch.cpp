// The encryption batch over the in-memory disk: up to three files of the input's sizes, contents and
// names (a file listed twice, a file that is a link to its own container's name, a file whose container
// name is another listed file), with what stands at the containers' names, and now and then a fault at
// some operation. Without a fault, the messages and containers must be exactly what an independent
// writing of each container predicts; with one, an injected error must be reported, and every name
// must hold its old content or a complete container.

#include "batch_harness.h"

#include "core/batches.h"
#include "text/codepage.h"

#include <algorithm>
#include <utility>

namespace {

using harness::Bytes;

constexpr const char* Password = "fuzz";

enum class Kind { Plain, Missing, LinkToOwnContainer, ContainerOfPrevious, SameAsPrevious };

struct Item {
    std::string name;
    Kind kind = Kind::Plain;
    Bytes plain;
};

void Run(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const harness::FreshFolder folder;
    bool longPayload = harness::LongPayload(data, size);

    RecordingWindow window;
    window.password[0] = window.password[1] = Password;
    if (in.ConsumeIntegralInRange(0, 15) == 0) {
        window.password[0] = in.ConsumeRandomLengthString(40);
        window.password[1] = in.ConsumeBool() ? window.password[0] : in.ConsumeRandomLengthString(40);
    }

    static constexpr const char* Bases[] = {"p.txt", "p", "p.tar.gz", ".p", "p.rc4"};
    std::vector<Item> items(in.ConsumeIntegralInRange(1, 3));
    std::map<std::string, harness::Occupant> occupants; // by container name
    for (std::size_t i = 0; i < items.size(); ++i) {
        Item& item = items[i];
        item.kind = static_cast<Kind>(in.ConsumeIntegralInRange(0, 9) % 5);
        if (i == 0 && (item.kind == Kind::ContainerOfPrevious || item.kind == Kind::SameAsPrevious))
            item.kind = Kind::Plain;
        if (item.kind == Kind::SameAsPrevious && items[i - 1].kind == Kind::Missing)
            item.kind = Kind::Plain;
        const std::size_t base = in.ConsumeIntegralInRange<std::size_t>(0, std::size(Bases));
        item.name = std::to_string(i) + (base < std::size(Bases) ? Bases[base] : harness::FuzzedName(in, 12));
        if (item.kind == Kind::ContainerOfPrevious)
            item.name = items[i - 1].name + ".rc4";
        if (item.kind == Kind::SameAsPrevious)
            item.name = items[i - 1].name;
        item.plain = harness::PlainBytes(in, std::exchange(longPayload, false));
        window.list[0].push_back(harness::Path(item.name));
    }
    for (const Item& item : items) {
        if (item.kind == Kind::Plain || item.kind == Kind::ContainerOfPrevious)
            host::memory::WriteFile(harness::Path(item.name), item.plain);
        else if (item.kind == Kind::LinkToOwnContainer)
            host::memory::MakeLink(item.name + ".rc4", harness::Path(item.name));
    }
    for (const Item& item : items) {
        const std::string output = item.name + ".rc4";
        const std::string path = harness::Path(output);
        if (item.kind == Kind::LinkToOwnContainer && host::memory::Kind(path) == host::EntryKind::None) {
            harness::Place(harness::Occupant::File, path);
            occupants[output] = harness::Occupant::File;
        }
        const harness::Occupant occupant = harness::PickOccupant(in);
        const bool listed =
            std::any_of(items.begin(), items.end(), [&](const Item& other) { return other.name == output; });
        if (host::memory::Kind(path) != host::EntryKind::None || listed)
            continue; // nothing placed in a listed file's place, even a missing one's
        harness::Place(occupant, path);
        occupants[output] = occupant;
    }

    std::vector<std::string> cuttable;
    for (const Item& item : items)
        if (item.kind == Kind::Plain || item.kind == Kind::ContainerOfPrevious)
            cuttable.push_back(harness::Path(item.name));
    const harness::Snapshot before = harness::Look();
    harness::FaultPlan fault;
    const bool withFault = in.ConsumeBool();
    if (withFault)
        fault = harness::PlanFault(in, cuttable);

    cmdEnc_Click(window);
    const bool fired = fault.Fired();
    host::faults::Reset();
    harness::CheckIdle(window);

    const std::string& password = window.password[0];
    if (container::TrimSpaces(password).empty() || !codepage::Representable(password) ||
        codepage::CharCount(password) > container::MaxPasswordLength || password != window.password[1]) {
        if (window.warnings.size() != 1)
            harness::Fail("a refused password must give one warning");
        harness::CheckFolder(before, {});
        return;
    }
    // What the batch must have done, item by item.
    std::vector<std::string> warnings;
    std::map<std::string, std::vector<Bytes>> allowed;
    std::vector<std::string> pendingOutputs;
    const auto containerOf = [&](const Bytes& plain) {
        return reference::Container(plain, password, reference::ChecksumText(plain));
    };
    for (const Item& item : items) {
        if (item.kind == Kind::Missing)
            continue;
        const std::string output = item.name + ".rc4";
        const harness::Occupant occupant =
            occupants.contains(output) ? occupants[output] : harness::Occupant::None;
        if (item.kind == Kind::LinkToOwnContainer) {
            // The link leads to the file at its container's name: encrypting it there would destroy it.
            const auto target = before.find(output);
            if (target != before.end() && target->second.kind == host::EntryKind::File) {
                warnings.push_back(harness::FailureMessage(item.name, texts::ContainerIsInputReason));
                break;
            }
            continue; // a link to nothing is no file to encrypt
        }
        if (std::find(pendingOutputs.begin(), pendingOutputs.end(), output) != pendingOutputs.end()) {
            warnings.push_back(harness::FailureMessage(output, texts::WrittenBeforeReason));
            break;
        }
        const bool listed = std::any_of(items.begin(), items.end(), [&](const Item& other) {
            return other.name == output && other.kind != Kind::Missing;
        });
        if (listed) {
            warnings.push_back(harness::FailureMessage(output, texts::ListedReason));
            break;
        }
        if (const char* reason = harness::OccupantReason(occupant)) {
            warnings.push_back(harness::FailureMessage(output, reason));
            break;
        }
        allowed[output].push_back(containerOf(item.plain));
        pendingOutputs.push_back(output);
    }

    if (!withFault || !fired) {
        harness::CheckExactly(window, warnings, before, allowed);
        return;
    }
    harness::CheckReported(fault, window);
    auto expectedBefore = before;
    if (fault.cut) {
        // A file cut short before it was read gives the container of what it then held.
        const std::string cutName = fault.cutPath.substr(harness::Folder.size() + 1);
        if (expectedBefore.contains(cutName))
            expectedBefore[cutName].bytes = fault.Cut(expectedBefore[cutName].bytes);
        for (const Item& item : items)
            if (item.name == cutName)
                allowed[item.name + ".rc4"].push_back(containerOf(fault.Cut(item.plain)));
    }
    harness::CheckFolder(expectedBefore, allowed);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Run(data, size);
    return 0;
}
