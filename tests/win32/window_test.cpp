#include "window_fixture.h"

#include "support/accessible_names.h"

#include "core/batch_texts.h"
#include "host/file_error.h"
#include "host/system_reasons.h"
#include "host/windows_text.h"
#include "win32/controls.h"
#include "win32/frmInfo.h"
#include "window/info_text.h"
#include "window/layout.h"
#include "window/widgets.h"
#include "window/window_texts.h"

#include <commctrl.h>
#include <objbase.h>
#include <oleacc.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// What the warning balloon at a box says while it is shown; empty when none is.
std::string Balloon(HWND box) {
    for (HWND tips = nullptr; (tips = ::FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) != nullptr;) {
        if ((::GetWindowLongW(tips, GWL_STYLE) & TTS_BALLOON) == 0 || !::IsWindowVisible(tips))
            continue;
        wchar_t text[1024] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = ::GetParent(box);
        tool.uId = reinterpret_cast<UINT_PTR>(box);
        tool.lpszText = text;
        ::SendMessageW(tips, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&tool));
        return host::windows::Narrow(text);
    }
    return "";
}

struct Placed {
    const char* name;
    layout::Twips place;
    // Labels size themselves to their text: only their left and top edges are fixed, or (the count
    // labels) their right and top edges.
    bool fitsText;
    bool keepsRight = false;
};

constexpr layout::Twips OnButton(const layout::Twips& picture, const layout::Twips& button) {
    return {picture.left - button.left, picture.top - button.top, picture.width, picture.height};
}

// Where the controls stand, in twips of their parent (the padlocks lie on their buttons).
const std::vector<Placed> Places = {
    {"Label2", layout::Label2, true},
    {"Befehl2", layout::Befehl2, false},
    {"List1", layout::List1, false},
    {"Label5", layout::Label5, true, true},
    {"Command5", layout::Command5, false},
    {"Label4(0)", layout::Label4_0, true},
    {"Text3(0)", layout::Text3_0, false},
    {"Label4(1)", layout::Label4_1, true},
    {"Text3(1)", layout::Text3_1, false},
    {"Image1(0)", layout::Image1_0, false},
    {"cmdEnc", layout::cmdEnc, false},
    {"Picture1", OnButton(layout::Picture1, layout::cmdEnc), false},
    {"Label3", layout::Label3, true},
    {"Command3", layout::Command3, false},
    {"List2", layout::List2, false},
    {"Label6", layout::Label6, true, true},
    {"Command6", layout::Command6, false},
    {"Label4(2)", layout::Label4_2, true},
    {"Text3(2)", layout::Text3_2, false},
    {"Command2", layout::Command2, false},
    {"Image1(1)", layout::Image1_1, false},
    {"cmdDec", layout::cmdDec, false},
    {"Picture2", OnButton(layout::Picture2, layout::cmdDec), false},
    {"Option1(0)", layout::Option1_0, false},
    {"Option1(1)", layout::Option1_1, false},
    {"txtSuffix", layout::txtSuffix, false},
    {"Command4", layout::Command4, false},
    {"Command1", layout::Command1, false},
    {"dummy", {layout::DummyHiddenLeft, layout::dummy.top, layout::dummy.width, layout::dummy.height}, false},
    {"Label1", layout::Label1, false},
};

int Px(int twips, int dpi) {
    return ::MulDiv(twips, dpi, 1440);
}

RECT PlaceOf(HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectPlaces(frmRC4& window, int dpi) {
    for (const Placed& row : Places) {
        HWND control = nullptr;
        for (const auto& widget : widgets::Main)
            if (widget.name == std::string(row.name))
                control = window.Control(widget.id);
        const RECT rect = PlaceOf(control);
        SCOPED_TRACE(std::string(row.name) + " at " + std::to_string(dpi) + " dpi");
        if (row.keepsRight)
            EXPECT_EQ(rect.right, Px(row.place.left, dpi) + Px(row.place.width, dpi));
        else
            EXPECT_EQ(rect.left, Px(row.place.left, dpi));
        EXPECT_EQ(rect.top, Px(row.place.top, dpi));
        if (!row.fitsText) {
            EXPECT_EQ(rect.right - rect.left, Px(row.place.width, dpi));
            EXPECT_EQ(rect.bottom - rect.top, Px(row.place.height, dpi));
        }
    }
}

// The name of one of the window's controls.
std::string Name(frmRC4& window, HWND control) {
    for (const auto& row : widgets::Main)
        if (window.Control(row.id) == control)
            return row.name;
    return "?";
}

// The font a control draws with, as the system made it.
struct DrawnFont {
    TEXTMETRICW metrics;
    SIZE narrow; // "iiii"
    SIZE wide;   // "WWWW"
};

DrawnFont FontOf(HWND control) {
    DrawnFont drawn{};
    HDC dc = ::GetDC(control);
    const HGDIOBJ old =
        ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    ::GetTextMetricsW(dc, &drawn.metrics);
    ::GetTextExtentPoint32W(dc, L"iiii", 4, &drawn.narrow);
    ::GetTextExtentPoint32W(dc, L"WWWW", 4, &drawn.wide);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return drawn;
}

} // namespace

