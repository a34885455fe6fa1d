#pragma once

#include <QMargins>
#include <QWidget>

class QKeyEvent;
class QLabel;
class QPlainTextEdit;

// The info window: how the program names its files, how the container keeps the password's hash and
// the checksum, and the program's version. Not modal; it has no actions of its own.
class frmInfo : public QWidget {
    Q_OBJECT

public:
    explicit frmInfo(QWidget* owner);

    // Opens the window afresh: centred on the screen, info text and version set anew, text focused.
    // The caller brings an open window to the front instead.
    void Open();

    // The info text with its CR LF line breaks.
    static QString InfoText();
    // "Version: " major "." minor.
    static QString VersionText();

protected:
    // Esc closes the window.
    void keyPressEvent(QKeyEvent* event) override;
    // Sees the window reach the screen, with the frame the system gave it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The frame the system puts around the window: its own once it has one, until then the main
    // window's, which the same system framed.
    QMargins Frame() const;
    // Places the window's frame in the middle of its screen.
    void Centre();

    // Opened afresh and not yet on the screen: it is centred again once it is, by its real frame.
    bool placing_ = false;
    QLabel* Label4_ = nullptr;
    QPlainTextEdit* Text1_ = nullptr;
};
