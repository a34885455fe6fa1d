#include "window_fixture.h"

#include "support/accessible_names.h"

#include "core/batch_texts.h"
#include "core/container.h"
#include "host/process.h"

#include <objbase.h>

#include <filesystem>
#include <regex>

namespace {

std::int64_t SizeOf(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(PathFromUtf8(path), ec);
    return ec ? -1 : static_cast<std::int64_t>(size);
}

// The pointer the window shows where the mouse stands over it.
HCURSOR PointerOver(HWND window) {
    ::SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return ::GetCursor();
}

} // namespace

TEST_F(NativeWindowTest, EncryptsAndDecryptsRealFilesThroughTheButtons) {
    const std::string password = "Schlüssel 1";
    const std::vector<std::string> plain = {MakeFile("a.txt", 250000, 1), MakeFile("b.bin", 0),
                                            MakeFile("c d.dat", 100001, 2), MakeFile("Łódź.txt", 1000, 3)};
    Open(Quoted(plain));
    Type("Text3(0)", password);
    Type("Text3(1)", password);
    Click("cmdEnc");
    EXPECT_TRUE(warnings_.empty());
    // Byte for byte the containers the engine makes of these bytes under this password.
    for (const std::string& path : plain)
        EXPECT_EQ(ReadBytes(path + ".rc4"), container::MakeContainer(ReadBytes(path), password)) << path;
    EXPECT_TRUE(std::regex_match(
        Text("Label1"), std::regex("File: 4 von 4,  File bearbeitet: 100 % , EncryptTime: [0-9.,]+ m?s")))
        << Text("Label1");
    // The last file stays selected, whenever the window last drew during the batch.
    EXPECT_EQ(::SendMessageW(Control("List1"), LB_GETCURSEL, 0, 0), 3);
    EXPECT_TRUE(::IsWindowVisible(Control("Label1")));
    EXPECT_EQ(Text("cmdEnc"), texts::CaptionEncrypt);
    EXPECT_EQ(PointerOver(Window().Handle()), ::LoadCursorW(nullptr, IDC_ARROW));

    // Dropped on the decryption list and restored beside the containers with the start-up suffix.
    std::vector<std::string> containers;
    for (const std::string& path : plain)
        containers.push_back(path + ".rc4");
    Drop(2, containers);
    Type("Text3(2)", password);
    Click("cmdDec");
    EXPECT_TRUE(warnings_.empty());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const std::string& path = plain[i];
        const std::size_t dot = path.rfind('.');
        const std::string restored = path.substr(0, dot) + texts::DefaultSuffix + path.substr(dot);
        EXPECT_EQ(ReadBytes(restored), ReadBytes(path)) << restored;
    }
    EXPECT_NE(Text("Label1").find(texts::DecryptTime), std::string::npos);

    // With "Originalname", under the former names.
    const auto original = ReadBytes(plain[0]);
    std::filesystem::remove(PathFromUtf8(plain[0]));
    Click("Option1(0)");
    Click("cmdDec");
    EXPECT_EQ(ReadBytes(plain[0]), original);
    EXPECT_TRUE(warnings_.empty());
}

TEST_F(NativeWindowTest, InputProblemsAreToldInTheWarningBoxAndFocusTheirBox) {
    const std::string plain = MakeFile("a.txt", 10);
    struct Row {
        bool listed;
        const char* password;
        const char* repetition;
        const char* message;
        const char* focused;
    };
    const Row rows[] = {
        {false, "pw", "pw", texts::NoFilesToEncrypt, nullptr},
        {true, "", "", texts::NoEncryptPassword, "Text3(0)"},
        {true, "pw", "PW", texts::PasswordsDiffer, "Text3(1)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        warnings_.clear();
        Open(row.listed ? Quoted({plain}) : std::string());
        Type("Text3(0)", row.password);
        Type("Text3(1)", row.repetition);
        ::SetFocus(Control("dummy"));
        Click("cmdEnc");
        ASSERT_EQ(warnings_.size(), 1u);
        EXPECT_EQ(warnings_[0].text, row.message);
        EXPECT_EQ(warnings_[0].title, host::ExecutableName());
        EXPECT_EQ(warnings_[0].owner, Window().Handle());
        if (row.focused != nullptr) {
            EXPECT_EQ(::GetFocus(), Control(row.focused));
        }
        EXPECT_EQ(SizeOf(plain + ".rc4"), -1);
    }
}

TEST_F(NativeWindowTest, APadlockClickIsAClickOnItsButton) {
    Open();
    HWND window = Window().Handle();
    ::SetForegroundWindow(window);
    for (const char* picture : {"Picture1", "Picture2"}) {
        RECT rect{};
        ::GetWindowRect(Control(picture), &rect);
        const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        // The padlock lets the mouse through to the button it lies on.
        EXPECT_EQ(::WindowFromPoint(centre), ::GetParent(Control(picture))) << picture;
        // A real click there, through the system's input queue.
        ::SetCursorPos(centre.x, centre.y);
        INPUT clicks[2] = {};
        clicks[0].type = clicks[1].type = INPUT_MOUSE;
        clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, clicks, sizeof(INPUT));
        // The window meets the click when it arrives in the thread's input queue: wait for it there,
        // with a bound so that a click that never comes fails the test instead of hanging it.
        const std::size_t expected = picture == std::string("Picture1") ? 1u : 2u;
        PassUntil([&] { return warnings_.size() >= expected; });
    }
    ASSERT_EQ(warnings_.size(), 2u);
    EXPECT_EQ(warnings_[0].text, texts::NoFilesToEncrypt);
    EXPECT_EQ(warnings_[1].text, texts::NoFilesToDecrypt);
}

