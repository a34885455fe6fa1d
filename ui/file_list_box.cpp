#include "ui/file_list_box.h"

#include "window/uri_list.h"

#include <QApplication>
#include <QDropEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr int PathItemType = QListWidgetItem::UserType + 1;

// An item: its path's bytes, kept as they came (its text is only what the list shows), and what sorts
// it: the collation key of its text, compared as bytes far faster than the texts themselves, and its
// place in the order the items came.
class PathItem : public QListWidgetItem {
public:
    PathItem(std::string path, const QCollator& collator, quint64 arrival)
        // Shown as Qt decodes file names on Linux: UTF-8, with a replacement character for what is none.
        : QListWidgetItem(QString::fromStdString(path), nullptr, PathItemType), path_(std::move(path)),
          key_(collator.sortKey(text())), arrival_(arrival) {}

    const std::string& Path() const { return path_; }

    // The tool tip is the text itself, kept once.
    QVariant data(int role) const override {
        return role == Qt::ToolTipRole ? QListWidgetItem::data(Qt::DisplayRole) : QListWidgetItem::data(role);
    }

    bool operator<(const QListWidgetItem& other) const override {
        if (other.type() != PathItemType)
            return QListWidgetItem::operator<(other);
        const auto& that = static_cast<const PathItem&>(other);
        // The collator puts an empty text before every other, whatever their keys.
        if (path_.empty() != that.path_.empty())
            return path_.empty();
        const int order = key_.compare(that.key_);
        return order != 0 ? order < 0 : arrival_ < that.arrival_;
    }

private:
    std::string path_;
    QCollatorSortKey key_;
    quint64 arrival_;
};

// Sizes every row alike: as high as one line of the list's font, as the standard delegate sizes a row
// of plain text, and as wide as the list's extent, so that a long path is drawn as far as the list
// scrolls. The standard delegate would lay out each item's text to size its row, at every layout of
// the list, which for tens of thousands of paths takes the better part of a second. Drawing is left
// to the standard delegate.
class RowDelegate : public QStyledItemDelegate {
public:
    explicit RowDelegate(FileListBox* list) : QStyledItemDelegate(list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QWidget* widget = option.widget;
        const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        if (height_ < 0 || option.font != font_ || style != style_) {
            QStyleOptionViewItem line = option;
            initStyleOption(&line, index);
            // Any text of the font's own letters is one line of its height.
            line.text = QStringLiteral("Xg");
            height_ = style->sizeFromContents(QStyle::CT_ItemViewItem, &line, QSize(), widget).height();
            font_ = option.font;
            style_ = style;
        }
        return QSize(std::max(0, list_->HorizontalExtent()), height_);
    }

private:
    const FileListBox* list_;
    mutable QFont font_;
    mutable const QStyle* style_ = nullptr;
    mutable int height_ = -1;
};

// The drag's local files. Read from the URI list's bytes, not through QUrl: its QString would turn the
// bytes of a name that is no UTF-8 into replacement characters.
std::vector<std::string> LocalFiles(const QMimeData* data) {
    const QString format = QStringLiteral("text/uri-list");
    if (data == nullptr || !data->hasFormat(format))
        return {};
    return uri_list::LocalPaths(data->data(format).toStdString());
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
    // No sideways scrolling before the first extent.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setItemDelegate(new RowDelegate(this));
}

void FileListBox::Add(std::vector<std::string> paths) {
    if (paths.empty())
        return;
    // Appended, then sorted with the list by collation key and arrival: the order that sorting each
    // into its place after the items comparing equal to it would give. The view keeps the selection and
    // the current item through the sort, and lays itself out once.
    for (std::string& path : paths)
        addItem(new PathItem(std::move(path), collator_, arrivals_++));
    sortItems(Qt::AscendingOrder);
}

std::string FileListBox::Item(int index) const {
    const QListWidgetItem* at = item(index);
    if (at == nullptr)
        return {};
    return at->type() == PathItemType ? static_cast<const PathItem*>(at)->Path() : at->text().toStdString();
}

bool FileListBox::IsSelected(int index) const {
    const QListWidgetItem* at = item(index);
    return at != nullptr && at->isSelected();
}

int FileListBox::SelectedIndex() const {
    const QListWidgetItem* at = currentItem();
    return at != nullptr && at->isSelected() ? currentRow() : -1;
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
    // The rows are as wide as the extent.
    scheduleDelayedItemsLayout();
    // Outside any geometry update: the bar is shown or hidden at once, and the view lays itself out.
    setHorizontalScrollBarPolicy(ExtentPolicy());
    updateGeometries();
}

