#include "ui/ListBox.h"

#include <QAbstractListModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace ui {

namespace {

// The row that `event` selects in a list of `count` entries without a selection: Home and
// Down the first, End and Up the last; -1 for any other key or an empty list. Qt's views
// would only move the focus frame from where it stands, so Home (or Down on the first entry)
// would select nothing.
int FirstSelectionRow(const QKeyEvent *event, int count) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!plain || count <= 0)
        return -1;
    switch (event->key()) {
    case Qt::Key_Home:
    case Qt::Key_Down:
        return 0;
    case Qt::Key_End:
    case Qt::Key_Up:
        return count - 1;
    default:
        return -1;
    }
}

} // namespace

std::string NameKey(const QString &text) {
    std::string key = ToAnsi(text);
    for (char &c : key)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return key;
}

void ListBoxBase::Rows::Add(void *record, const QString &text) {
    order.push_back({record, &labels.emplace_back(text, NameKey(text))});
}

// The rows themselves; the view asks it only for the rows in sight.
class ListBoxBase::Model : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int Size() const { return static_cast<int>(rows_.order.size()); }
    void *Record(int row) const { return Valid(row) ? RowAt(row).record : nullptr; }
    // The text and key of a row; empty for a row the window draws.
    const QString &Text(int row) const {
        static const QString none;
        return Valid(row) && RowAt(row).label ? RowAt(row).label->text : none;
    }
    const std::string &Key(int row) const {
        static const std::string none;
        return Valid(row) && RowAt(row).label ? RowAt(row).label->key : none;
    }
    bool Valid(int row) const { return row >= 0 && row < Size(); }

    void Reset(Rows rows) {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }
    void Insert(int row, void *record, Label label) {
        beginInsertRows({}, row, row);
        Label *kept = &rows_.labels.emplace_back(std::move(label));
        rows_.order.insert(rows_.order.begin() + row, {record, kept});
        endInsertRows();
    }
    // The row's label stays among the labels until the list is filled again.
    void Remove(int row) {
        beginRemoveRows({}, row, row);
        rows_.order.erase(rows_.order.begin() + row);
        endRemoveRows();
    }
    void SetText(int row, const QString &text) {
        Row &entry = rows_.order[static_cast<std::size_t>(row)];
        if (!entry.label)
            entry.label = &rows_.labels.emplace_back();
        *entry.label = {text, NameKey(text)};
        Q_EMIT dataChanged(index(row), index(row), {Qt::DisplayRole});
    }

    int rowCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : Size();
    }
    QVariant data(const QModelIndex &index, int role) const override {
        return role == Qt::DisplayRole && Valid(index.row()) ? QVariant(Text(index.row()))
                                                             : QVariant();
    }
    Qt::ItemFlags flags(const QModelIndex &index) const override {
        return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren
                               : Qt::NoItemFlags;
    }

private:
    const Row &RowAt(int row) const { return rows_.order[static_cast<std::size_t>(row)]; }

    Rows rows_;
};

// Rows drawn by the window.
class ListBoxBase::Drawn : public QStyledItemDelegate {
public:
    Drawn(ListBoxBase *list, DrawRowAt draw)
        : QStyledItemDelegate(list), list_(list), draw_(std::move(draw)) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorGroup group =
            option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        painter->save();
        painter->fillRect(option.rect, option.palette.brush(group, selected ? QPalette::Highlight
                                                                            : QPalette::Base));
        painter->setPen(
            option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(option.font);
        draw_(*painter, option.rect, index.row());
        if (option.state & QStyle::State_HasFocus && selected) {
            QPen focus(option.palette.color(group, QPalette::HighlightedText));
            focus.setStyle(Qt::DotLine);
            painter->setPen(focus);
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }
    // Every row has the height of one line of the list's font, and the width of what the
    // widest row draws. Not the width the layout offers: that is the list's width without its
    // vertical scroll bar until the bar has shown, so a fill that brings the bar would make
    // every row wider than the list and bring a horizontal bar too.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override {
        return {list_->rowWidth_, option.fontMetrics.height() + 1};
    }

private:
    const ListBoxBase *list_;
    DrawRowAt draw_;
};

