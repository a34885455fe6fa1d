#pragma once

#include "window/file_list.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A file list of the main window on a system list box (LISTBOX with LBS_SORT, so the system sorts every
// added item into its place, letter case ignored, in the user's collation):
//   - items as UTF-8 texts, kept by the list box as UTF-16; the list box holds as many as memory allows
//     (the limit of 32,767 items was Windows 95's), and its scroll thumb reaches every one of them;
//   - many paths added in one call without a repaint or scroll bar update between them;
//   - the items' texts kept beside the list box as well, in its order, so that reading the list (which
//     the rules do at every intake, and a batch item by item) sends it no message;
//   - a horizontal extent in pixels at 96 dpi, set through LB_SETHORIZONTALEXTENT scaled to the list's
//     resolution, and only when SetHorizontalExtent asks;
//   - files dropped from the shell (WM_DROPFILES) handed on as full paths in the drop's order;
//   - a click beside the items only takes the focus, whatever the system's list box would select, so a
//     double-click there removes the selected item; the Delete key is reported;
//   - over an item, its full path as the tool tip, also when items come or go under the pointer;
//     beside the items, the tip the window gave the list.
class ListBox : public FileList {
public:
    using DropHandler = std::function<void(const std::vector<std::string>& paths)>;
    using KeyHandler = std::function<void()>;

    ListBox() = default;
    ListBox(const ListBox&) = delete;
    ListBox& operator=(const ListBox&) = delete;

    // Takes over a list box: accepts dropped files on it and reports them to dropped, and reports the
    // Delete key (without Shift, Ctrl or Alt) to deleted.
    void Attach(HWND list, DropHandler dropped, KeyHandler deleted);
    HWND Handle() const { return list_; }

    // FileList.
    int Count() const override;
    std::string Item(int index) const override;
    bool IsSelected(int index) const override;
    int SelectedIndex() const override;
    void Select(int index) override;
    void Add(std::vector<std::string> paths) override;
    void RemoveAt(int index) override;
    void Clear() override;
    void ClearSelection() override;
    void SetHorizontalExtent(int pixels) override;
    double WidestText(const std::vector<std::string>& texts) const override;

    // The list now stands on a screen of dpi: its extent is scaled anew.
    void SetDpi(UINT dpi);
    // The window's tool tips, among them the list's own (added for the list box itself, TTF_IDISHWND):
    // from now on the tip over an item is its path.
    void ShowItemTips(HWND toolTips);

private:
    static LRESULT CALLBACK Subclass(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
    void Dropped(HDROP drop);
    // The item under a point of the list's client area; -1 beside the items.
    int ItemAt(POINT at) const;
    // The pointer moved to a point: the tip follows the item under it.
    void PointerAt(POINT at);
    // The items changed: the tip follows the item now under the pointer, not the one that stood there.
    void ItemsChanged();
    // The list box's parent hears of a double-click, as the list box itself tells it.
    void ReportDoubleClick() const;

    HWND list_ = nullptr;
    DropHandler dropped_;
    KeyHandler deleted_;
    UINT dpi_ = 96;
    // At 96 dpi; -1 until the first SetHorizontalExtent.
    int extent_ = -1;
    // The items as they were added, and their places: order_[i] is the index in texts_ of the list
    // box's item i. Reading an item back from the list box costs two messages, under Wine 13 to 200 µs
    // each (comctl32 looks up its subclass data through the server for every message); moving 4-byte
    // places when an item is sorted in costs far less. A removed item's text is given back at once,
    // its slot when the list is cleared.
    std::vector<std::string> texts_;
    std::vector<std::uint32_t> order_;
    // The tool tips, the list's own tip, and the item whose path the tip shows (-1: the list's own tip;
    // NoTip: unknown, since the items changed).
    static constexpr int NoTip = -2;
    HWND toolTips_ = nullptr;
    std::wstring ownTip_;
    int tipItem_ = NoTip;
    // Where the pointer last moved over the list.
    std::optional<POINT> pointer_;
};
