#pragma once
// A long list of records that its window draws itself, row by row: a list view over a
// model that holds only the records, so that filling it with tens of thousands of rows is
// one reset and only the rows in sight are ever painted.
//
//     ui::RecordView<TShopItem> *list = b.Add(new ui::RecordView<TShopItem>, "ItemsListBox");
//     list->SetDrawRow([this](QPainter &p, const QRect &r, const TShopItem &item) { ... });
//     list->Fill(items); // in the order given
//
// Rows are as wide as the window says its widest row is (SetRowWidth), and stretched to
// the list's width where they are narrower, so a horizontal scroll bar shows only when a
// row does not fit.
//
// One row at a time is selected. Keyboard as in the other list boxes: in a list without a
// selection Home and Down select the first row, End and Up the last. Any change of the
// selected row, by the user or the program, is reported as itemSelectionChanged, which the
// window takes as the list's click.

#include <QAbstractListModel>
#include <QListView>
#include <QPainter>
#include <QStyledItemDelegate>

#include <functional>
#include <utility>
#include <vector>

namespace ui {

// What every record view does, whatever its records.
class RecordViewBase : public QListView {
    Q_OBJECT
public:
    explicit RecordViewBase(QWidget *parent = nullptr);

    int Count() const { return model() ? model()->rowCount() : 0; }
    // The selected row, or -1.
    int SelectedRow() const;
    bool HasSelection() const { return SelectedRow() >= 0; }
    // Selects a row (-1: none) and shows it; reported as itemSelectionChanged.
    void SelectRow(int row);
    // Repaints one row, after its record changed.
    void UpdateRow(int row);
    // How wide the widest row draws; the list lays its rows out again when it changes.
    void SetRowWidth(int width);
    int RowWidth() const { return rowWidth_; }

Q_SIGNALS:
    void itemSelectionChanged();

protected:
    // Connects the selection of the model just set; called by the typed view.
    void WatchSelection();
    void keyPressEvent(QKeyEvent *event) override;

private:
    int rowWidth_ = 0;
};

template <class T> class RecordView : public RecordViewBase {
public:
    // Paints one row in `rect`; the background (selected or not) is already filled and the
    // painter's pen is the text colour for it.
    using DrawRow = std::function<void(QPainter &, const QRect &, const T &)>;

    explicit RecordView(QWidget *parent = nullptr)
        : RecordViewBase(parent), model_(new Model(this)), delegate_(new Delegate(this)) {
        setModel(model_);
        setItemDelegate(delegate_);
        WatchSelection();
    }

    void SetDrawRow(DrawRow draw) { delegate_->draw = std::move(draw); }
    // Replaces every row at once, in the order given.
    void Fill(std::vector<T *> rows) { model_->Reset(std::move(rows)); }
    T *At(int row) const { return model_->At(row); }
    T *Selected() const { return At(SelectedRow()); }
    int RowOf(const T *record) const {
        for (int r = 0; r < Count(); ++r)
            if (At(r) == record)
                return r;
        return -1;
    }

private:
    class Model : public QAbstractListModel {
    public:
        using QAbstractListModel::QAbstractListModel;
        void Reset(std::vector<T *> rows) {
            beginResetModel();
            rows_ = std::move(rows);
            endResetModel();
        }
        T *At(int row) const {
            return row >= 0 && row < static_cast<int>(rows_.size())
                       ? rows_[static_cast<std::size_t>(row)]
                       : nullptr;
        }
        int rowCount(const QModelIndex &parent = {}) const override {
            return parent.isValid() ? 0 : static_cast<int>(rows_.size());
        }
        // The rows are drawn by the window; the model has no texts to give.
        QVariant data(const QModelIndex &, int) const override { return {}; }

    private:
        std::vector<T *> rows_;
    };

    class Delegate : public QStyledItemDelegate {
    public:
        explicit Delegate(RecordView *view) : QStyledItemDelegate(view), view_(view) {}
        void paint(QPainter *painter, const QStyleOptionViewItem &option,
                   const QModelIndex &index) const override {
            const T *record = view_->At(index.row());
            const bool selected = option.state & QStyle::State_Selected;
            const QPalette::ColorGroup group =
                option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
            painter->save();
            painter->fillRect(
                option.rect,
                option.palette.brush(group, selected ? QPalette::Highlight : QPalette::Base));
            painter->setPen(
                option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
            painter->setFont(option.font);
            if (record && draw)
                draw(*painter, option.rect, *record);
            if (option.state & QStyle::State_HasFocus && selected) {
                QPen focus(option.palette.color(group, QPalette::HighlightedText));
                focus.setStyle(Qt::DotLine);
                painter->setPen(focus);
                painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
            }
            painter->restore();
        }
        // Every row has the height of one line of the list's font, and the width of what
        // the widest row draws. Not the width the layout offers: that is the list's width
        // without its vertical scroll bar until the bar has shown, so a fill that brings the
        // bar would make every row wider than the list and bring a horizontal bar too.
        QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override {
            return {view_->RowWidth(), option.fontMetrics.height() + 1};
        }

        DrawRow draw;

    private:
        const RecordView *view_;
    };

    // Both owned by the view.
    Model *model_;
    Delegate *delegate_;
};

} // namespace ui
