#include "win32/list_box.h"

#include "host/windows_text.h"
#include "win32/look.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windowsx.h>

#include <cstring>
#include <cwchar>
#include <exception>
#include <utility>

using host::windows::Narrow;
using host::windows::Widen;

namespace {

// The names a drop holds, in its order. DragQueryFileW finds the i-th name by walking the drop's block
// from its start, so asking it for every name takes time that grows with the square of their number
// (under Wine half a minute for 40,000 files). The block (DROPFILES, then the names, each ended by a
// NUL, and one more NUL) is read here in one pass; should it not read as DragQueryFileW counts it, the
// names are asked for one by one after all.
std::vector<std::string> DroppedPaths(HDROP drop) {
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::string> paths;
    paths.reserve(count);
    if (const auto* block = static_cast<const char*>(::GlobalLock(drop))) {
        const SIZE_T size = ::GlobalSize(drop);
        const auto* files = reinterpret_cast<const DROPFILES*>(block);
        if (size >= sizeof(DROPFILES) && files->pFiles >= sizeof(DROPFILES) && files->pFiles < size) {
            const char* at = block + files->pFiles;
            const char* const end = block + size;
            if (files->fWide) {
                // The block holds UTF-16; it need not be aligned for wchar_t, so it is read by copying.
                std::wstring name;
                for (wchar_t unit; end - at >= static_cast<std::ptrdiff_t>(sizeof(wchar_t));
                     at += sizeof(wchar_t)) {
                    std::memcpy(&unit, at, sizeof(wchar_t));
                    if (unit != L'\0') {
                        name += unit;
                        continue;
                    }
                    if (name.empty())
                        break;
                    paths.push_back(Narrow(name.data(), name.size()));
                    name.clear();
                }
            } else {
                // Names in the system's code page, as DragQueryFileW converts them.
                for (const char* name = at; name < end && *name != '\0';) {
                    const char* stop = static_cast<const char*>(std::memchr(name, '\0', end - name));
                    if (stop == nullptr)
                        break;
                    const int units =
                        ::MultiByteToWideChar(CP_ACP, 0, name, static_cast<int>(stop - name), nullptr, 0);
                    std::wstring wide(static_cast<std::size_t>(units), L'\0');
                    ::MultiByteToWideChar(CP_ACP, 0, name, static_cast<int>(stop - name), wide.data(), units);
                    paths.push_back(Narrow(wide.data(), wide.size()));
                    name = stop + 1;
                }
            }
        }
        ::GlobalUnlock(drop);
        if (paths.size() == count)
            return paths;
        paths.clear();
    }
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        const UINT got = ::DragQueryFileW(drop, i, path.data(), length + 1);
        paths.push_back(Narrow(path.data(), got));
    }
    return paths;
}

} // namespace

void ListBox::Attach(HWND list, DropHandler dropped, KeyHandler deleted) {
    list_ = list;
    dropped_ = std::move(dropped);
    deleted_ = std::move(deleted);
    dpi_ = ::GetDpiForWindow(list);
    ::SetWindowSubclass(list, Subclass, 0, reinterpret_cast<DWORD_PTR>(this));
    ::DragAcceptFiles(list, TRUE);
}

int ListBox::Count() const {
    return static_cast<int>(order_.size());
}

std::string ListBox::Item(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= order_.size())
        return {};
    return texts_[order_[static_cast<std::size_t>(index)]];
}

bool ListBox::IsSelected(int index) const {
    return ::SendMessageW(list_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

int ListBox::SelectedIndex() const {
    return static_cast<int>(::SendMessageW(list_, LB_GETCURSEL, 0, 0));
}

void ListBox::Select(int index) {
    ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ListBox::Add(std::vector<std::string> paths) {
    if (paths.empty())
        return;
    // Converted first: nothing may throw while the list box does not draw.
    std::vector<std::wstring> texts;
    texts.reserve(paths.size());
    std::size_t units = 0;
    for (const std::string& path : paths) {
        texts.push_back(Widen(path));
        units += texts.back().size() + 1;
    }
    // Otherwise the list box sets its scroll bar and repaints after every item, and grows its storage
    // bit by bit.
    ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list_, LB_INITSTORAGE, static_cast<WPARAM>(texts.size()),
                   static_cast<LPARAM>(units * sizeof(wchar_t)));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        // The list box answers with the place it sorted the item into, or an error when out of memory.
        const LRESULT at = ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[i].c_str()));
        if (at < 0 || static_cast<std::size_t>(at) > order_.size())
            continue;
        texts_.push_back(std::move(paths[i]));
        order_.insert(order_.begin() + at, static_cast<std::uint32_t>(texts_.size() - 1));
    }
    ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_, nullptr, TRUE);
    ItemsChanged();
}