TEST_F(NativeWindowTest, AClickDuringTheFirstFileCancelsTheRestWhileTheListInWorkIsGuarded) {
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::vector<std::string> plain = {MakeFile("1.bin", 300000, 1), MakeFile("2.bin", 300000, 2),
                                            MakeFile("3.bin", 300000, 3)};
    const std::string late = MakeFile("late.bin", 10);
    const std::string container = MakeFile("x.rc4", 40);
    Open(Quoted(plain));
    Window().SetPumpIntervals(std::chrono::nanoseconds(0), std::chrono::nanoseconds(0));
    std::string captionSeen;
    std::string namesSeen[2];
    // After the cancel click: whether cmdEnc took clicks, and its caption, at every later pass.
    std::vector<std::pair<bool, std::string>> afterCancel;
    onPass_ = [&] {
        if (passes_ > 1)
            afterCancel.emplace_back(::IsWindowEnabled(Control("cmdEnc")) != FALSE, Text("cmdEnc"));
        if (passes_ != 1)
            return;
        captionSeen = Text("cmdEnc");
        // A screen reader says what a click does: the running batch's button stops it.
        namesSeen[0] = Accessible(Control("cmdEnc"));
        namesSeen[1] = Accessible(Control("cmdDec"));
        EXPECT_EQ(PointerOver(Window().Handle()), ::LoadCursorW(nullptr, IDC_WAIT));
        for (const char* locked : {"List1", "Command5", "Befehl2", "cmdDec"})
            EXPECT_FALSE(::IsWindowEnabled(Control(locked))) << locked;
        for (const char* open : {"cmdEnc", "List2", "Command6", "Command3"})
            EXPECT_TRUE(::IsWindowEnabled(Control(open))) << open;
        // The list in work takes no drop; the other list does.
        Drop(1, {late});
        Drop(2, {container});
        EXPECT_EQ(Items(1), plain);
        EXPECT_EQ(Items(2), std::vector<std::string>{container});
        ::SetFocus(Control("cmdEnc"));
        Click("cmdEnc");
        // The request is taken: the button greys at once, keeps its caption, and the window keeps the
        // keyboard focus it had.
        EXPECT_FALSE(::IsWindowEnabled(Control("cmdEnc")));
        EXPECT_EQ(Text("cmdEnc"), texts::CaptionCancel);
        EXPECT_EQ(::GetFocus(), Window().Handle());
    };
    Type("Text3(0)", "pw");
    Type("Text3(1)", "pw");
    // A screen reader hears each new text of the status line, which it knows as a status bar.
    static int statusRenamed = 0;
    static HWND statusLine = nullptr;
    statusRenamed = 0;
    statusLine = Control("Label1");
    HWINEVENTHOOK hook = ::SetWinEventHook(
        EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
        [](HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD) {
            statusRenamed += window == statusLine && object == OBJID_CLIENT;
        },
        0, 0, WINEVENT_OUTOFCONTEXT);
    Click("cmdEnc");
    // The hook's events come through the message queue, perhaps after several passes.
    PassUntil([] { return statusRenamed >= 3; });
    ::UnhookWinEvent(hook);
    EXPECT_GE(statusRenamed, 3);
    EXPECT_EQ(captionSeen, texts::CaptionCancel);
    ASSERT_FALSE(afterCancel.empty());
    for (const auto& [enabled, caption] : afterCancel) {
        EXPECT_FALSE(enabled);
        EXPECT_EQ(caption, texts::CaptionCancel);
    }
    EXPECT_TRUE(::IsWindowEnabled(Control("cmdEnc")));
    EXPECT_EQ(namesSeen[0], CancellingBatchButtonName);
    EXPECT_EQ(namesSeen[1], "Dateien der unteren Liste entschlüsseln");
    EXPECT_EQ(Accessible(Control("cmdEnc")), "Dateien der oberen Liste verschlüsseln");
    // The file in work is finished; the others are not started.
    EXPECT_EQ(SizeOf(plain[0] + ".rc4"), 300000 + 31);
    EXPECT_EQ(SizeOf(plain[1] + ".rc4"), -1);
    EXPECT_EQ(SizeOf(plain[2] + ".rc4"), -1);
    EXPECT_NE(Text("Label1").find(texts::EncryptTime), std::string::npos);
    EXPECT_EQ(Text("cmdEnc"), texts::CaptionEncrypt);
    for (const char* name : {"List1", "Command5", "Befehl2", "cmdDec"})
        EXPECT_TRUE(::IsWindowEnabled(Control(name))) << name;
    EXPECT_TRUE(warnings_.empty());
    if (SUCCEEDED(com))
        ::CoUninitialize();
}

TEST_F(NativeWindowTest, ClosingEndsTheProgramAtOnceAlsoDuringABatch) {
    const std::vector<std::string> plain = {MakeFile("1.bin", 300000, 1), MakeFile("2.bin", 300000, 2)};
    Open(Quoted(plain));
    Window().SetPumpIntervals(std::chrono::nanoseconds(0), std::chrono::nanoseconds(0));
    int endCallsSeen = -1;
    onPass_ = [&] {
        if (passes_ != 1)
            return;
        // The close box: during a batch the process ends on the spot.
        ::SendMessageW(Window().Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        endCallsSeen = endCalls_;
    };
    Type("Text3(0)", "pw");
    Type("Text3(1)", "pw");
    Click("cmdEnc");
    EXPECT_EQ(endCallsSeen, 1);
    EXPECT_EQ(quitCalls_, 0);

    // Idle, the exit button closes the window and ends the message loop.
    onPass_ = nullptr;
    Click("Command1");
    EXPECT_FALSE(::IsWindow(Control("List1")));
    EXPECT_EQ(quitCalls_, 1);
    EXPECT_EQ(endCalls_, 1);
}