ListBoxBase::ListBoxBase(QWidget *parent, bool sorted)
    : QListView(parent), model_(new Model(this)), sorted_(sorted) {
    setModel(model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row is one line high: the view lays out and scrolls without asking each row.
    setUniformItemSizes(true);
}

int ListBoxBase::Count() const {
    return model_->Size();
}

QString ListBoxBase::Text(int row) const {
    return model_->Text(row);
}

void *ListBoxBase::RecordAt(int row) const {
    return model_->Record(row);
}

void ListBoxBase::FillRows(Rows rows) {
    // std::string compares its bytes as unsigned values, which is the name order on keys.
    if (sorted_)
        std::stable_sort(rows.order.begin(), rows.order.end(), [](const Row &a, const Row &b) {
            return a.label && b.label && a.label->key < b.label->key;
        });
    model_->Reset(std::move(rows));
}

void ListBoxBase::Clear() {
    model_->Reset({});
}

int ListBoxBase::Bound(const std::string &key, bool after) const {
    int lo = 0, hi = Count();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        const int order = model_->Key(mid).compare(key);
        if (order < 0 || (after && order == 0))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int ListBoxBase::InsertRow(void *record, const QString &text) {
    // After the rows of the same key, as a stable sort of the whole list would put it.
    Label label{text, NameKey(text)};
    const int at = sorted_ ? Bound(label.key, true) : Count();
    model_->Insert(at, record, std::move(label));
    return at;
}

int ListBoxBase::RowOfRecord(const void *record) const {
    for (int row = 0; row < Count(); ++row)
        if (model_->Record(row) == record)
            return row;
    return -1;
}

int ListBoxBase::RowOfRecord(const void *record, const QString &text) const {
    if (sorted_) {
        const std::string key = NameKey(text);
        for (int row = Bound(key, false); row < Count() && model_->Key(row) == key; ++row)
            if (model_->Record(row) == record)
                return row;
    }
    return RowOfRecord(record);
}

bool ListBoxBase::HasSelection() const {
    return selectionModel()->hasSelection();
}

int ListBoxBase::SelectedRow() const {
    int first = -1;
    for (const QItemSelectionRange &range : selectionModel()->selection())
        if (first < 0 || range.top() < first)
            first = range.top();
    return first;
}

std::vector<int> ListBoxBase::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ListBoxBase::SelectRow(int row) {
    if (row < 0 || row >= Count()) {
        ClearSelection();
        return;
    }
    const QModelIndex index = model_->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void ListBoxBase::ClearSelection() {
    clearSelection();
    selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
}

int ListBoxBase::SelectNearest(const QString &text) {
    if (text.isEmpty() || Count() == 0) {
        ClearSelection();
        return -1;
    }
    const std::string key = NameKey(text);
    int row = 0;
    if (sorted_) {
        row = std::min(Bound(key, false), Count() - 1);
    } else {
        while (row < Count() - 1 && model_->Key(row) < key)
            ++row;
    }
    SelectRow(row);
    return row;
}

void ListBoxBase::SetEntryText(int row, const QString &text) {
    if (model_->Valid(row))
        model_->SetText(row, text);
}

void ListBoxBase::UpdateRow(int row) {
    if (model_->Valid(row))
        update(model_->index(row));
}

void ListBoxBase::RemoveRow(int row) {
    if (model_->Valid(row))
        model_->Remove(row);
}

void ListBoxBase::SetDrawRowAt(DrawRowAt draw) {
    setItemDelegate(new Drawn(this, std::move(draw)));
}

void ListBoxBase::SetRowWidth(int width) {
    if (width == rowWidth_)
        return;
    rowWidth_ = width;
    // Every row has the same size, which the list keeps until it lays them out again.
    scheduleDelayedItemsLayout();
}

QItemSelectionModel::SelectionFlags ListBoxBase::selectionCommand(const QModelIndex &index,
                                                                  const QEvent *event) const {
    const auto command = QListView::selectionCommand(index, event);
    if (selectionMode() == QAbstractItemView::SingleSelection &&
        command.testFlag(QItemSelectionModel::Deselect))
        return QItemSelectionModel::NoUpdate;
    return command;
}

void ListBoxBase::keyPressEvent(QKeyEvent *event) {
    const int first = HasSelection() ? -1 : FirstSelectionRow(event, Count());
    if (first >= 0) {
        SelectRow(first);
        event->accept();
        Q_EMIT UserSelect();
        return;
    }
    const QItemSelection before = selectionModel()->selection();
    QListView::keyPressEvent(event);
    if (selectionModel()->selection() != before)
        Q_EMIT UserSelect();
}

void ListBoxBase::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton) {
        pressSelection_ = selectionModel()->selection();
        pressedOnEntry_ = indexAt(event->position().toPoint()).isValid();
    }
    // Only the left button selects, and only on an entry: Qt would clear the selection for a
    // click below the last one, and a window in edit mode still needs the entry it edits.
    if (event->button() != Qt::LeftButton || !pressedOnEntry_) {
        event->accept();
        return;
    }
    QListView::mousePressEvent(event);
}

void ListBoxBase::mouseReleaseEvent(QMouseEvent *event) {
    QListView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) {
        // A click on an entry (the selected one too), or a drag that changed the selection.
        // The release that ends a double click is no new choice.
        QItemSelection now = selectionModel()->selection();
        const bool changed = now != pressSelection_;
        pressSelection_ = std::move(now);
        if (std::exchange(pressedOnEntry_, false) || changed)
            Q_EMIT UserSelect();
    }
    Q_EMIT MouseUp(event->button());
}

} // namespace ui