double FileListBox::WidestText(const std::vector<std::string>& texts) const {
    // Measured as the standard delegate lays out an item's text: the view's font, one line. Laying out
    // a text takes microseconds, more than everything else an intake does with a path. A text of
    // printable Latin characters that the font itself holds is drawn one character after the other,
    // so its width is the sum of their advances, each character measured once per call; any other text
    // (marks, other scripts, characters from a fallback font, control characters) is laid out whole.
    const QFontMetricsF metrics(font());
    constexpr char16_t SimpleEnd = 0x0300;
    // -1: not measured yet; -2: not drawn one by one.
    std::array<qreal, SimpleEnd> advances;
    advances.fill(-1);
    const auto advance = [&](char16_t unit) {
        qreal& known = advances[unit];
        if (known == -1) {
            const QChar character(unit);
            const QChar::Category category = character.category();
            known = category == QChar::Other_Control || category == QChar::Other_Format ||
                            !metrics.inFont(character)
                        ? -2
                        : metrics.horizontalAdvance(character);
        }
        return known;
    };
    qreal widest = 0;
    for (const std::string& path : texts) {
        const QString text = QString::fromStdString(path);
        qreal width = 0;
        for (const QChar character : text) {
            const char16_t unit = character.unicode();
            const qreal step = unit >= 0x20 && unit < SimpleEnd ? advance(unit) : -2;
            if (step < 0) {
                width = metrics.horizontalAdvance(text);
                break;
            }
            width += step;
        }
        widest = std::max(widest, width);
    }
    return widest;
}

void FileListBox::SetLocked(bool locked) {
    // Greyed, so that it does not look as if it took drops; the batch still moves its selection.
    setEnabled(!locked);
}

Qt::ScrollBarPolicy FileListBox::ExtentPolicy() const {
    return extent_ > viewport()->width() ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
}

void FileListBox::updateGeometries() {
    QListWidget::updateGeometries();
    // The view would scroll over its widest item; the list scrolls over its extent instead. The bar is
    // shown by the extent alone, through its policy: were it shown by its range, the view's next update
    // would set the range from the items again, hide the bar, resize the viewport and so come back here,
    // endlessly when the vertical bar comes and goes with the horizontal one.
    QScrollBar* bar = horizontalScrollBar();
    bar->setRange(0, std::max(0, extent_ - viewport()->width()));
    bar->setPageStep(viewport()->width());
    // An arrow or a turn of the wheel moves by a character, not by a row's width, which is the extent.
    bar->setSingleStep(std::max(1, fontMetrics().averageCharWidth()));
    // The viewport narrows when the vertical bar appears, which may make the extent exceed it. Changing
    // the policy lays the view out again, so that waits until this update has returned. Showing the bar
    // only ever narrows or shortens the viewport, so the decision cannot flip back.
    if (horizontalScrollBarPolicy() != ExtentPolicy())
        QMetaObject::invokeMethod(
            this, [this] { setHorizontalScrollBarPolicy(ExtentPolicy()); }, Qt::QueuedConnection);
}

void FileListBox::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void FileListBox::dragMoveEvent(QDragMoveEvent* event) {
    if (!Locked() && !LocalFiles(event->mimeData()).empty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void FileListBox::dropEvent(QDropEvent* event) {
    const std::vector<std::string> paths =
        Locked() ? std::vector<std::string>() : LocalFiles(event->mimeData());
    if (paths.empty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit FilesDropped(paths);
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
    if (Locked())
        return;
    // Beside the items a click only takes the focus: the selected item stays selected, and a
    // double-click there removes it, as a double-click on it would.
    if (!indexAt(event->position().toPoint()).isValid()) {
        setFocus(Qt::MouseFocusReason);
        return;
    }
    QListWidget::mousePressEvent(event);
}

void FileListBox::mouseMoveEvent(QMouseEvent* event) {
    if (!Locked())
        QListWidget::mouseMoveEvent(event);
}

void FileListBox::mouseReleaseEvent(QMouseEvent* event) {
    if (!Locked())
        QListWidget::mouseReleaseEvent(event);
}

void FileListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (Locked())
        return;
    QListWidget::mouseDoubleClickEvent(event);
    emit DoubleClicked();
}

void FileListBox::keyPressEvent(QKeyEvent* event) {
    if (Locked()) {
        event->ignore();
    } else if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        event->accept();
        emit DeletePressed();
    } else {
        QListWidget::keyPressEvent(event);
    }
}
