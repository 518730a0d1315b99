#include "ui/SortedListBox.h"

#include "catalogue/ShopData.h"
#include "ui/Ansi.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <algorithm>
#include <string>

namespace ui {

namespace {
constexpr int kRecordRole = Qt::UserRole + 1;
}

int CompareNoCase(const QString &a, const QString &b) {
    return CompareNames(ToAnsi(a), ToAnsi(b));
}

SortedListBox::SortedListBox(QWidget *parent, bool sorted) : QListWidget(parent), sorted_(sorted) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
}

void SortedListBox::Fill(std::vector<std::pair<QString, void *>> entries) {
    if (sorted_) {
        // Each text folded once, not at every comparison; equal texts keep their order.
        std::vector<std::string> keys;
        keys.reserve(entries.size());
        for (const auto &entry : entries)
            keys.push_back(NameKey(ToAnsi(entry.first)));
        std::vector<std::size_t> order(entries.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [&keys](std::size_t a, std::size_t b) {
            const int c = keys[a].compare(keys[b]);
            return c < 0 || (c == 0 && a < b);
        });
        std::vector<std::pair<QString, void *>> sorted;
        sorted.reserve(entries.size());
        for (std::size_t i : order)
            sorted.push_back(std::move(entries[i]));
        entries.swap(sorted);
    }
    setUpdatesEnabled(false);
    clear();
    // All rows in one insertion: one by one, each row is announced to the view on its own,
    // which makes a list of thousands slow to fill.
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(entries.size()));
    for (const auto &entry : entries)
        texts.append(entry.first);
    insertItems(0, texts);
    // The records are not shown, so the view need not hear of them.
    const QSignalBlocker quiet(model());
    for (int row = 0; row < count(); ++row)
        item(row)->setData(kRecordRole,
                           QVariant::fromValue(entries[static_cast<std::size_t>(row)].second));
    setUpdatesEnabled(true);
}

int SortedListBox::AddEntry(const QString &text, void *record) {
    int row = count();
    if (sorted_) {
        // Binary search for the first entry that sorts after the new text.
        int lo = 0, hi = count();
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (CompareNoCase(item(mid)->text(), text) <= 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        row = lo;
    }
    auto *entry = new QListWidgetItem(text);
    entry->setData(kRecordRole, QVariant::fromValue(record));
    insertItem(row, entry);
    return row;
}

int SortedListBox::FindNotLess(const QString &text) const {
    const std::string key = ToAnsi(text);
    int lo = 0, hi = count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (CompareNames(ToAnsi(item(mid)->text()), key) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

void *SortedListBox::RecordAt(int row) const {
    const QListWidgetItem *entry = item(row);
    return entry ? entry->data(kRecordRole).value<void *>() : nullptr;
}

void *SortedListBox::SelectedRecord() const {
    const auto selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.first()->data(kRecordRole).value<void *>();
}

int SortedListBox::SelectedRow() const {
    const auto selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void SortedListBox::SelectRow(int row) {
    if (row < 0 || row >= count()) {
        ClearSelection();
        return;
    }
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(row));
}

int SortedListBox::RowOf(const void *record) const {
    for (int row = 0; row < count(); ++row)
        if (RecordAt(row) == record)
            return row;
    return -1;
}

void SortedListBox::SetEntryText(int row, const QString &text) {
    if (QListWidgetItem *entry = item(row))
        entry->setText(text);
}

void SortedListBox::RemoveRow(int row) {
    delete takeItem(row);
}

void SortedListBox::ClearSelection() {
    clearSelection();
    setCurrentRow(-1, QItemSelectionModel::NoUpdate);
}

void SortedListBox::mousePressEvent(QMouseEvent *event) {
    // Only the left button selects; the right button is kept for leaving edit mode. A click
    // below the last entry leaves the selection as it is, so the window's state still
    // matches it.
    if (event->button() == Qt::RightButton || !itemAt(event->position().toPoint())) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
}

void SortedListBox::mouseReleaseEvent(QMouseEvent *event) {
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && SelectedRow() >= 0 &&
        itemAt(event->position().toPoint()))
        Q_EMIT UserSelect();
    Q_EMIT MouseUp(event->button());
}

void SortedListBox::keyPressEvent(QKeyEvent *event) {
    const int before = SelectedRow();
    // Without a selection, Home and Down select the first entry, End and Up the last (the
    // view would only move on from the entry it marked when it took the focus).
    const int key = event->key();
    if (before < 0 && count() > 0 && event->modifiers() == Qt::NoModifier &&
        (key == Qt::Key_Home || key == Qt::Key_Down || key == Qt::Key_End || key == Qt::Key_Up)) {
        SelectRow(key == Qt::Key_Home || key == Qt::Key_Down ? 0 : count() - 1);
        event->accept();
        Q_EMIT UserSelect();
        return;
    }
    QListWidget::keyPressEvent(event);
    const int after = SelectedRow();
    if (after >= 0 && after != before)
        Q_EMIT UserSelect();
}

} // namespace ui
