#include "window_fixture.h"

#include "core/batch_texts.h"
#include "host/process.h"
#include "window/window_texts.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

int Extent(HWND list) {
    return static_cast<int>(::SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0));
}

// A double-click on the item at index, as the mouse delivers it.
void DoubleClickItem(HWND list, int index) {
    RECT item{};
    ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(list, WM_LBUTTONUP, 0, at);
    ::SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::SendMessageW(list, WM_LBUTTONUP, 0, at);
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

TEST_F(NativeWindowTest, DoubleClickRemovesTheItemAndClearEmptiesTheList) {
    const std::vector<std::string> plain = {MakeFile("1.txt", 1), MakeFile("2.txt", 1), MakeFile("3.txt", 1)};
    Open(Quoted(plain));
    HWND list = Control("List1");
    const int extent = Extent(list);
    EXPECT_GT(extent, 0);

    DoubleClickItem(list, 1);
    EXPECT_EQ(Items(1), (std::vector<std::string>{plain[0], plain[2]}));
    EXPECT_EQ(Text("Label5"), "Files: 2");
    // The selection went with the item: a double-click on nothing removes nothing.
    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
    ::SendMessageW(Window().Handle(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(Items(1).size(), 2u);

    // Emptying leaves the extent as it was.
    Click("Command5");
    EXPECT_TRUE(Items(1).empty());
    EXPECT_EQ(Text("Label5"), "Files: 0");
    EXPECT_EQ(Extent(list), extent);
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
