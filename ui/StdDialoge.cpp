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

std::vector<std::string> ChosenPaths(const std::vector<ChosenFile>& files) {
    std::vector<std::string> paths;
    paths.reserve(files.size());
    for (const ChosenFile& file : files)
        paths.push_back(InFolder(file.folder, file.name));
    return paths;
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

std::vector<std::string> ShowOpenDialog(const UiHost& host, QWidget* owner, const QString& title,
                                        const QString& initialFolder, const QString& initialFile,
                                        const QString& filterText, const std::string& defaultPattern) {
    const QString start = initialFile.isEmpty() ? initialFolder : QDir(initialFolder).filePath(initialFile);
    const QString suffix = QString::fromStdString(open_dialog::DefaultSuffix(defaultPattern));
    return ChosenPaths(ChosenFiles(host.openFiles(owner, title, start, QtFilter(filterText), suffix)));
}

} // namespace StdDialoge
