// The real message box and open-file dialog of Win32Host::System(), answered by a timer that runs in
// their own modal loops, as a user would answer them.

#include "window_fixture.h"

#include "host/process.h"
#include "host/windows_text.h"
#include "win32/controls.h"
#include "win32/open_files.h"
#include "win32/win32_host.h"

#include <objbase.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// The dialog box (class #32770) the thread shows, if any.
HWND ShownDialog() {
    struct Search {
        HWND found = nullptr;
    } search;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            wchar_t name[16] = {};
            ::GetClassNameW(window, name, 16);
            if (std::wstring(name) == L"#32770" && ::IsWindowVisible(window)) {
                reinterpret_cast<Search*>(data)->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Answers the first dialog box the thread shows, from a timer that runs inside the dialog's own loop.
class DialogAnswerer {
public:
    explicit DialogAnswerer(std::function<void(HWND)> answer) : answer_(std::move(answer)) {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, 50, Tick);
    }
    ~DialogAnswerer() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    bool Answered() const { return answered_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        DialogAnswerer* self = current_;
        if (self == nullptr || self->answered_)
            return;
        if (HWND dialog = ShownDialog()) {
            self->answered_ = true;
            self->answer_(dialog);
        }
    }

    static inline DialogAnswerer* current_ = nullptr;
    std::function<void(HWND)> answer_;
    bool answered_ = false;
    UINT_PTR timer_ = 0;
};

std::string Joined(const std::vector<std::string>& parts) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "" : std::string(1, '\0')) + parts[i];
    return text;
}

} // namespace

TEST_F(NativeWindowTest, TheWarningBoxIsModalWithOneOkButtonAndTheProgramsName) {
    Open();
    HWND owner = Window().Handle();
    bool ownerDisabled = false;
    std::string title;
    std::string text;
    bool ok = false;
    bool cancel = true;
    bool exclamation = false;
    DialogAnswerer answerer([&](HWND box) {
        ownerDisabled = !::IsWindowEnabled(owner);
        title = controls::Text(box);
        for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                exclamation |= reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0)) ==
                               ::LoadIconW(nullptr, IDI_EXCLAMATION);
            else
                text += controls::Text(child) + "|";
        }
        ok = ::GetDlgItem(box, IDOK) != nullptr;
        cancel = ::GetDlgItem(box, IDCANCEL) != nullptr || ::GetDlgItem(box, IDNO) != nullptr;
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    Win32Host::System().warningBox(owner, host::ExecutableName(), "Zeile 1\r\nZeile 2");
    ASSERT_TRUE(answerer.Answered());
    EXPECT_TRUE(ownerDisabled);
    EXPECT_EQ(title, host::ExecutableName());
    EXPECT_NE(text.find("Zeile 1"), std::string::npos);
    EXPECT_NE(text.find("Zeile 2"), std::string::npos);
    EXPECT_TRUE(ok);
    EXPECT_FALSE(cancel);
    EXPECT_TRUE(exclamation);
    EXPECT_TRUE(::IsWindowEnabled(owner));
}

TEST_F(NativeWindowTest, TheOpenDialogAnswersWithTheFolderAndEveryChosenName) {
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    MakeFile("a.txt", 1);
    MakeFile("b c.txt", 1);
    Open();
    const std::string folder = Utf8FromPath(dir_.Path());
    OpenDialogRequest request{"Titel", folder, "Alle Dateien (*.*)|*.*", "*.*"};

    struct Row {
        const wchar_t* typed; // nullptr: cancelled
        std::string result;
    };
    const Row rows[] = {
        {LR"("a.txt" "b c.txt")", folder + '\0' + "a.txt" + '\0' + "b c.txt"},
        {L"a.txt", folder + "\\a.txt"},
        {nullptr, ""},
    };
    for (const Row& row : rows) {
        std::string title;
        DialogAnswerer answerer([&](HWND dialog) {
            title = controls::Text(dialog);
            if (row.typed == nullptr) {
                ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            // The file name box of the explorer-style dialog (cmb13), or its edit box (edt1).
            if (!::SetDlgItemTextW(dialog, 0x47c, row.typed))
                ::SetDlgItemTextW(dialog, 0x480, row.typed);
            ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
        const std::string result = Win32Host::System().openFiles(Window().Handle(), request);
        ASSERT_TRUE(answerer.Answered());
        EXPECT_EQ(title, "Titel");
        EXPECT_EQ(result, row.result);
    }
    if (SUCCEEDED(com))
        ::CoUninitialize();
}

TEST(OpenFilesFields, FilterAndResultTextInTheDialogsForm) {
    EXPECT_EQ(open_files::SystemFilter("RC4 (*.rc4)|*.rc4"), std::wstring(L"RC4 (*.rc4)\0*.rc4\0\0", 19));
    const wchar_t buffer[] = L"C:\\d\0a\0b\0\0junk";
    EXPECT_EQ(open_files::ResultText(buffer, std::size(buffer)), std::string("C:\\d\0a\0b", 8));
}

TEST(OpenFilesFields, LeftOfSeparatorCutsAtTheFirstOccurrence) {
    const struct {
        std::string text;
        std::string separator;
        std::string left;
    } cases[] = {
        {"a|b|c", "|", "a"},
        {"abc", "|", "abc"},
        {"", "|", ""},
        {"|a", "|", ""},
        {Joined({"/d", "a", "", "b"}), std::string(2, '\0'), Joined({"/d", "a"})},
        {"aXXb", "XX", "a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(open_files::LeftOfSeparator(c.text, c.separator), c.left) << c.text;
}
