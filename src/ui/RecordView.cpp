#include "ui/RecordView.h"

#include "ui/ListKeys.h"

#include <QKeyEvent>

namespace ui {

RecordViewBase::RecordViewBase(QWidget *parent) : QListView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row is one line high: the view lays out and scrolls without asking each row.
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void RecordViewBase::WatchSelection() {
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &RecordViewBase::itemSelectionChanged);
}

int RecordViewBase::SelectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void RecordViewBase::SelectRow(int row) {
    if (row < 0 || row >= Count()) {
        clearSelection();
        return;
    }
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void RecordViewBase::UpdateRow(int row) {
    if (row >= 0 && row < Count())
        update(model()->index(row, 0));
}

void RecordViewBase::SetRowWidth(int width) {
    if (width == rowWidth_)
        return;
    rowWidth_ = width;
    // Every row has the same size, which the list keeps until it lays them out again.
    scheduleDelayedItemsLayout();
}

void RecordViewBase::keyPressEvent(QKeyEvent *event) {
    const int row = HasSelection() ? -1 : FirstSelectionRow(event, Count());
    if (row >= 0) {
        SelectRow(row);
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

} // namespace ui
