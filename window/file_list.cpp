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

} // namespace

double xListAddNew(FileList& list, std::vector<std::string> paths) {
    if (paths.empty())
        return 0;
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
    if (paths.empty())
        return 0;
    const double widest = list.WidestText(paths);
    list.Add(std::move(paths));
    return widest;
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

int ExtentPixels(const FileList& list, double widestItem) {
    const double measuredPixels = widestItem + list.WidestText({std::string(ExtentSpaces, ' ')});
    // std::nearbyint rounds half to even in the default rounding mode.
    const auto twips = static_cast<long long>(std::nearbyint(measuredPixels * TwipsPerPixel));
    return static_cast<int>(twips / TwipsPerPixel);
}

std::string FileCountText(int count) {
    return window_texts::FileCountPrefix + std::to_string(count);
}
