#pragma once
// List boxes whose entries carry their catalogue record, typed: ui::ListBox<TShopShop> holds
// shops and gives shops back. Sorted lists keep the catalogue's name order (CompareNames on
// the entry's Windows-1252 text), compared through a key made once per entry; filling is
// done in one batch.
//
// A list of single selection keeps its entry selected until another is chosen: Ctrl with a
// click or Space does not take the selection away, as a window in edit mode relies on it.
//
// Keyboard: in a list without a selection, Home and Down select the first entry, End and Up
// the last, and the list reports the selection (itemSelectionChanged, which the windows take
// as the list's click) as for any selection the user makes.
//
// UserSelect is the click for a window that also selects entries itself: it reports only
// what the user does (a left click on an entry, even the selected one, or a key that moves
// the selection), never a selection or clearing by the program.

#include <QListWidget>
#include <QString>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ui {

// The order key of a text: its Windows-1252 bytes with a..z folded to capitals. Comparing two
// keys byte by byte as unsigned values, a prefix first, is CompareNames on the texts.
std::string NameKey(const QString &text);

// What every list box does, whatever its records.
class SortedListBox : public QListWidget {
    Q_OBJECT
public:
    explicit SortedListBox(QWidget *parent = nullptr, bool sorted = true);

    bool Sorted() const { return sorted_; }
    bool HasSelection() const { return !selectedItems().isEmpty(); }
    // Changes an entry's text where it stands: the list is not re-sorted.
    void SetEntryText(int row, const QString &text);
    void RemoveRow(int row);
    void ClearSelection();
    // The incremental search of a sorted list: selects the first entry whose text is not less
    // than `text` in name order, or the last entry when all are less, and shows it. For an
    // empty text or list nothing stays selected. The list's click is not run (no
    // itemSelectionChanged). Returns the selected row or -1.
    int SelectNearest(const QString &text);

Q_SIGNALS:
    // A mouse button was released over the list (the right-click "back to add mode").
    void MouseUp(Qt::MouseButton button);
    // The user selected an entry with the mouse or the keyboard.
    void UserSelect();

protected:
    // An entry: its text, its order key and (in ListBox<T>) its record.
    class Entry : public QListWidgetItem {
    public:
        explicit Entry(const QString &text) : QListWidgetItem(text), Key(NameKey(text)) {}
        std::string Key;
    };

    // Replaces every entry at once, sorted by key in one pass when the list is sorted.
    void FillEntries(std::vector<std::unique_ptr<Entry>> entries);
    // Adds one entry in its sorted place (or at the end when unsorted); returns its row.
    int InsertEntry(std::unique_ptr<Entry> entry);
    const Entry *EntryAt(int row) const { return dynamic_cast<const Entry *>(item(row)); }
    // The first row whose key is not less than `key`, or with `after` the first whose key is
    // greater (count() when there is none). The list must be sorted.
    int Bound(const std::string &key, bool after) const;

    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int SelectedRow() const;

    bool sorted_;
    int pressedSelection_ = -1; // the selected row when a mouse button went down
};

template <class T> class ListBox : public SortedListBox {
public:
    using SortedListBox::SortedListBox;

    // Replaces every entry at once.
    void Fill(std::vector<std::pair<QString, T *>> entries) {
        std::vector<std::unique_ptr<Entry>> made;
        made.reserve(entries.size());
        for (auto &[text, record] : entries)
            made.push_back(std::make_unique<RecordEntry>(text, record));
        FillEntries(std::move(made));
    }
    // Adds one entry in its sorted place (or at the end when unsorted); returns its row.
    int AddEntry(const QString &text, T *record) {
        return InsertEntry(std::make_unique<RecordEntry>(text, record));
    }
    T *At(int row) const {
        const auto *entry = dynamic_cast<const RecordEntry *>(item(row));
        return entry ? entry->Record : nullptr;
    }
    // The record of the selected entry, or none.
    T *Selected() const {
        const auto selected = selectedItems();
        return selected.isEmpty() ? nullptr : At(row(selected.first()));
    }
    // The records of every selected entry, in list order (a list with extended selection).
    std::vector<T *> SelectedRecords() const {
        std::vector<T *> records;
        for (int r = 0; r < count(); ++r)
            if (item(r)->isSelected())
                records.push_back(At(r));
        return records;
    }
    int RowOf(const T *record) const {
        for (int r = 0; r < count(); ++r)
            if (At(r) == record)
                return r;
        return -1;
    }
    // The same, knowing the entry's text: a sorted list finds it by its order key. An entry
    // renamed in place may stand out of order; it is then found by looking at every entry.
    int RowOf(const T *record, const QString &text) const {
        if (Sorted()) {
            const std::string key = NameKey(text);
            for (int r = Bound(key, false); r < count(); ++r) {
                const Entry *entry = EntryAt(r);
                if (!entry || entry->Key != key)
                    break;
                if (At(r) == record)
                    return r;
            }
        }
        return RowOf(record);
    }

private:
    class RecordEntry : public Entry {
    public:
        RecordEntry(const QString &text, T *record) : Entry(text), Record(record) {}
        T *Record;
    };
};

} // namespace ui
