#pragma once
// The one list of the windows: a list view whose rows carry their catalogue records, typed:
// ui::ListBox<TShopShop> holds shops and gives shops back.
//
//     CatListBox = b.List<TShopCat>("CatListBox");             // sorted, one selected
//     CatListBox->Fill(Categories, ui::NameText());             // one batch, one reset
//     connect(CatListBox, &ui::ListBoxBase::UserSelect, this, &TForm::CatListBoxClick);
//
// A row shows the text the window gives for its record, or is drawn by the window
// (SetDrawRow), which a long list of many columns needs: only the rows in sight are drawn.
// Sorted lists keep the catalogue's name order (CompareNames on the row's Windows-1252 text),
// compared through a key made once per row; unsorted lists keep the order given.
//
// UserSelect is the list's click, and the only one: a left click on an entry (the selected one
// too) or a key that changes the selection. A selection the program makes or clears is never
// reported, so a window may select entries itself without guarding against its own handler.
//
// A list of single selection keeps its entry selected until another is chosen: Ctrl with a
// click or Space does not take the selection away, as a window in edit mode relies on it. Only
// the left button selects (the right one is kept for leaving edit mode), and a click below the
// last entry leaves the selection as it is.
//
// Keyboard: in a list without a selection, Home and Down select the first entry, End and Up
// the last, reported as the user's choice.

#include "ui/Ansi.h"

#include <QItemSelection>
#include <QListView>
#include <QString>

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <ranges>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace ui {

// The order key of a text: its Windows-1252 bytes with a..z folded to capitals. Comparing two
// keys byte by byte as unsigned values, a prefix first, is CompareNames on the texts.
std::string NameKey(const QString &text);

// The text of a record with a name, the usual text of a row.
struct NameText {
    template <class T> QString operator()(const T &record) const { return FromAnsi(record.Name); }
};

// What every list does, whatever its records.
class ListBoxBase : public QListView {
    Q_OBJECT
public:
    int Count() const;
    // The text of a row (empty in a list its window draws).
    QString Text(int row) const;
    bool HasSelection() const;
    // The selected row (the first of several), or -1.
    int SelectedRow() const;
    // The program's selection: selects the row alone (-1: none) and shows it. Not reported.
    void SelectRow(int row);
    // No selection, and no current row.
    void ClearSelection();
    // Changes a row's text where it stands: the list is not sorted again.
    void SetEntryText(int row, const QString &text);
    // Draws a row again, after its record changed.
    void UpdateRow(int row);
    void RemoveRow(int row);
    void Clear();
    // The incremental search: selects the first entry whose text is not less than `text` in
    // name order (by halving a sorted list), or the last entry when all are less, and shows
    // it. For an empty text or list nothing stays selected. Not reported, as any choice of the
    // program. Returns the selected row or -1.
    int SelectNearest(const QString &text);
    // How wide the widest drawn row is; the list lays its rows out again when it changes.
    void SetRowWidth(int width);

Q_SIGNALS:
    // The user chose with the mouse or the keyboard.
    void UserSelect();
    // A mouse button was released over the list (the right-click "back to add mode").
    void MouseUp(Qt::MouseButton button);

protected:
    // A row's text and its order key.
    struct Label {
        QString text;
        std::string key;
    };
    // A row: its record (as ListBox<T> put it in) and its label, none where the window draws
    // the row. Two plain pointers, so that sorting and inserting move little.
    struct Row {
        void *record;
        Label *label;
    };
    // The rows of a filling, in the order given. The labels stay where they were made: a
    // deque does not move what it holds.
    struct Rows {
        // Room for `count` rows and a few more: the first row added to a full list would
        // otherwise move every row to a larger place.
        void Reserve(std::size_t count) { order.reserve(count + count / 16 + 16); }
        void Add(void *record) { order.push_back({record, nullptr}); }
        void Add(void *record, const QString &text);
        std::vector<Row> order;
        std::deque<Label> labels;
    };
    using DrawRowAt = std::function<void(QPainter &, const QRect &, int row)>;

    ListBoxBase(QWidget *parent, bool sorted);

    // Replaces every row at once, sorted by key in one pass when the list is sorted.
    void FillRows(Rows rows);
    // Adds one row in its sorted place (or at the end when unsorted); returns its row.
    int InsertRow(void *record, const QString &text);
    void *RecordAt(int row) const;
    int RowOfRecord(const void *record) const;
    // The same by the row's text: a sorted list finds it by its order key. A row renamed in
    // place may stand out of order; it is then found by looking at every row.
    int RowOfRecord(const void *record, const QString &text) const;
    // Every selected row, in list order.
    std::vector<int> SelectedRows() const;
    // The window draws the rows from now on.
    void SetDrawRowAt(DrawRowAt draw);

    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    class Model;
    class Drawn;

    // The first row whose key is not less than `key`, or with `after` the first whose key is
    // greater (Count() when there is none). The list must be sorted.
    int Bound(const std::string &key, bool after) const;

    Model *model_; // owned by the list
    bool sorted_;
    int rowWidth_ = 0;
    bool pressedOnEntry_ = false;   // the left button went down on an entry
    QItemSelection pressSelection_; // the selection when it went down
};

template <class T> class ListBox : public ListBoxBase {
public:
    // Draws one row in `rect`; the background (selected or not) is already filled and the
    // painter's pen is the text colour for it.
    using DrawRow = std::function<void(QPainter &, const QRect &, const T &)>;

    explicit ListBox(QWidget *parent = nullptr, bool sorted = true) : ListBoxBase(parent, sorted) {}

    // Replaces every row at once with the records of `records` (a catalogue list, a vector
    // of records or any range of them), each showing textOf(record). Without a text function
    // the window draws the rows.
    template <class Range, class TextOf = std::nullptr_t>
    void Fill(Range &&records, TextOf textOf = nullptr) {
        Rows rows;
        if constexpr (std::ranges::sized_range<Range>)
            rows.Reserve(std::ranges::size(records));
        for (const auto &element : records) {
            T *record = RecordOf(element);
            if constexpr (std::is_null_pointer_v<TextOf>)
                rows.Add(record);
            else
                rows.Add(record, textOf(*record));
        }
        FillRows(std::move(rows));
    }
    // Adds one entry in its sorted place (or at the end when unsorted); returns its row.
    int AddEntry(const QString &text, T *record) { return InsertRow(record, text); }
    void SetDrawRow(DrawRow draw) {
        SetDrawRowAt([this, draw = std::move(draw)](QPainter &p, const QRect &rect, int row) {
            if (const T *record = At(row))
                draw(p, rect, *record);
        });
    }

    T *At(int row) const { return static_cast<T *>(RecordAt(row)); }
    // The record of the selected entry, or none.
    T *Selected() const { return At(SelectedRow()); }
    // The records of every selected entry, in list order (a list with extended selection).
    std::vector<T *> SelectedRecords() const {
        std::vector<T *> records;
        for (int row : SelectedRows())
            records.push_back(At(row));
        return records;
    }
    int RowOf(const T *record) const { return RowOfRecord(record); }
    int RowOf(const T *record, const QString &text) const { return RowOfRecord(record, text); }

private:
    static T *RecordOf(T *record) { return record; }
    static T *RecordOf(const std::unique_ptr<T> &record) { return record.get(); }
};

} // namespace ui
