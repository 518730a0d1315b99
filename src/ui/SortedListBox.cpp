#include "ui/SortedListBox.h"

#include <QMouseEvent>

#include <algorithm>

namespace ui {

namespace {
constexpr int kRecordRole = Qt::UserRole + 1;
}

int CompareNoCase(const QString &a, const QString &b) {
    return QString::compare(a, b, Qt::CaseInsensitive);
}

SortedListBox::SortedListBox(QWidget *parent, bool sorted) : QListWidget(parent), sorted_(sorted) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
}

void SortedListBox::Fill(std::vector<std::pair<QString, void *>> entries) {
    if (sorted_)
        std::stable_sort(entries.begin(), entries.end(), [](const auto &a, const auto &b) {
            return CompareNoCase(a.first, b.first) < 0;
        });
    setUpdatesEnabled(false);
    clear();
    for (auto &[text, record] : entries) {
        auto *item = new QListWidgetItem(text);
        item->setData(kRecordRole, QVariant::fromValue(record));
        addItem(item);
    }
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

void *SortedListBox::RecordAt(int row) const {
    const QListWidgetItem *entry = item(row);
    return entry ? entry->data(kRecordRole).value<void *>() : nullptr;
}

void *SortedListBox::SelectedRecord() const {
    const auto selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.first()->data(kRecordRole).value<void *>();
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
