#include "window/file_list.h"

#include "window/layout.h"
#include "window/window_texts.h"

#include <cmath>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

// The extent holds the longest item and this many spaces more, so its end never sits at the edge.
constexpr int ExtentSpaces = 25;
constexpr int TwipsPerPixel = layout::TwipsPerPixel;

// Characters of a UTF-8 text: every byte that does not continue a sequence starts one.
std::size_t Characters(const std::string& text) {
    std::size_t count = 0;
    for (const char byte : text)
        count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    return count;
}

} // namespace

void xListAddNew(FileList& list, std::vector<std::string> paths) {
    if (paths.empty())
        return;
    std::vector<bool> fresh(paths.size());
    {
        // The set looks at the paths where they stand, so a long intake is not copied once more for it.
        const int count = list.Count();
        std::vector<std::string> items;
        items.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            items.push_back(list.Item(i));
        std::unordered_set<std::string_view> held(items.begin(), items.end());
        for (std::size_t i = 0; i < paths.size(); ++i)
            fresh[i] = held.insert(paths[i]).second;
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (!fresh[i])
            continue;
        // A string moved onto itself may be left empty.
        if (kept != i)
            paths[kept] = std::move(paths[i]);
        ++kept;
    }
    paths.resize(kept);
    if (!paths.empty())
        list.Add(std::move(paths));
}

void xListRemoveSelected(FileList& list) {
    std::vector<int> selected;
    for (int i = 0; i < list.Count(); ++i)
        if (list.IsSelected(i))
            selected.push_back(i);
    for (auto at = selected.rbegin(); at != selected.rend(); ++at)
        list.RemoveAt(*at);
    if (!selected.empty())
        list.ClearSelection();
}

std::string ExtentText(const FileList& list) {
    std::string longest = list.Count() > 0 ? list.Item(0) : std::string();
    std::size_t longestLength = Characters(longest);
    for (int i = 1; i < list.Count(); ++i) {
        std::string text = list.Item(i);
        const std::size_t length = Characters(text);
        if (length > longestLength) {
            longest = std::move(text);
            longestLength = length;
        }
    }
    return longest + std::string(ExtentSpaces, ' ');
}

int ExtentPixels(double measuredPixels) {
    // std::nearbyint rounds half to even in the default rounding mode.
    const auto twips = static_cast<long long>(std::nearbyint(measuredPixels * TwipsPerPixel));
    return static_cast<int>(twips / TwipsPerPixel);
}

std::string FileCountText(int count) {
    return window_texts::FileCountPrefix + std::to_string(count);
}