void ListBox::RemoveAt(int index) {
    if (::SendMessageW(list_, LB_DELETESTRING, static_cast<WPARAM>(index), 0) == LB_ERR ||
        static_cast<std::size_t>(index) >= order_.size())
        return;
    const auto at = order_.begin() + index;
    std::string().swap(texts_[*at]);
    order_.erase(at);
    ItemsChanged();
}

void ListBox::Clear() {
    ::SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    texts_.clear();
    order_.clear();
    ItemsChanged();
}

void ListBox::ClearSelection() {
    ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void ListBox::SetHorizontalExtent(int pixels) {
    extent_ = pixels < 0 ? 0 : pixels;
    ::SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(::MulDiv(extent_, dpi_, look::BaseDpi)),
                   0);
}

double ListBox::WidestText(const std::vector<std::string>& texts) const {
    // Measured as the list box draws its items: its own font, one line.
    HDC dc = ::GetDC(list_);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(list_, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (const std::string& text : texts) {
        const std::wstring wide = Widen(text);
        SIZE size{};
        if (::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size) &&
            size.cx > widest)
            widest = size.cx;
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(list_, dc);
    return static_cast<double>(widest) * look::BaseDpi / dpi_;
}

void ListBox::SetDpi(UINT dpi) {
    dpi_ = dpi;
    if (extent_ >= 0)
        SetHorizontalExtent(extent_);
}

void ListBox::ShowItemTips(HWND toolTips) {
    toolTips_ = toolTips;
    // A tip is one line of a few dozen characters.
    std::wstring tip(1024, L'\0');
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = ::GetParent(list_);
    tool.uId = reinterpret_cast<UINT_PTR>(list_);
    tool.lpszText = tip.data();
    ::SendMessageW(toolTips_, TTM_GETTEXTW, tip.size(), reinterpret_cast<LPARAM>(&tool));
    tip.resize(std::wcslen(tip.c_str()));
    ownTip_ = std::move(tip);
    tipItem_ = NoTip;
}

int ListBox::ItemAt(POINT at) const {
    RECT client{};
    ::GetClientRect(list_, &client);
    // Worked out from the top item and the rows' height: LB_ITEMFROMPOINT answers in 16 bits.
    const auto height = static_cast<int>(::SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0));
    const auto top = static_cast<int>(::SendMessageW(list_, LB_GETTOPINDEX, 0, 0));
    if (!::PtInRect(&client, at) || height <= 0 || top < 0)
        return -1;
    const int index = top + at.y / height;
    return index < Count() ? index : -1;
}

void ListBox::PointerAt(POINT at) {
    if (toolTips_ == nullptr)
        return;
    const int item = ItemAt(at);
    if (item == tipItem_)
        return;
    tipItem_ = item;
    std::wstring text = item < 0 ? ownTip_ : Widen(Item(item));
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = ::GetParent(list_);
    tool.uId = reinterpret_cast<UINT_PTR>(list_);
    tool.lpszText = text.data();
    ::SendMessageW(toolTips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ListBox::ItemsChanged() {
    tipItem_ = NoTip;
    if (pointer_)
        PointerAt(*pointer_);
}

void ListBox::ReportDoubleClick() const {
    ::SendMessageW(::GetParent(list_), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list_), LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(list_));
}

void ListBox::Dropped(HDROP drop) {
    const std::vector<std::string> paths = DroppedPaths(drop);
    // The shell's memory goes back before any message box of the handler waits for the user.
    ::DragFinish(drop);
    // No exception may pass through the system's frames; a drop that fails ends quietly.
    try {
        dropped_(paths);
    } catch (const std::exception&) {
    }
}

LRESULT CALLBACK ListBox::Subclass(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR self) {
    auto* box = reinterpret_cast<ListBox*>(self);
    switch (message) {
    case WM_DROPFILES:
        box->Dropped(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // Beside the items the system's list box would select the last item, or nothing, depending on
        // the system; here it only takes the focus, and a double-click there is one on the list.
        if (box->ItemAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) < 0) {
            ::SetFocus(list);
            if (message == WM_LBUTTONDBLCLK)
                box->ReportDoubleClick();
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (wParam == VK_DELETE && ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 &&
            ::GetKeyState(VK_MENU) >= 0) {
            // No exception may pass through the system's frames.
            try {
                if (box->deleted_)
                    box->deleted_();
            } catch (const std::exception&) {
            }
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        box->pointer_ = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        box->PointerAt(*box->pointer_);
        break;
    case WM_VSCROLL:
        // The thumb let go: the message holds its position in 16 bits only, so past 65,535 items the
        // list box would jump back to the position modulo 65,536. The scroll bar keeps all 32.
        if (LOWORD(wParam) == SB_THUMBPOSITION) {
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_TRACKPOS;
            if (::GetScrollInfo(list, SB_VERT, &info)) {
                ::SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(info.nTrackPos), 0);
                return 0;
            }
        }
        break;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(list, Subclass, id);
        break;
    }
    return ::DefSubclassProc(list, message, wParam, lParam);
}
