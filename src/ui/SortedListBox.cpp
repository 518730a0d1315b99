#include "ui/SortedListBox.h"

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
    if (text.isEmpty() || count() == 0)
        return -1;
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

void SortedListBox::ClearSelection() {
    clearSelection();
    setCurrentRow(-1, QItemSelectionModel::NoUpdate);
}

void SortedListBox::keyPressEvent(QKeyEvent *event) {
    // Qt moves only the focus frame when it already sits on the entry the key leads to, so
    // in a list without a selection Home (or Down on the first entry) would select nothing.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && count() > 0 && !HasSelection()) {
        int row = -1;
        switch (event->key()) {
        case Qt::Key_Home:
        case Qt::Key_Down:
            row = 0;
            break;
        case Qt::Key_End:
        case Qt::Key_Up:
            row = count() - 1;
            break;
        default:
            break;
        }
        if (row >= 0) {
            setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
            scrollToItem(item(row));
            event->accept();
            return;
        }
    }
    QListWidget::keyPressEvent(event);
}

void SortedListBox::mousePressEvent(QMouseEvent *event) {
    // Only the left button selects; the right button is kept for leaving edit mode.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
}

void SortedListBox::mouseReleaseEvent(QMouseEvent *event) {
    QListWidget::mouseReleaseEvent(event);
    Q_EMIT MouseUp(event->button());
}

} // namespace ui
