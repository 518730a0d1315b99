#pragma once
// A list box whose entries carry their catalogue record. Sorted lists keep ascending
// order of their text under the catalogue's name comparison (a..z folded, the
// Windows-1252 bytes compared); filling is done in one batch.

#include <QListWidget>
#include <QString>

#include <utility>
#include <vector>

namespace ui {

class SortedListBox : public QListWidget {
    Q_OBJECT
public:
    explicit SortedListBox(QWidget *parent = nullptr, bool sorted = true);

    bool Sorted() const { return sorted_; }
    // Replaces every entry at once (sorted in one pass when the list is sorted).
    void Fill(std::vector<std::pair<QString, void *>> entries);
    // Adds one entry in its sorted place (or at the end when unsorted); returns its row.
    int AddEntry(const QString &text, void *record);
    void *RecordAt(int row) const;
    void *SelectedRecord() const;
    // The selected row, or -1.
    int SelectedRow() const;
    // Selects a row by program (-1: none), scrolled into view; no user selection is signalled.
    void SelectRow(int row);
    // The first row, in list order, whose text is not less than `text`; count() when every
    // entry is less. A binary search, so typing into a long list stays quick.
    int FindNotLess(const QString &text) const;
    int RowOf(const void *record) const;
    // Changes an entry's text where it stands: the list is not re-sorted.
    void SetEntryText(int row, const QString &text);
    void RemoveRow(int row);
    void ClearSelection();

    template <class T> T *Selected() const { return static_cast<T *>(SelectedRecord()); }
    template <class T> T *At(int row) const { return static_cast<T *>(RecordAt(row)); }

Q_SIGNALS:
    // A mouse button was released over the list (the right-click "back to add mode").
    void MouseUp(Qt::MouseButton button);
    // The user selected an entry with the mouse or the keyboard (never a selection by program).
    void UserSelect();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool sorted_;
};

// The order of every sorted list: the catalogue's name comparison on the Windows-1252 text.
int CompareNoCase(const QString &a, const QString &b);

} // namespace ui
