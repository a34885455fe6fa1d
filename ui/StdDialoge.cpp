#include "ui/StdDialoge.h"

#include "host/files.h"
#include "window/open_dialog.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace StdDialoge {
namespace {

// A file name as Qt shows it on Linux: UTF-8, with a replacement character for what is none.
std::string Shown(const std::string& name) {
    return QString::fromStdString(name).toStdString();
}

std::string InFolder(const std::string& folder, const std::string& name) {
    const char separator = host::PathSeparator();
    return !folder.empty() && folder.back() == separator ? folder + name : folder + separator + name;
}

} // namespace

std::vector<ChosenFile> ChosenFiles(const QStringList& files) {
    std::vector<ChosenFile> chosen;
    // The dialog's files share one folder, read once when a name needs it.
    std::optional<std::string> readFolder;
    std::vector<std::string> entries;
    for (const QString& file : files) {
        const QFileInfo info(file);
        const std::string folder = QDir::toNativeSeparators(info.path()).toStdString();
        const QString name = info.fileName();
        if (!name.contains(QChar::ReplacementCharacter)) {
            chosen.push_back({folder, name.toStdString()});
            continue;
        }
        if (readFolder != folder) {
            try {
                entries = host::FolderEntries(folder);
            } catch (const host::FileError&) {
                entries.clear();
            }
            readFolder = folder;
        }
        for (const std::string& entry : open_dialog::EntriesShownAs(name.toStdString(), entries, Shown))
            chosen.push_back({folder, entry});
    }
    return chosen;
}

std::string ResultText(const std::vector<ChosenFile>& files) {
    if (files.empty())
        return {};
    if (files.size() == 1)
        return InFolder(files.front().folder, files.front().name);
    const std::string& folder = files.front().folder;
    std::string result = folder;
    for (const ChosenFile& file : files) {
        if (file.folder != folder)
            continue;
        result += '\0';
        result += file.name;
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

std::string ShowOpenDialog(const UiHost& host, QWidget* owner, const QString& title,
                           const QString& initialFolder, const QString& initialFile,
                           const QString& filterText, const QString& defaultExt) {
    const QString start = initialFile.isEmpty() ? initialFolder : QDir(initialFolder).filePath(initialFile);
    // "*.rc4" names the extension a typed name without one gets; "*.*" names none.
    QString suffix = defaultExt;
    if (suffix.startsWith(QLatin1String("*.")))
        suffix.remove(0, 2);
    if (suffix.contains(u'*') || suffix.contains(u'?'))
        suffix.clear();
    const QStringList files = host.openFiles(owner, title, start, QtFilter(filterText), suffix);
    // The text ends at the first empty name, as a list of NUL-terminated names would.
    const std::string terminated = ResultText(ChosenFiles(files)) + std::string(2, '\0');
    return open_dialog::LeftOfSeparator(terminated, std::string(2, '\0'));
}

} // namespace StdDialoge
