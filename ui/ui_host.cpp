#include "ui/ui_host.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

#include <cstdlib>

namespace {

void QtWarningBox(QWidget* owner, const QString& title, const QString& text) {
    // A lone CR would show as a stray glyph; the box gets plain line feeds.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(QMessageBox::Warning, title, shown, QMessageBox::Ok, owner);
    box.exec();
}

QStringList QtOpenFiles(QWidget* owner, const QString& title, const QString& start, const QString& filter,
                        const QString& defaultSuffix) {
    // Qt's own dialog: it honours the hidden filter details (the description carries its pattern already)
    // and behaves the same on every desktop.
    QFileDialog dialog(owner, title, start, filter);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

} // namespace

UiHost UiHost::Qt() {
    UiHost host;
    host.warningBox = QtWarningBox;
    host.openFiles = QtOpenFiles;
    host.eventPass = [] { QCoreApplication::processEvents(QEventLoop::AllEvents); };
    // The window's rules remove the output in work before this; nothing else needs tidying up.
    host.endProcess = [] { std::_Exit(0); };
    return host;
}
