#include "window_fixture.h"

#include "core/batch_texts.h"
#include "host/process.h"
#include "host/windows_text.h"
#include "window/window_texts.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

int Extent(HWND list) {
    return static_cast<int>(::SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0));
}

// The width of a text in the list's own font, in its pixels.
int WidthInList(HWND list, const std::string& text) {
    const std::wstring wide = host::windows::Widen(text);
    HDC dc = ::GetDC(list);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(list, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(list, dc);
    return size.cx;
}

bool ScrollsSideways(HWND list) {
    return (::GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL) != 0;
}

// A mouse message at a point of the list, as the system sends it.
void Mouse(HWND list, UINT message, POINT at) {
    ::SendMessageW(list, message, message == WM_LBUTTONUP || message == WM_MOUSEMOVE ? 0 : MK_LBUTTON,
                   MAKELPARAM(at.x, at.y));
}

POINT ItemCentre(HWND list, int index) {
    RECT item{};
    ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

// A point of the list below its last item.
POINT Beside(HWND list) {
    RECT client{};
    ::GetClientRect(list, &client);
    return {10, client.bottom - 5};
}

// A click, and a double-click, at a point of the list, as the mouse delivers them.
void ClickAt(HWND list, POINT at) {
    Mouse(list, WM_LBUTTONDOWN, at);
    Mouse(list, WM_LBUTTONUP, at);
}
void DoubleClickAt(HWND list, POINT at) {
    ClickAt(list, at);
    Mouse(list, WM_LBUTTONDBLCLK, at);
    Mouse(list, WM_LBUTTONUP, at);
}

} // namespace

TEST_F(NativeWindowTest, DropsFillTheListsByTheirRules) {
    Open();
    const std::string a = MakeFile("a.rc4", 40);
    const std::string b = MakeFile("b.RC4", 40);
    const std::string text = MakeFile("y.txt", 10);
    const std::string shortcut = MakeFile("w.lnk", 10);
    const std::string folder = MakeFolder("z.rc4");

    // The decryption list refuses each file without ".rc4" with a box of its own and skips folders.
    Drop(2, {a, text, b, folder, shortcut});
    EXPECT_EQ(Items(2), (std::vector<std::string>{a, b}));
    ASSERT_EQ(warnings_.size(), 2u);
    EXPECT_EQ(warnings_[0].text,
              std::string(texts::RefusedFilePrefix) + "y.txt\r\n" + texts::RefusedFileReason);
    EXPECT_EQ(warnings_[1].text,
              std::string(texts::RefusedFilePrefix) + "w.lnk\r\n" + texts::RefusedFileReason);
    EXPECT_EQ(warnings_[0].title, host::ExecutableName());
    EXPECT_EQ(Text("Label6"), "Files: 2");

    // The encryption list takes every file, once; the system sorts them, letter case ignored.
    Drop(1, {text, a, text, folder, shortcut, b});
    EXPECT_EQ(Items(1), (std::vector<std::string>{a, b, shortcut, text}));
    EXPECT_EQ(Text("Label5"), "Files: 4");
    EXPECT_GT(Extent(Control("List1")), 0);

    // A drop of folders only adds nothing but shows the count.
    ::SetWindowTextW(Control("Label5"), L"");
    Drop(1, {folder});
    EXPECT_EQ(Text("Label5"), "Files: 4");

    // Files already listed add nothing; a name that differs in letter case only is an item of its own,
    // wherever the system sorts it among the names it compares equal to.
    const std::string upper = dir_.File("Y.TXT");
    Drop(1, {text, upper, a, upper});
    std::vector<std::string> items = Items(1);
    std::sort(items.begin(), items.end());
    std::vector<std::string> expected = {a, b, shortcut, text, upper};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(items, expected);
    EXPECT_EQ(Text("Label5"), "Files: 5");
}

TEST_F(NativeWindowTest, DoubleClickOrDeleteRemovesTheSelectedItemAndClearEmptiesTheList) {
    const std::vector<std::string> plain = {MakeFile("1.txt", 1), MakeFile("2.txt", 1), MakeFile("3.txt", 1)};
    // The middle item removed by a double-click on it, by a double-click beside the items while it is
    // selected, and by the Delete key: each time exactly that item goes. After a double-click nothing
    // stays selected; after Delete the item that took its place is selected (the last item when the
    // last went), so Delete goes on removing, as in a file manager.
    enum class Gesture { DoubleClick, DoubleClickBeside, DeleteKey };
    for (const Gesture gesture : {Gesture::DoubleClick, Gesture::DoubleClickBeside, Gesture::DeleteKey}) {
        SCOPED_TRACE(static_cast<int>(gesture));
        Open(Quoted(plain));
        HWND list = Control("List1");
        if (gesture == Gesture::DoubleClick) {
            DoubleClickAt(list, ItemCentre(list, 1));
        } else {
            ClickAt(list, ItemCentre(list, 1));
            if (gesture == Gesture::DeleteKey) {
                // The pointer rests on the item: its tip names the item that takes the removed one's place.
                Mouse(list, WM_MOUSEMOVE, ItemCentre(list, 1));
                ASSERT_EQ(ToolTip(Window().Handle(), list), plain[1]);
                ::PostMessageW(list, WM_KEYDOWN, VK_DELETE, 1);
                Pass();
                EXPECT_EQ(ToolTip(Window().Handle(), list), plain[2]);
            } else {
                // A click beside the items leaves the selection as it is; the double-click removes it.
                ClickAt(list, Beside(list));
                ASSERT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
                DoubleClickAt(list, Beside(list));
            }
        }
        EXPECT_EQ(Items(1), (std::vector<std::string>{plain[0], plain[2]}));
        EXPECT_EQ(Text("Label5"), "Files: 2");
        if (gesture == Gesture::DeleteKey) {
            EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
            ::PostMessageW(list, WM_KEYDOWN, VK_DELETE, 1);
            Pass();
            EXPECT_EQ(Items(1), std::vector<std::string>{plain[0]});
            EXPECT_EQ(Text("Label5"), "Files: 1");
            EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
            ::PostMessageW(list, WM_KEYDOWN, VK_DELETE, 1);
            Pass();
            EXPECT_TRUE(Items(1).empty());
            EXPECT_EQ(Text("Label5"), "Files: 0");
            EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
            continue;
        }
        EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
        // Nothing selected: a double-click beside the items removes nothing.
        DoubleClickAt(list, Beside(list));
        EXPECT_EQ(Items(1).size(), 2u);
    }

    // Emptied, the list scrolls sideways no more: its extent is the 25 spaces of an empty list.
    HWND list = Control("List1");
    const std::string longer = MakeFile(std::string(120, 'w') + ".txt", 1);
    Drop(1, {longer});
    EXPECT_TRUE(ScrollsSideways(list));
    Click("Command5");
    EXPECT_TRUE(Items(1).empty());
    EXPECT_EQ(Text("Label5"), "Files: 0");
    EXPECT_EQ(Extent(list), WidthInList(list, std::string(25, ' ')));
    EXPECT_FALSE(ScrollsSideways(list));
}

TEST_F(NativeWindowTest, TheEndOfALongPathScrollsIntoViewAndItsToolTipShowsItWhole) {
    // 184 characters, as deep folders give them, beside a short path.
    const std::string path = "C:\\f\\" + std::string(175, 'k') + ".pdf";
    ASSERT_EQ(path.size(), 184u);
    Open(Quoted({path, "C:\\f\\z.txt"}));
    HWND list = Control("List1");
    // Measured in the list's own font, with room for 25 spaces after the path: scrolled to the end, its
    // last letter stands in view.
    const int pathWidth = WidthInList(list, path);
    EXPECT_EQ(Extent(list), pathWidth + WidthInList(list, std::string(25, ' ')));
    EXPECT_TRUE(ScrollsSideways(list));
    RECT client{};
    ::GetClientRect(list, &client);
    EXPECT_LT(pathWidth - (Extent(list) - client.right), client.right - 100);

    // Each item names its whole path; beside the items the list tells what a double-click does.
    Mouse(list, WM_MOUSEMOVE, ItemCentre(list, 0));
    EXPECT_EQ(ToolTip(Window().Handle(), list), path);
    Mouse(list, WM_MOUSEMOVE, ItemCentre(list, 1));
    EXPECT_EQ(ToolTip(Window().Handle(), list), "C:\\f\\z.txt");
    Mouse(list, WM_MOUSEMOVE, Beside(list));
    EXPECT_EQ(ToolTip(Window().Handle(), list), window_texts::ListTip);
}

TEST_F(NativeWindowTest, OpenButtonsAskTheDialogAndListItsAnswer) {
    Open();
    const std::string folder = dir_.Path().string();
    struct Row {
        const char* button;
        const char* title;
        const char* filter;
        const char* extension;
        int list;
        std::vector<std::string> listed;
    };
    // Several files: the folder, then each name after a NUL character.
    dialogAnswer_ = folder + '\0' + " a.txt " + '\0' + "b.rc4";
    const Row rows[] = {
        {"Befehl2",
         window_texts::EncryptDialogTitle,
         window_texts::EncryptDialogFilter,
         window_texts::EncryptDialogExtension,
         1,
         {folder + "\\a.txt", folder + "\\b.rc4"}},
        {"Command3",
         window_texts::DecryptDialogTitle,
         window_texts::DecryptDialogFilter,
         window_texts::DecryptDialogExtension,
         2,
         {folder + "\\ a.txt ", folder + "\\b.rc4"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.button);
        dialogCalls_.clear();
        Click(row.button);
        ASSERT_EQ(dialogCalls_.size(), 1u);
        EXPECT_EQ(dialogCalls_[0].title, row.title);
        EXPECT_EQ(dialogCalls_[0].filter, row.filter);
        EXPECT_EQ(dialogCalls_[0].defaultExtension, row.extension);
        EXPECT_EQ(dialogCalls_[0].initialFolder, host::CurrentDirectory());
        EXPECT_EQ(Items(row.list), row.listed);
        EXPECT_EQ(Text(row.list == 1 ? "Label5" : "Label6"), "Files: 2");
    }
    // Cancelled: nothing added, the status line reset.
    dialogAnswer_.clear();
    Click("Befehl2");
    EXPECT_EQ(Items(1).size(), 2u);
    EXPECT_EQ(Text("Label1"), texts::StatusStart);
}
