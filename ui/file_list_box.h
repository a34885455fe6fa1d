#pragma once

#include "window/file_list.h"

#include <QCollator>
#include <QListWidget>
#include <QStringList>

#include <string>
#include <vector>

// A list of file paths as the main window keeps them:
//   - each item is a path's bytes, kept as they came: a Linux file name need not be UTF-8. The list
//     shows the path decoded as UTF-8, with a replacement character for what is none, and hands the
//     bytes themselves to the batches, so such a file is processed under its real name;
//   - items sorted by their shown text, letter case ignored, in the user's collation; each added item
//     takes its sorted place, after the items that compare equal to it. Many paths added in one call
//     are sorted in with the list in one go (n log n), not item by item;
//   - a horizontal scroll extent that only SetHorizontalExtent changes, whatever the items' widths.
//     Every row is as wide as the extent and as high as a line of the list's font, so laying out the
//     list measures no item's text;
//   - each item's shown text as its tool tip, so a path cut at the list's edge can be read whole;
//   - local files dropped from the desktop handed on as paths; a double-click anywhere reported, and
//     the Delete key. A click beside the items leaves the selection as it is;
//   - a lock that refuses every change by the user (drops, double-clicks, selection by mouse or keys)
//     while a batch reads the list, and greys the list meanwhile.
class FileListBox : public QListWidget, public FileList {
    Q_OBJECT

public:
    explicit FileListBox(QWidget* parent = nullptr);

    // The items' texts as the list shows them.
    QStringList Items() const;

    // FileList.
    int Count() const override { return count(); }
    std::string Item(int index) const override;
    bool IsSelected(int index) const override;
    int SelectedIndex() const override;
    void Select(int index) override { setCurrentRow(index); }
    void Add(std::vector<std::string> paths) override;
    // One path, the same way.
    void Add(const std::string& path) { Add(std::vector<std::string>{path}); }
    void RemoveAt(int index) override { delete takeItem(index); }
    void Clear() override { clear(); }
    void ClearSelection() override { clearSelection(); }

    // The width in pixels the list scrolls over; -1 until the first SetHorizontalExtent, and until then
    // the list does not scroll sideways.
    int HorizontalExtent() const { return extent_; }
    void SetHorizontalExtent(int pixels) override;
    double WidestText(const std::vector<std::string>& texts) const override;

    void SetLocked(bool locked);
    bool Locked() const { return !isEnabled(); }

signals:
    // Local files dropped on the list: full paths in the drag's order, byte for byte, never empty.
    void FilesDropped(const std::vector<std::string>& paths);
    // A double-click anywhere on the list, after the click has selected the item under the pointer, if
    // any.
    void DoubleClicked();
    // The Delete key, without modifiers.
    void DeletePressed();

protected:
    void updateGeometries() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Whether the horizontal bar shows: exactly while the extent exceeds the visible width.
    Qt::ScrollBarPolicy ExtentPolicy() const;

    QCollator collator_;
    // Counts the items as they come, so that items comparing equal keep the order they came in.
    quint64 arrivals_ = 0;
    int extent_ = -1;
};
