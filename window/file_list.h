#pragma once

// A file list of the main window (List1, List2) as the list rules see it, and those rules. Each front
// end adapts its own list widget to FileList; the rules live here once.

#include <string>
#include <vector>

class FileList {
public:
    virtual ~FileList() = default;

    virtual int Count() const = 0;
    // The item at index (0-based): the path as it was added, byte for byte (UTF-8 text, except that a
    // POSIX file name may hold bytes that are no UTF-8).
    virtual std::string Item(int index) const = 0;
    virtual bool IsSelected(int index) const = 0;
    // The row the list shows selected, -1 for none; and a row selected and scrolled into view.
    virtual int SelectedIndex() const = 0;
    virtual void Select(int index) = 0;
    // Adds the paths as if one by one in their order: the list sorts each into its place by what it
    // shows. One call for many paths lets the list make room once and lay itself out once.
    virtual void Add(std::vector<std::string> paths) = 0;
    virtual void RemoveAt(int index) = 0;
    virtual void Clear() = 0;
    virtual void ClearSelection() = 0;
    // The width in pixels (at 96 dpi) the list scrolls over sideways.
    virtual void SetHorizontalExtent(int pixels) = 0;
    // The width in pixels (at 96 dpi) of the widest of the texts as the list draws an item of that text,
    // in the font it draws its items in; 0 for none. One call for many texts lets the list prepare
    // its measuring once.
    virtual double WidestText(const std::vector<std::string>& texts) const = 0;
};

// Adds those of the paths the list does not hold yet, each once: a path is left out when the list holds
// it or an earlier path is the same, byte for byte (letter case counts, and two names that show alike
// but differ in their bytes are two files). So a list never holds a repeat. Where a list sorts an added
// item after those that compare equal to it, the result is the list that adding every path and then
// removing each later repeat would leave, the first of each kept in its place. One pass over the list
// and one over the paths, with a set of what the list holds: the time grows with the items, not with
// their square. Returns the width of the widest path it added, as the list draws it (0 for none): each
// path is measured once, as it comes in, and the items already listed are not measured again.
double xListAddNew(FileList& list, std::vector<std::string> paths);
// Removes the selected items, found before the first removal, and then clears the selection, so a list
// widget that selects a neighbour of a removed item does not make the next double-click remove that one.
void xListRemoveSelected(FileList& list);

// A list's horizontal extent for its widest item: that width and 25 spaces more in the list's font, so
// the end of the widest path can be scrolled into view and never sits at the edge; rounded to whole
// twips (half to even) and cut back to whole pixels.
int ExtentPixels(const FileList& list, double widestItem);

// "Files: " and the count.
std::string FileCountText(int count);
