#include "ui/StdDialoge.h"

#include "window/open_dialog.h"

#include <QDir>
#include <QFileInfo>

namespace StdDialoge {

QString ResultText(const QStringList& files) {
    if (files.isEmpty())
        return {};
    if (files.size() == 1)
        return QDir::toNativeSeparators(files.front());
    const QString folder = QFileInfo(files.front()).path();
    QString result = QDir::toNativeSeparators(folder);
    for (const QString& file : files) {
        const QFileInfo info(file);
        if (info.path() != folder)
            continue;
        result += QChar(u'\0');
        result += info.fileName();
    }
    return result;
}

QString QtFilter(const QString& filterText) {
    const QStringList parts = filterText.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        // The details in parentheses are what Qt filters by; the dialog hides them, so the description
        // shows as written.
        filters << parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters.join(QStringLiteral(";;"));
}

QString ShowOpenDialog(const UiHost& host, QWidget* owner, const QString& title, const QString& initialFolder,
                       const QString& initialFile, const QString& filterText, const QString& defaultExt) {
    const QString start = initialFile.isEmpty() ? initialFolder : QDir(initialFolder).filePath(initialFile);
    // "*.rc4" names the extension a typed name without one gets; "*.*" names none.
    QString suffix = defaultExt;
    if (suffix.startsWith(QLatin1String("*.")))
        suffix.remove(0, 2);
    if (suffix.contains(u'*') || suffix.contains(u'?'))
        suffix.clear();
    const QStringList files = host.openFiles(owner, title, start, QtFilter(filterText), suffix);
    // The text ends at the first empty name, as a list of NUL-terminated names would.
    const std::string terminated = ResultText(files).toStdString() + std::string(2, '\0');
    return QString::fromStdString(open_dialog::LeftOfSeparator(terminated, std::string(2, '\0')));
}

} // namespace StdDialoge
