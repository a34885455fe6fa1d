#include "ui/file_list_box.h"

#include <QDir>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QUrl>

#include <algorithm>

namespace {

QStringList LocalFiles(const QMimeData* data) {
    QStringList paths;
    if (data == nullptr || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            // Qt writes '/' on every system; the path helpers split Windows paths at '\\' only.
            paths << QDir::toNativeSeparators(url.toLocalFile());
    return paths;
}

} // namespace

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent), collator_(QLocale()) {
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Long paths are cut at the edge, not shortened with an ellipsis: the extent decides how far the
    // list scrolls to show them.
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
}

void FileListBox::AddItem(const QString& text) {
    int low = 0;
    int high = count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (collator_.compare(item(middle)->text(), text) <= 0)
            low = middle + 1;
        else
            high = middle;
    }
    insertItem(low, text);
}

QStringList FileListBox::Items() const {
    QStringList texts;
    texts.reserve(count());
    for (int i = 0; i < count(); ++i)
        texts << item(i)->text();
    return texts;
}

void FileListBox::SetHorizontalExtent(int pixels) {
    extent_ = std::max(0, pixels);
    updateGeometries();
}

void FileListBox::SetLocked(bool locked) { locked_ = locked; }

void FileListBox::updateGeometries() {
    QListWidget::updateGeometries();
    // The view would scroll over its widest item; the list scrolls over its extent instead.
    QScrollBar* bar = horizontalScrollBar();
    bar->setRange(0, std::max(0, extent_ - viewport()->width()));
    bar->setPageStep(viewport()->width());
}

void FileListBox::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void FileListBox::dragMoveEvent(QDragMoveEvent* event) {
    if (!locked_ && !LocalFiles(event->mimeData()).isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void FileListBox::dropEvent(QDropEvent* event) {
    const QStringList paths = locked_ ? QStringList() : LocalFiles(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit FilesDropped(paths);
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
    if (!locked_)
        QListWidget::mousePressEvent(event);
}

void FileListBox::mouseMoveEvent(QMouseEvent* event) {
    if (!locked_)
        QListWidget::mouseMoveEvent(event);
}

void FileListBox::mouseReleaseEvent(QMouseEvent* event) {
    if (!locked_)
        QListWidget::mouseReleaseEvent(event);
}

void FileListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (locked_)
        return;
    QListWidget::mouseDoubleClickEvent(event);
    emit DoubleClicked();
}

void FileListBox::keyPressEvent(QKeyEvent* event) {
    if (locked_)
        event->ignore();
    else
        QListWidget::keyPressEvent(event);
}
