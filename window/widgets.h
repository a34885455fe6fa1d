#pragma once

// Every widget of the main window and of the info window, for every front end: what kind it is, where
// it stands (window/layout.h), its text and tool tip, what assistive technology calls it, its icon, its
// font and how it fits its text. The front ends build their widgets from these rows, in this order,
// and address them by their Id.

#include "core/batch_texts.h"
#include "core/batch_window.h"
#include "window/layout.h"
#include "window/window_texts.h"

#include <iterator>
#include <optional>

namespace widgets {

// What a widget is, as far as a front end needs to know to build it.
enum class Kind {
    // A rectangle with an olive border, drawn on the window's surface.
    Frame,
    // An olive line drawn on the window's surface, from its place's left and top over its width.
    Line,
    Label,
    // A picture showing an icon.
    Picture,
    // A surface in a colour of its own (the info window's banner and panel).
    Panel,
    Button,
    // A file list (window/file_list.h).
    List,
    // A password box, masked with "*" and taking at most 32 characters.
    Password,
    // An option button; the option buttons that follow each other form one group.
    Option,
    // A one-line text box, or the info window's multi-line text.
    TextBox,
};

enum class Font {
    // The window font, "MS Sans Serif" 8.25 pt, regular or bold.
    Regular,
    Bold,
    // "Courier New" 8.25 pt.
    Fixed,
    // "Verdana" 24 pt and 8.25 pt: the info window's banner.
    Title,
    Small,
    // A picture or surface has no text.
    None,
};

enum class Icon { None, FolderOpen, Keys, PadlockClosed, PadlockOpen, QuestionMark, Exit };

// How a widget's size follows its text.
enum class Fit {
    // It keeps its place.
    None,
    // It sizes itself to its text, keeping its left and top edges.
    KeepLeft,
    // It sizes itself to its text, keeping its right and top edges: it grows to the left.
    KeepRight,
};

enum class Align { Left, Centre, Right };

// What assistive technology (screen readers) makes of a widget.
enum class Access {
    // Named by its own text or caption.
    OwnText,
    // Named by its accessibleName: its text, picture or caption does not say what it does.
    Named,
    // A picture, frame or line with no meaning of its own.
    Decoration,
    // Not offered at all: dummy, which only takes the focus away from the password boxes.
    Hidden,
    // The status line: named by its text and offered as a status bar, so that screen readers tell
    // each change of it.
    Status,
};

// The main window's widgets, in the order they are made (and stacked, the first lowest).
enum class Id {
    Shape1,
    Shape2,
    Line1,
    Label2,
    Label5,
    Label4_0,
    Label4_1,
    Image1_0,
    Befehl2,
    List1,
    Command5,
    Text3_0,
    Text3_1,
    cmdEnc,
    Picture1,
    Label3,
    Label6,
    Label4_2,
    Image1_1,
    Command3,
    List2,
    Command6,
    Text3_2,
    Command2,
    cmdDec,
    Picture2,
    Option1_0,
    Option1_1,
    txtSuffix,
    Label1,
    Command4,
    Command1,
    dummy,
};
inline constexpr int MainCount = static_cast<int>(Id::dummy) + 1;

// The info window's widgets; the banner's labels lie on the banner, the text on the panel.
enum class InfoId { Picture1, Label3, Label4, Label1, Label2, Text1 };
inline constexpr int InfoCount = static_cast<int>(InfoId::Text1) + 1;

constexpr int Index(Id id) {
    return static_cast<int>(id);
}
constexpr int Index(InfoId id) {
    return static_cast<int>(id);
}

template <class Ids> struct Widget {
    Ids id;
    // The widget's name as the program's parts call it: "cmdEnc", "Text3(0)".
    const char* name;
    Kind kind;
    // In twips of the window's client area, also for a widget that lies on another.
    layout::Twips place;
    // The widget it lies on and moves with (a padlock on its button); none: the window.
    std::optional<Ids> liesOn = std::nullopt;
    // The text or caption at start; nullptr for none.
    const char* text = nullptr;
    const char* tip = nullptr;
    Access access = Access::OwnText;
    // For Access::Named.
    const char* accessibleName = nullptr;
    // What assistive technology tells beside the name; nullptr: none (or the tool tip, where a toolkit
    // offers that).
    const char* description = nullptr;
    Icon icon = Icon::None;
    // The icon's size in pixels at 96 dpi.
    int iconPixels = 0;
    Font font = Font::Regular;
    Fit fit = Fit::None;
    Align align = Align::Left;
    // Hidden until a batch shows it (the status line).
    bool hiddenAtStart = false;
    // An option button chosen at start.
    bool checkedAtStart = false;
    // A label that is the caption of this widget.
    std::optional<Ids> labels = std::nullopt;
    // A button whose face has the system's window colour rather than the button colour.
    bool windowColourFace = false;
};

namespace detail {
namespace t = window_texts;
using W = Widget<Id>;
constexpr int Small = 16;
constexpr int Large = 32;
// dummy stands wholly outside the client area from start-up on, yet able to take the focus.
constexpr layout::Twips DummyAfterStartUp{layout::DummyHiddenLeft, layout::dummy.top, layout::dummy.width,
                                          layout::dummy.height};
} // namespace detail

// The main window. A label's text is regular, a batch button's caption bold.
inline constexpr detail::W Main[] = {
    {.id = Id::Shape1,
     .name = "Shape1",
     .kind = Kind::Frame,
     .place = layout::Shape1,
     .access = Access::Decoration,
     .font = Font::None},
    {.id = Id::Shape2,
     .name = "Shape2",
     .kind = Kind::Frame,
     .place = layout::Shape2,
     .access = Access::Decoration,
     .font = Font::None},
    {.id = Id::Line1,
     .name = "Line1",
     .kind = Kind::Line,
     .place = {layout::LineLeft, layout::LineY, layout::LineRight - layout::LineLeft, 0},
     .access = Access::Decoration,
     .font = Font::None},

    {.id = Id::Label2,
     .name = "Label2",
     .kind = Kind::Label,
     .place = layout::Label2,
     .text = detail::t::EncryptListHeading,
     .fit = Fit::KeepLeft,
     .labels = Id::List1},
    {.id = Id::Label5,
     .name = "Label5",
     .kind = Kind::Label,
     .place = layout::Label5,
     .text = detail::t::FileCountPrefix,
     .description = detail::t::EncryptCountDescription,
     .fit = Fit::KeepRight,
     .align = Align::Right},
    {.id = Id::Label4_0,
     .name = "Label4(0)",
     .kind = Kind::Label,
     .place = layout::Label4_0,
     .text = detail::t::PasswordCaption,
     .fit = Fit::KeepLeft,
     .labels = Id::Text3_0},
    {.id = Id::Label4_1,
     .name = "Label4(1)",
     .kind = Kind::Label,
     .place = layout::Label4_1,
     .text = detail::t::RepetitionCaption,
     .fit = Fit::KeepLeft,
     .labels = Id::Text3_1},
    {.id = Id::Image1_0,
     .name = "Image1(0)",
     .kind = Kind::Picture,
     .place = layout::Image1_0,
     .access = Access::Decoration,
     .icon = Icon::Keys,
     .iconPixels = detail::Large,
     .font = Font::None},
    {.id = Id::Befehl2,
     .name = "Befehl2",
     .kind = Kind::Button,
     .place = layout::Befehl2,
     .tip = detail::t::OpenTip,
     .access = Access::Named,
     .accessibleName = detail::t::EncryptOpenName,
     .icon = Icon::FolderOpen,
     .iconPixels = detail::Small,
     .windowColourFace = true},
    {.id = Id::List1,
     .name = "List1",
     .kind = Kind::List,
     .place = layout::List1,
     .tip = detail::t::ListTip,
     .access = Access::Named,
     .accessibleName = detail::t::EncryptListName,
     .font = Font::Fixed},
    {.id = Id::Command5,
     .name = "Command5",
     .kind = Kind::Button,
     .place = layout::Command5,
     .text = detail::t::ClearCaption,
     .tip = detail::t::ClearTip,
     .access = Access::Named,
     .accessibleName = detail::t::EncryptClearName},
    {.id = Id::Text3_0,
     .name = "Text3(0)",
     .kind = Kind::Password,
     .place = layout::Text3_0,
     .access = Access::Named,
     .accessibleName = detail::t::EncryptPasswordName},
    {.id = Id::Text3_1,
     .name = "Text3(1)",
     .kind = Kind::Password,
     .place = layout::Text3_1,
     .access = Access::Named,
     .accessibleName = detail::t::RepetitionName},
    {.id = Id::cmdEnc,
     .name = "cmdEnc",
     .kind = Kind::Button,
     .place = layout::cmdEnc,
     .text = texts::CaptionEncrypt,
     .tip = detail::t::EncryptTip,
     .access = Access::Named,
     .accessibleName = detail::t::EncryptBatchName,
     .font = Font::Bold},
    {.id = Id::Picture1,
     .name = "Picture1",
     .kind = Kind::Picture,
     .place = layout::Picture1,
     .liesOn = Id::cmdEnc,
     .access = Access::Decoration,
     .icon = Icon::PadlockClosed,
     .iconPixels = detail::Large,
     .font = Font::None},

    {.id = Id::Label3,
     .name = "Label3",
     .kind = Kind::Label,
     .place = layout::Label3,
     .text = detail::t::DecryptListHeading,
     .fit = Fit::KeepLeft,
     .labels = Id::List2},
    {.id = Id::Label6,
     .name = "Label6",
     .kind = Kind::Label,
     .place = layout::Label6,
     .text = detail::t::FileCountPrefix,
     .description = detail::t::DecryptCountDescription,
     .fit = Fit::KeepRight,
     .align = Align::Right},
    {.id = Id::Label4_2,
     .name = "Label4(2)",
     .kind = Kind::Label,
     .place = layout::Label4_2,
     .text = detail::t::PasswordCaption,
     .fit = Fit::KeepLeft,
     .labels = Id::Text3_2},
    {.id = Id::Image1_1,
     .name = "Image1(1)",
     .kind = Kind::Picture,
     .place = layout::Image1_1,
     .access = Access::Decoration,
     .icon = Icon::Keys,
     .iconPixels = detail::Large,
     .font = Font::None},
    {.id = Id::Command3,
     .name = "Command3",
     .kind = Kind::Button,
     .place = layout::Command3,
     .tip = detail::t::OpenTip,
     .access = Access::Named,
     .accessibleName = detail::t::DecryptOpenName,
     .icon = Icon::FolderOpen,
     .iconPixels = detail::Small},
    {.id = Id::List2,
     .name = "List2",
     .kind = Kind::List,
     .place = layout::List2,
     .tip = detail::t::ListTip,
     .access = Access::Named,
     .accessibleName = detail::t::DecryptListName,
     .font = Font::Fixed},
    {.id = Id::Command6,
     .name = "Command6",
     .kind = Kind::Button,
     .place = layout::Command6,
     .text = detail::t::ClearCaption,
     .tip = detail::t::ClearTip,
     .access = Access::Named,
     .accessibleName = detail::t::DecryptClearName},
    {.id = Id::Text3_2,
     .name = "Text3(2)",
     .kind = Kind::Password,
     .place = layout::Text3_2,
     .access = Access::Named,
     .accessibleName = detail::t::DecryptPasswordName},
    {.id = Id::Command2,
     .name = "Command2",
     .kind = Kind::Button,
     .place = layout::Command2,
     .text = detail::t::MaskedCaption,
     .tip = detail::t::MaskTip,
     .access = Access::Named,
     .accessibleName = detail::t::MaskedName},
    {.id = Id::cmdDec,
     .name = "cmdDec",
     .kind = Kind::Button,
     .place = layout::cmdDec,
     .text = texts::CaptionDecrypt,
     .tip = detail::t::DecryptTip,
     .access = Access::Named,
     .accessibleName = detail::t::DecryptBatchName,
     .font = Font::Bold},
    {.id = Id::Picture2,
     .name = "Picture2",
     .kind = Kind::Picture,
     .place = layout::Picture2,
     .liesOn = Id::cmdDec,
     .access = Access::Decoration,
     .icon = Icon::PadlockOpen,
     .iconPixels = detail::Large,
     .font = Font::None},
    {.id = Id::Option1_0,
     .name = "Option1(0)",
     .kind = Kind::Option,
     .place = layout::Option1_0,
     .text = detail::t::OriginalNameCaption,
     .tip = detail::t::OriginalNameTip,
     .access = Access::Named,
     .accessibleName = detail::t::OriginalNameName},
    {.id = Id::Option1_1,
     .name = "Option1(1)",
     .kind = Kind::Option,
     .place = layout::Option1_1,
     .text = detail::t::SuffixCaption,
     .tip = detail::t::SuffixTip,
     .access = Access::Named,
     .accessibleName = detail::t::SuffixName,
     .checkedAtStart = true},
    {.id = Id::txtSuffix,
     .name = "txtSuffix",
     .kind = Kind::TextBox,
     .place = layout::txtSuffix,
     .text = texts::DefaultSuffix,
     .tip = detail::t::SuffixBoxTip,
     .access = Access::Named,
     .accessibleName = detail::t::SuffixBoxName},

    {.id = Id::Label1,
     .name = "Label1",
     .kind = Kind::Label,
     .place = layout::Label1,
     .text = texts::StatusStart,
     .access = Access::Status,
     .align = Align::Centre,
     .hiddenAtStart = true},
    {.id = Id::Command4,
     .name = "Command4",
     .kind = Kind::Button,
     .place = layout::Command4,
     .tip = detail::t::InfoTip,
     .access = Access::Named,
     .accessibleName = detail::t::InfoName,
     .icon = Icon::QuestionMark,
     .iconPixels = detail::Small},
    {.id = Id::Command1,
     .name = "Command1",
     .kind = Kind::Button,
     .place = layout::Command1,
     .tip = detail::t::ExitTip,
     .access = Access::Named,
     .accessibleName = detail::t::ExitName,
     .icon = Icon::Exit,
     .iconPixels = detail::Small},
    {.id = Id::dummy,
     .name = "dummy",
     .kind = Kind::Button,
     .place = detail::DummyAfterStartUp,
     .text = detail::t::DummyCaption,
     .access = Access::Hidden,
     .font = Font::Bold},
};

// The info window. The banner's labels stand at places within the banner, which lies at the window's
// origin, so their places serve in the window as well.
inline constexpr Widget<InfoId> Info[] = {
    {.id = InfoId::Picture1,
     .name = "Picture1",
     .kind = Kind::Panel,
     .place = layout::InfoBanner,
     .access = Access::Decoration,
     .font = Font::None},
    {.id = InfoId::Label3,
     .name = "Label3",
     .kind = Kind::Label,
     .place = layout::InfoTitle,
     .liesOn = InfoId::Picture1,
     .text = window_texts::InfoBanner,
     .font = Font::Title,
     .fit = Fit::KeepLeft},
    {.id = InfoId::Label4,
     .name = "Label4",
     .kind = Kind::Label,
     .place = layout::InfoVersion,
     .liesOn = InfoId::Picture1,
     .font = Font::Small,
     .fit = Fit::KeepLeft},
    {.id = InfoId::Label1,
     .name = "Label1",
     .kind = Kind::Label,
     .place = layout::InfoCredit,
     .liesOn = InfoId::Picture1,
     .text = window_texts::InfoCredit,
     .font = Font::Small,
     .fit = Fit::KeepLeft,
     .align = Align::Right},
    {.id = InfoId::Label2,
     .name = "Label2",
     .kind = Kind::Panel,
     .place = layout::InfoPanel,
     .access = Access::Decoration,
     .font = Font::None},
    {.id = InfoId::Text1,
     .name = "Text1",
     .kind = Kind::TextBox,
     .place = layout::InfoText,
     .access = Access::Named,
     .accessibleName = window_texts::InfoTextName,
     .font = Font::Fixed},
};

template <class Ids, int N> constexpr bool InIdOrder(const Widget<Ids> (&rows)[N]) {
    for (int i = 0; i < N; ++i)
        if (static_cast<int>(rows[i].id) != i)
            return false;
    return true;
}
static_assert(std::size(Main) == MainCount && InIdOrder(Main), "one row per widget, in Id order");
static_assert(std::size(Info) == InfoCount && InIdOrder(Info), "one row per widget, in Id order");

constexpr const Widget<Id>& Row(Id id) {
    return Main[Index(id)];
}
constexpr const Widget<InfoId>& Row(InfoId id) {
    return Info[Index(id)];
}

// The place of a widget in its parent's twips: the window's, or the widget's it lies on.
template <class Ids> constexpr layout::Twips PlaceInParent(const Widget<Ids>& row) {
    if (!row.liesOn)
        return row.place;
    return layout::RelativeTo(row.place, Row(*row.liesOn).place);
}

// The keyboard focus order of the main window; labels, pictures and dummy hold no place in it.
inline constexpr Id TabOrder[] = {
    Id::Befehl2, Id::Command1, Id::cmdEnc,    Id::Command3,  Id::cmdDec,    Id::Text3_0,
    Id::Text3_1, Id::Text3_2,  Id::Command2,  Id::Command4,  Id::List1,     Id::Command5,
    Id::List2,   Id::Command6, Id::Option1_0, Id::Option1_1, Id::txtSuffix,
};

// The widgets of one batch side.
constexpr Id ListOf(BatchSide side) {
    return side == BatchSide::Encrypt ? Id::List1 : Id::List2;
}
constexpr Id CountOf(BatchSide side) {
    return side == BatchSide::Encrypt ? Id::Label5 : Id::Label6;
}
constexpr Id BatchButtonOf(BatchSide side) {
    return side == BatchSide::Encrypt ? Id::cmdEnc : Id::cmdDec;
}
constexpr Id OpenButtonOf(BatchSide side) {
    return side == BatchSide::Encrypt ? Id::Befehl2 : Id::Command3;
}
constexpr Id ClearButtonOf(BatchSide side) {
    return side == BatchSide::Encrypt ? Id::Command5 : Id::Command6;
}
// Text3(0) to Text3(2).
constexpr Id PasswordBox(int index) {
    return index == 0 ? Id::Text3_0 : index == 1 ? Id::Text3_1 : Id::Text3_2;
}
inline constexpr Id PasswordBoxes[] = {Id::Text3_0, Id::Text3_1, Id::Text3_2};
// The batch side a list belongs to.
constexpr BatchSide SideOfList(Id list) {
    return list == Id::List1 ? BatchSide::Encrypt : BatchSide::Decrypt;
}
// The batch side a password box belongs to: Text3(0) and Text3(1) encrypt, Text3(2) decrypts.
constexpr BatchSide SideOfPassword(Id box) {
    return box == Id::Text3_2 ? BatchSide::Decrypt : BatchSide::Encrypt;
}

} // namespace widgets
