#pragma once

// Qt's open-file dialog behind the two Open buttons; it answers with the chosen files' paths.

#include "ui/ui_host.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QWidget;

namespace StdDialoge {

// Shows the dialog (through the host's openFiles) with several files allowed and returns the chosen
// files' paths, byte for byte as ChosenFiles finds them; none when it was cancelled. filterText holds
// description|pattern pairs ("Alle Dateien (*.*)|*.*"); defaultPattern is a pattern such as "*.rc4"
// (open_dialog::DefaultSuffix). The dialog opens in initialFolder, on initialFile when that is not
// empty.
std::vector<std::string> ShowOpenDialog(const UiHost& host, QWidget* owner, const QString& title,
                                        const QString& initialFolder, const QString& initialFile,
                                        const QString& filterText, const std::string& defaultPattern);

// A file the dialog chose: its folder as the dialog names it, and the name of the folder's entry it
// stands for, byte for byte.
struct ChosenFile {
    std::string folder;
    std::string name;
};

// The entries the dialog's chosen files stand for. A name holding a replacement character is looked up
// among the folder's entries (open_dialog::EntriesShownAs): a dialog that lists names that are no
// UTF-8 shows them with replacement characters and answers with that text. (Qt's own dialog leaves
// such names out of its lists, so from it such a name is one that is UTF-8 and holds the character.)
// A name without a replacement character is its own bytes, as only what is no UTF-8 decodes into one.
// The folder is taken as the dialog names it: a folder whose name is no UTF-8 the dialog cannot open.
std::vector<ChosenFile> ChosenFiles(const QStringList& files);

// The chosen files' full paths, in the dialog's order, each in its own folder (a full path typed into
// the name box may name a file outside the folder of the others).
std::vector<std::string> ChosenPaths(const std::vector<ChosenFile>& files);

// description|pattern pairs in Qt's filter form ("description (patterns)" joined by ";;"). Patterns are
// separated by spaces, and "*.*" (every file, also those without a dot) becomes "*".
QString QtFilter(const QString& filterText);

} // namespace StdDialoge
