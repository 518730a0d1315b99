#include "ui/RecordView.h"

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

void RecordViewBase::keyPressEvent(QKeyEvent *event) {
    // The view would only move on from the row it marked when it took the focus, so in a
    // list without a selection Home (or Down on the first row) would select nothing.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && Count() > 0 && !HasSelection()) {
        int row = -1;
        switch (event->key()) {
        case Qt::Key_Home:
        case Qt::Key_Down:
            row = 0;
            break;
        case Qt::Key_End:
        case Qt::Key_Up:
            row = Count() - 1;
            break;
        default:
            break;
        }
        if (row >= 0) {
            SelectRow(row);
            event->accept();
            return;
        }
    }
    QListView::keyPressEvent(event);
}

} // namespace ui