TEST_F(NativeWindowTest, ControlsStandAtTheirPlacesAtEveryResolution) {
    Open();
    HWND window = Window().Handle();
    RECT client{};
    ::GetClientRect(window, &client);
    const int dpi = static_cast<int>(::GetDpiForWindow(window));
    EXPECT_EQ(client.right, Px(layout::MainWidth, dpi));
    EXPECT_EQ(client.bottom, Px(layout::MainHeight, dpi));
    if (dpi == 96) {
        EXPECT_EQ(client.right, 508);
        EXPECT_EQ(client.bottom, 582);
    }
    ExpectPlaces(Window(), dpi);

    // Moved to a screen of 150 %: every control is placed anew, and the fonts grow with it.
    const LONG fontHeight = FontOf(Control("cmdEnc")).metrics.tmHeight;
    RECT frame{};
    ::GetWindowRect(window, &frame);
    const RECT suggested{frame.left, frame.top, frame.left + (frame.right - frame.left) * 3 / 2,
                         frame.top + (frame.bottom - frame.top) * 3 / 2};
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    ExpectPlaces(Window(), 144);
    EXPECT_GT(FontOf(Control("cmdEnc")).metrics.tmHeight, fontHeight * 5 / 4);
}

TEST_F(NativeWindowTest, CaptionsToolTipsAndFontsAreTheWindowsOwn) {
    Open();
    struct Row {
        const char* name;
        const char* caption;
        const char* tip; // nullptr: none
        bool bold;
    };
    const Row rows[] = {
        {"Label2", window_texts::EncryptListHeading, nullptr, false},
        // An icon button carries its name as its text, which it does not draw.
        {"Befehl2", window_texts::EncryptOpenName, window_texts::OpenTip, false},
        {"List1", "", window_texts::ListTip, false},
        {"Label5", "Files: 0", nullptr, false},
        {"Command5", window_texts::ClearCaption, window_texts::ClearTip, false},
        {"Label4(0)", window_texts::PasswordCaption, nullptr, false},
        {"Label4(1)", window_texts::RepetitionCaption, nullptr, false},
        {"cmdEnc", texts::CaptionEncrypt, window_texts::EncryptTip, true},
        {"Label3", window_texts::DecryptListHeading, nullptr, false},
        {"Command3", window_texts::DecryptOpenName, window_texts::OpenTip, false},
        {"List2", "", window_texts::ListTip, false},
        {"Label6", "Files: 0", nullptr, false},
        {"Command6", window_texts::ClearCaption, window_texts::ClearTip, false},
        {"Label4(2)", window_texts::PasswordCaption, nullptr, false},
        {"Command2", window_texts::MaskedCaption, window_texts::MaskTip, false},
        {"cmdDec", texts::CaptionDecrypt, window_texts::DecryptTip, true},
        {"Option1(0)", window_texts::OriginalNameCaption, window_texts::OriginalNameTip, false},
        {"Option1(1)", window_texts::SuffixCaption, window_texts::SuffixTip, false},
        {"txtSuffix", "-dec", window_texts::SuffixBoxTip, false},
        {"Command4", window_texts::InfoName, window_texts::InfoTip, false},
        {"Command1", window_texts::ExitName, window_texts::ExitTip, false},
        {"dummy", window_texts::DummyCaption, nullptr, true},
        {"Label1", texts::StatusStart, nullptr, false},
    };
    HWND window = Window().Handle();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Text(row.name), row.caption);
        if (row.tip != nullptr) {
            EXPECT_EQ(ToolTip(window, Control(row.name)), row.tip);
        }
        if (std::string(row.name).rfind("List", 0) != 0) {
            EXPECT_EQ(FontOf(Control(row.name)).metrics.tmWeight >= FW_BOLD, row.bold);
        }
    }
    EXPECT_EQ(controls::Text(window), window_texts::MainCaption);
    // The lists in a fixed-pitch font; the status line hidden until a batch shows it.
    for (const char* list : {"List1", "List2"})
        EXPECT_EQ(FontOf(Control(list)).narrow.cx, FontOf(Control(list)).wide.cx) << list;
    EXPECT_FALSE(::IsWindowVisible(Control("Label1")));
    EXPECT_EQ(::SendMessageW(Control("Option1(1)"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::SendMessageW(Control("Option1(0)"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    // Resizable, with a minimise box and no maximise box.
    const LONG style = ::GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
}

TEST_F(NativeWindowTest, DialogKeysWalkTheFocusOrderAndPressButtons) {
    Open();
    HWND window = Window().Handle();
    // Of the two option buttons the Tab key stops at the chosen one, as in every dialog.
    std::vector<std::string> expected;
    for (widgets::Id id : widgets::TabOrder)
        if (id != widgets::Id::Option1_0)
            expected.push_back(widgets::Row(id).name);
    std::vector<std::string> walked;
    HWND control = Control(expected.front());
    for (std::size_t i = 0; i <= expected.size(); ++i) {
        walked.push_back(Name(Window(), control));
        control = ::GetNextDlgTabItem(window, control, FALSE);
    }
    // Round: from the last control back to the first.
    expected.push_back(expected.front());
    EXPECT_EQ(walked, expected);
    // The Tab key itself, through the program's message loop.
    EXPECT_EQ(::GetFocus(), Control("Befehl2"));
    ::PostMessageW(Control("Befehl2"), WM_KEYDOWN, VK_TAB, 1);
    Pass();
    EXPECT_EQ(::GetFocus(), Control("Command1"));
    // Enter presses the button that has the focus.
    ::SetFocus(Control("Command2"));
    ::PostMessageW(Control("Command2"), WM_KEYDOWN, VK_RETURN, 1);
    Pass();
    EXPECT_EQ(Text("Command2"), window_texts::ClearTextCaption);
    // In a password box Enter, and the keypad's Enter (an extended key), press that side's batch button.
    const struct {
        const char* box;
        LPARAM flags;
        const char* warning;
    } enters[] = {
        {"Text3(0)", 1, texts::NoFilesToEncrypt},
        {"Text3(1)", 1 | (1 << 24), texts::NoFilesToEncrypt},
        {"Text3(2)", 1, texts::NoFilesToDecrypt},
        {"Text3(2)", 1 | (1 << 24), texts::NoFilesToDecrypt},
    };
    for (const auto& enter : enters) {
        SCOPED_TRACE(enter.box);
        warnings_.clear();
        ::SetFocus(Control(enter.box));
        ::PostMessageW(Control(enter.box), WM_KEYDOWN, VK_RETURN, enter.flags);
        Pass();
        ASSERT_EQ(warnings_.size(), 1u);
        EXPECT_EQ(warnings_[0].text, enter.warning);
        EXPECT_EQ(Text("Command2"), window_texts::ClearTextCaption);
    }
}

TEST_F(NativeWindowTest, PasswordBoxesTakeThirtyTwoCodePageCharactersMaskedOrClear) {
    Open();
    const std::string rule = "\r\nEin Passwort besteht nur aus Zeichen, die die Codepage Windows-1252 kennt.";
    struct Row {
        const char* typed;
        bool pasted;
        const char* kept;
        // What the balloon at the box says after the last character; empty: no balloon.
        const char* tip;
    };
    const Row rows[] = {
        {"123456789012345678901234567890123", false, "12345678901234567890123456789012", ""},
        {"Grüße €", false, "Grüße €", ""},
        // Outside Windows-1252: refused and told, a character beyond the 16-bit range as a whole. A
        // character the box takes takes the balloon away.
        {"Łódź", false, "ód", "Das Zeichen „ź“ kann nicht Teil des Passworts sein."},
        {"a\xF0\x9F\x94\x91", false, "a",
         "Das Zeichen „\xF0\x9F\x94\x91“ kann nicht Teil des Passworts sein."},
        {"a\xF0\x9F\x94\x91z", false, "az", ""},
        // Pasted: refused as a whole, every refused character named once.
        {"Łódź", true, "", "Die Zeichen „Ł“ und „ź“ können nicht Teil des Passworts sein."},
        {"Grüße", true, "Grüße", ""},
    };
    HWND box = Control("Text3(2)");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        ::SetWindowTextW(box, L"");
        if (row.pasted) {
            const std::wstring wide = host::windows::Widen(row.typed);
            ASSERT_TRUE(::OpenClipboard(Window().Handle()));
            ::EmptyClipboard();
            HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
            std::memcpy(::GlobalLock(copy), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
            ::GlobalUnlock(copy);
            ::SetClipboardData(CF_UNICODETEXT, copy);
            ::CloseClipboard();
            ::SendMessageW(box, WM_PASTE, 0, 0);
        } else {
            Type("Text3(2)", row.typed);
        }
        EXPECT_EQ(Text("Text3(2)"), row.kept);
        EXPECT_EQ(Balloon(box), *row.tip != '\0' ? row.tip + rule : "");
    }
    // The balloon goes with the focus.
    ::SetFocus(box);
    Type("Text3(2)", "ł");
    ASSERT_NE(Balloon(box), "");
    ::SetFocus(Control("Text3(0)"));
    EXPECT_EQ(Balloon(box), "");
    ::SetWindowTextW(box, L"");

    for (const char* box : {"Text3(0)", "Text3(1)", "Text3(2)"})
        EXPECT_EQ(::SendMessageW(Control(box), EM_GETPASSWORDCHAR, 0, 0), L'*') << box;
    ::SetFocus(Control("Text3(0)"));
    Click("Command2");
    for (const char* box : {"Text3(0)", "Text3(1)", "Text3(2)"})
        EXPECT_EQ(::SendMessageW(Control(box), EM_GETPASSWORDCHAR, 0, 0), 0) << box;
    EXPECT_EQ(Text("Command2"), window_texts::ClearTextCaption);
    EXPECT_EQ(::GetFocus(), Control("dummy"));
    Click("Command2");
    for (const char* box : {"Text3(0)", "Text3(1)", "Text3(2)"})
        EXPECT_EQ(::SendMessageW(Control(box), EM_GETPASSWORDCHAR, 0, 0), L'*') << box;
    EXPECT_EQ(Text("Command2"), window_texts::MaskedCaption);
    EXPECT_EQ(::GetFocus(), Control("dummy"));
}

TEST_F(NativeWindowTest, TheInfoButtonOpensOneInfoWindowBesideTheMainWindow) {
    Open();
    Click("Command4");
    HWND info = frmInfo::Window();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(::IsWindowVisible(info));
    EXPECT_EQ(controls::Text(info), window_texts::InfoCaption);
    RECT client{};
    ::GetClientRect(info, &client);
    EXPECT_EQ(client.right, 570 * static_cast<int>(::GetDpiForWindow(info)) / 96);
    EXPECT_EQ(client.bottom, 512 * static_cast<int>(::GetDpiForWindow(info)) / 96);
    // Centred on its screen by its outer size.
    RECT outer{};
    ::GetWindowRect(info, &outer);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(info, MONITOR_DEFAULTTOPRIMARY), &monitor);
    EXPECT_NEAR(outer.left - monitor.rcMonitor.left, monitor.rcMonitor.right - outer.right, 1);
    EXPECT_NEAR(outer.top - monitor.rcMonitor.top, monitor.rcMonitor.bottom - outer.bottom, 1);
    // Not modal: the main window stays usable.
    EXPECT_TRUE(::IsWindowEnabled(Window().Handle()));

    // Shown again while open: the same window where the user moved it, with the user's edits.
    HWND text = ::FindWindowExW(info, nullptr, L"EDIT", nullptr);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(controls::Text(text), info_text::Text());
    // The text lies on top of its pale-yellow panel, not beneath it.
    RECT box{};
    ::GetWindowRect(text, &box);
    ::MapWindowPoints(nullptr, info, reinterpret_cast<POINT*>(&box), 2);
    EXPECT_EQ(::ChildWindowFromPoint(info, POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2}),
              text);
    ::SetWindowTextW(text, L"bearbeitet");
    ::SetWindowPos(info, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Click("Command4");
    EXPECT_EQ(frmInfo::Window(), info);
    ::GetWindowRect(info, &outer);
    EXPECT_EQ(outer.left, 10);
    EXPECT_EQ(controls::Text(text), "bearbeitet");

    // Closed and opened again: afresh.
    ::SendMessageW(info, WM_CLOSE, 0, 0);
    EXPECT_EQ(frmInfo::Window(), nullptr);
    Click("Command4");
    info = frmInfo::Window();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(controls::Text(::FindWindowExW(info, nullptr, L"EDIT", nullptr)), info_text::Text());

    // Esc in its text closes it, as it closes a dialog.
    ::PostMessageW(::FindWindowExW(info, nullptr, L"EDIT", nullptr), WM_KEYDOWN, VK_ESCAPE, 1);
    Pass();
    EXPECT_EQ(frmInfo::Window(), nullptr);
    EXPECT_FALSE(::IsWindow(info));
    Click("Command4");
    info = frmInfo::Window();
    ASSERT_NE(info, nullptr);

    // It closes with the main window.
    Click("Command1");
    EXPECT_FALSE(::IsWindow(info));
}

TEST_F(NativeWindowTest, ScreenReadersGetATellingNameForEveryControlAndNoneForDecoration) {
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Open();
    // What a control does, and for which list; a count label is named by its text.
    std::vector<std::pair<const char*, const char*>> names = AccessibleNames;
    names.emplace_back("Label5", "Files: 0");
    std::vector<std::string> read;
    for (const auto& [name, expected] : names) {
        EXPECT_EQ(Accessible(Control(name)), expected) << name;
        read.push_back(Accessible(Control(name)));
    }
    // No two controls share a name: the two folder buttons can be told apart.
    std::sort(read.begin(), read.end());
    EXPECT_EQ(std::adjacent_find(read.begin(), read.end()), read.end());
    // The count labels tell which list they count; the captions and tool tips stay as they are.
    EXPECT_EQ(Accessible(Control("Label5"), true), "Anzahl der zu verschlüsselnden Dateien");
    EXPECT_EQ(Accessible(Control("Label6"), true), "Anzahl der zu entschlüsselnden Dateien");
    EXPECT_EQ(Text("Command5"), "C");
    EXPECT_EQ(Text("Command2"), "N");

    // The pictures are decoration: no text, no focus, no clicks of their own. The frames and the line
    // are drawn on the window and are no controls at all.
    for (const char* picture : {"Image1(0)", "Image1(1)", "Picture1", "Picture2"}) {
        SCOPED_TRACE(picture);
        const LONG style = ::GetWindowLongW(Control(picture), GWL_STYLE);
        EXPECT_EQ(Text(picture), "");
        EXPECT_EQ(style & SS_TYPEMASK, SS_ICON);
        EXPECT_EQ(style & (WS_TABSTOP | SS_NOTIFY), 0);
    }
    for (widgets::Id drawn : {widgets::Id::Shape1, widgets::Id::Shape2, widgets::Id::Line1})
        EXPECT_EQ(Window().Control(drawn), nullptr);

    // The status line is a status bar, named by its text.
    EXPECT_EQ(AccessibleRole(Control("Label1")), ROLE_SYSTEM_STATUSBAR);
    EXPECT_EQ(Accessible(Control("Label1")), "0 %");

    // dummy is not offered: invisible and no Tab stop, though it takes the focus after a toggle. The
    // toggle's name tells which of the two the boxes show, and a screen reader hears it change.
    static std::vector<HWND> renamed;
    renamed.clear();
    HWINEVENTHOOK hook = ::SetWinEventHook(
        EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
        [](HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
            if (object == OBJID_CLIENT && child == CHILDID_SELF)
                renamed.push_back(window);
        },
        0, 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    const LONG dummy = ::GetWindowLongW(Control("dummy"), GWL_STYLE);
    EXPECT_EQ(dummy & (WS_VISIBLE | WS_TABSTOP), 0);
    Click("Command2");
    EXPECT_EQ(::GetFocus(), Control("dummy"));
    EXPECT_EQ(Accessible(Control("Command2")), "Passwörter sind im Klartext; verdecken");
    const HWND toggle = Control("Command2");
    EXPECT_TRUE(
        PassUntil([&] { return std::find(renamed.begin(), renamed.end(), toggle) != renamed.end(); }));
    Click("Command2");
    EXPECT_EQ(Accessible(Control("Command2")), "Passwörter sind verdeckt; im Klartext zeigen");
    ::UnhookWinEvent(hook);

    // The info window is a window of its own, a dialog named by its caption; its text is named for what
    // it holds.
    Click("Command4");
    HWND info = frmInfo::Window();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(::GetAncestor(info, GA_PARENT), ::GetDesktopWindow());
    EXPECT_TRUE(::GetWindowLongW(info, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(AccessibleRole(info), ROLE_SYSTEM_DIALOG);
    EXPECT_EQ(Accessible(info), window_texts::InfoCaption);
    EXPECT_EQ(Accessible(::FindWindowExW(info, nullptr, L"EDIT", nullptr)), "Informationen zu Tessarin");
    ::SendMessageW(info, WM_CLOSE, 0, 0);
    if (SUCCEEDED(com))
        ::CoUninitialize();
}

TEST_F(NativeWindowTest, CountLabelsGrowToTheLeftOfTheirClearButtonsAtEveryResolution) {
    std::vector<std::string> paths;
    for (int i = 0; i < 120; ++i)
        paths.push_back("C:\\d\\f" + std::to_string(1000 + i) + ".txt");
    for (int i = 0; i < 1000; ++i)
        paths.push_back("C:\\d\\c" + std::to_string(10000 + i) + ".rc4");
    Open(Quoted(paths));
    EXPECT_EQ(Text("Label5"), "Files: 120");
    EXPECT_EQ(Text("Label6"), "Files: 1000");
    HWND window = Window().Handle();
    for (const int dpi : {96, 144}) {
        if (dpi != 96) {
            RECT frame{};
            ::GetWindowRect(window, &frame);
            const RECT suggested{frame.left, frame.top, frame.left + (frame.right - frame.left) * 3 / 2,
                                 frame.top + (frame.bottom - frame.top) * 3 / 2};
            ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        }
        const struct {
            const char* label;
            const char* button;
            layout::Twips place;
        } rows[] = {{"Label5", "Command5", layout::Label5}, {"Label6", "Command6", layout::Label6}};
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(row.label) + " at " + std::to_string(dpi) + " dpi");
            const RECT label = PlaceOf(Control(row.label));
            // Its designed right edge, wherever its text makes its left one; left of the "C" button.
            EXPECT_EQ(label.right, Px(row.place.left, dpi) + Px(row.place.width, dpi));
            EXPECT_LT(label.right, PlaceOf(Control(row.button)).left);
            EXPECT_LT(label.left, Px(row.place.left, dpi));
            // Wide enough for the whole text in the label's font.
            const std::wstring text = host::windows::Widen(Text(row.label));
            HDC dc = ::GetDC(Control(row.label));
            const HGDIOBJ old = ::SelectObject(
                dc, reinterpret_cast<HFONT>(::SendMessageW(Control(row.label), WM_GETFONT, 0, 0)));
            SIZE size{};
            ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            ::SelectObject(dc, old);
            ::ReleaseDC(Control(row.label), dc);
            EXPECT_GE(label.right - label.left, size.cx);
            EXPECT_EQ(::GetWindowLongW(Control(row.label), GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
        }
    }
}

TEST_F(NativeWindowTest, AFailureInAHandlerIsShownInGermanAndTheWindowGoesOn) {
    Open();
    Window().Host().openFiles = [](HWND, const OpenDialogRequest&) -> std::string {
        throw host::FileError(host::FileErrorKind::Other, "C:\\d\\x.txt", host::reasons::InputOutput);
    };
    Click("Befehl2");
    ASSERT_EQ(warnings_.size(), 1u);
    EXPECT_EQ(warnings_[0].text, std::string("Die Aktion wurde wegen eines Fehlers abgebrochen:\r\n") +
                                     "Fehler bei der Datei: x.txt\r\n" + host::reasons::InputOutput);
    EXPECT_EQ(warnings_[0].owner, Window().Handle());
    Window().Host().openFiles = [](HWND, const OpenDialogRequest&) { return std::string("C:\\d\\a.txt"); };
    Click("Befehl2");
    EXPECT_EQ(Items(1), std::vector<std::string>({"C:\\d\\a.txt"}));
    EXPECT_EQ(warnings_.size(), 1u);
}
