#pragma once

// A file list of the main window (List1, List2) as the list rules see it, and those rules. Each front
// end adapts its own list widget to FileList; the rules live here once.

#include <string>

class FileList {
public:
    virtual ~FileList() = default;

    virtual int Count() const = 0;
    // The item at index (0-based): the path as it was added, byte for byte (UTF-8 text, except that a
    // POSIX file name may hold bytes that are no UTF-8).
    virtual std::string Item(int index) const = 0;
    virtual bool IsSelected(int index) const = 0;
    // Adds a path; the list sorts it into its place by what it shows.
    virtual void Add(const std::string& path) = 0;
    virtual void RemoveAt(int index) = 0;
    virtual void Clear() = 0;
    virtual void ClearSelection() = 0;
    // The width in pixels (at 96 dpi) the list scrolls over sideways.
    virtual void SetHorizontalExtent(int pixels) = 0;
};

// Removes every later exact repeat of an item, byte for byte (letter case counts, and two names that
// show alike but differ in their bytes are two files); the rest keep their order.
void xListKillDupes(FileList& list);
// Removes the selected items, found before the first removal, and then clears the selection, so a list
// widget that selects a neighbour of a removed item does not make the next double-click remove that one.
void xListRemoveSelected(FileList& list);

// The text whose width is a list's horizontal extent: the longest item (the first of equal length,
// counted in characters) followed by 25 spaces.
std::string ExtentText(const FileList& list);
// The extent in whole pixels for a measured width of ExtentText: rounded to whole twips (half to even)
// and cut back to whole pixels.
int ExtentPixels(double measuredPixels);

// "Files: " and the count.
std::string FileCountText(int count);
