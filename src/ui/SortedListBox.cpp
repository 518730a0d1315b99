#include "ui/SortedListBox.h"

#include "ui/ListKeys.h"

#include "ui/Ansi.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <algorithm>

namespace ui {

std::string NameKey(const QString &text) {
    std::string key = ToAnsi(text);
    for (char &c : key)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return key;
}

SortedListBox::SortedListBox(QWidget *parent, bool sorted) : QListWidget(parent), sorted_(sorted) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
}

void SortedListBox::FillEntries(std::vector<std::unique_ptr<Entry>> entries) {
    // std::string compares its bytes as unsigned values, which is the name order on keys.
    if (sorted_)
        std::stable_sort(entries.begin(), entries.end(),
                         [](const auto &a, const auto &b) { return a->Key < b->Key; });
    setUpdatesEnabled(false);
    clear();
    {
        // One entry at a time, the model would tell the view of every row as it comes (a
        // list of the catalogue holds up to 32767); it is told once, when all are in. The
        // list was emptied first, so no selection or other row index can go stale.
        const QSignalBlocker quiet(model());
        for (auto &entry : entries)
            addItem(entry.release());
    }
    reset();
    setUpdatesEnabled(true);
}

int SortedListBox::Bound(const std::string &key, bool after) const {
    int lo = 0, hi = count();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        const Entry *entry = EntryAt(mid);
        const int order = (entry ? entry->Key : NameKey(item(mid)->text())).compare(key);
        if (order < 0 || (after && order == 0))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int SortedListBox::InsertEntry(std::unique_ptr<Entry> entry) {
    int row = count();
    if (sorted_) {
        // After the entries of the same key, as a stable sort of the whole list would put it.
        row = Bound(entry->Key, true);
    }
    insertItem(row, entry.release());
    return row;
}

int SortedListBox::SelectNearest(const QString &text) {
    if (text.isEmpty() || count() == 0) {
        const QSignalBlocker quiet(this);
        ClearSelection();
        return -1;
    }
    const std::string key = NameKey(text);
    int row = 0;
    if (sorted_) {
        row = std::min(Bound(key, false), count() - 1);
    } else {
        while (row < count() - 1 && EntryAt(row) && EntryAt(row)->Key < key)
            ++row;
    }
    {
        // The program's choice, not the user's: the window's click handler does not run.
        const QSignalBlocker quiet(this);
        setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    }
    scrollToItem(item(row));
    return row;
}

void SortedListBox::SetEntryText(int row, const QString &text) {
    if (QListWidgetItem *entry = item(row)) {
        entry->setText(text);
        if (auto *e = dynamic_cast<Entry *>(entry))
            e->Key = NameKey(text);
    }
}

void SortedListBox::RemoveRow(int row) {
    delete takeItem(row);
}

int SortedListBox::SelectedRow() const {
    const auto selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void SortedListBox::ClearSelection() {
    clearSelection();
    setCurrentRow(-1, QItemSelectionModel::NoUpdate);
}

QItemSelectionModel::SelectionFlags SortedListBox::selectionCommand(const QModelIndex &index,
                                                                    const QEvent *event) const {
    const auto command = QListWidget::selectionCommand(index, event);
    if (selectionMode() == QAbstractItemView::SingleSelection &&
        command.testFlag(QItemSelectionModel::Deselect))
        return QItemSelectionModel::NoUpdate;
    return command;
}

void SortedListBox::keyPressEvent(QKeyEvent *event) {
    const int row = HasSelection() ? -1 : FirstSelectionRow(event, count());
    if (row >= 0) {
        setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        scrollToItem(item(row));
        event->accept();
        Q_EMIT UserSelect();
        return;
    }
    const int before = SelectedRow();
    QListWidget::keyPressEvent(event);
    const int after = SelectedRow();
    if (after >= 0 && after != before)
        Q_EMIT UserSelect();
}

void SortedListBox::mousePressEvent(QMouseEvent *event) {
    // Only the left button selects; the right button is kept for leaving edit mode. A click
    // below the last entry leaves the selection as it is (Qt would clear it), so a window in
    // edit mode still has the entry it is editing.
    if (event->button() == Qt::RightButton || !itemAt(event->position().toPoint())) {
        event->accept();
        return;
    }
    pressedSelection_ = SelectedRow();
    QListWidget::mousePressEvent(event);
}

void SortedListBox::mouseReleaseEvent(QMouseEvent *event) {
    QListWidget::mouseReleaseEvent(event);
    // A click on an entry, or a drag that moved the selection, is the user's choice; a
    // click on the entry already selected counts too, as a click does.
    const int selected = SelectedRow();
    if (event->button() == Qt::LeftButton && selected >= 0) {
        const QListWidgetItem *under = itemAt(event->position().toPoint());
        if ((under && row(under) == selected) || selected != pressedSelection_)
            Q_EMIT UserSelect();
    }
    Q_EMIT MouseUp(event->button());
}

} // namespace ui
