#pragma once

// Qt's open-file dialog behind the two Open buttons, with its answer as one result text
// (window/open_dialog.h).

#include "ui/ui_host.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace StdDialoge {

// Shows the dialog (through the host's openFiles) with several files allowed and returns the result text.
// filterText holds description|pattern pairs ("Alle Dateien (*.*)|*.*"); defaultExt is a pattern such
// as "*.rc4". The dialog opens in initialFolder, on initialFile when that is not empty.
QString ShowOpenDialog(const UiHost& host, QWidget* owner, const QString& title, const QString& initialFolder,
                       const QString& initialFile, const QString& filterText, const QString& defaultExt);

// The dialog's chosen files as a result text. The dialog picks its files in one folder; the result text
// has room for one folder only, so a file outside the first file's folder (a full path typed into the
// name box) is left out rather than listed under a wrong name.
QString ResultText(const QStringList& files);

// description|pattern pairs in Qt's filter form ("description (patterns)" joined by ";;"). Patterns are
// separated by spaces, and "*.*" (every file, also those without a dot) becomes "*".
QString QtFilter(const QString& filterText);

} // namespace StdDialoge
