#pragma once

#include <QWidget>

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

private:
    QLabel* Label4_ = nullptr;
    QPlainTextEdit* Text1_ = nullptr;
};
