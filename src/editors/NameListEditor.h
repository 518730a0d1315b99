#pragma once
// The window pattern shared by the category and shop editors: one edit box, one list of
// named records sorted without regard to letter case, and Add, Update, Delete, Help and
// Close buttons.
//
// Add mode (no entry selected): Add is the default button and appends the typed name.
// Edit mode (an entry selected): the edit box holds the entry's name, Update is the
// default button and renames the record, Delete removes it. A right click on the list
// goes back to add mode. A taken name only beeps; names are used exactly as typed.

#include "catalogue/RecordList.h"
#include "help/HelpContext.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <string>

class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace ui {
class SortedListBox;
}

// One of the catalogue's lists of named records, as a name-list editor edits it.
class NamedRecords {
public:
    virtual ~NamedRecords() = default;
    virtual int Count() const = 0;
    virtual void *At(int i) const = 0;
    virtual std::string NameOf(const void *record) const = 0;
    // Appends a new record with `name` at the end of the list.
    virtual void *Append(std::string name) = 0;
    virtual void Rename(void *record, std::string name) = 0;
    // Removes the record after clearing every reference to it.
    virtual void Remove(void *record) = 0;
};

// A global list of records of type T (with a `Name` and a constructor from the name),
// removed through the catalogue's own routine that keeps references consistent.
template <class T> class NamedRecordList final : public NamedRecords {
public:
    using Remover = void (*)(T *);
    NamedRecordList(TRecordList<T> &list, Remover remover) : list_(list), remover_(remover) {}

    int Count() const override { return list_.Count(); }
    void *At(int i) const override { return list_[i]; }
    std::string NameOf(const void *record) const override {
        return static_cast<const T *>(record)->Name;
    }
    void *Append(std::string name) override {
        return list_.Add(std::make_unique<T>(std::move(name)));
    }
    void Rename(void *record, std::string name) override {
        static_cast<T *>(record)->Name = std::move(name);
    }
    void Remove(void *record) override { remover_(static_cast<T *>(record)); }

private:
    TRecordList<T> &list_;
    Remover remover_;
};

// True when some entry of `list` equals `name` under a case-insensitive comparison of
// the whole text. Every list of names holds all the records, so this is "name in use".
bool NameTaken(const QListWidget &list, const QString &name);

// What tells one name-list editor from another.
struct NameListSetup {
    QString caption;
    QString editName; // object names of the edit box and the list
    QString listName;
    int maxLength = 0;
    QString addHint;
    QString updateHint;
    QString deleteHint;
    HelpContext helpContext = HelpContext::GettingStarted;
    const bool *confirmDelete = nullptr; // the preference that asks before deleting
    QString confirmText;
    int listWidth = 0;
    int listHeight = 0;
};

class TNameListForm : public QDialog {
    Q_OBJECT
public:
    QLineEdit *Edit = nullptr;
    ui::SortedListBox *ListBox = nullptr;
    QPushButton *AddBtn = nullptr;
    QPushButton *UpdateBtn = nullptr;
    QPushButton *DeleteBtn = nullptr;
    QPushButton *HelpBtn = nullptr;
    QPushButton *CloseBtn = nullptr;

    // The record of the selected entry, or none (add mode).
    void *SelectedRecord() const;

public Q_SLOTS:
    void EditChange();
    void ListBoxClick();
    void ListBoxMouseUp(Qt::MouseButton button);
    void AddBtnClick();
    void UpdateBtnClick();
    void DeleteBtnClick();
    void HelpBtnClick();

protected:
    TNameListForm(NameListSetup setup, std::unique_ptr<NamedRecords> records,
                  QWidget *parent = nullptr);

    // Places a further button below Delete (and after it in the tab order).
    void AddExtraButton(QPushButton *button);
    // Called whenever the window enters add mode (false) or edit mode (true), so an
    // editor can set the state of its extra buttons.
    virtual void ModeChanged(bool editMode);
    // Refills the list from the catalogue and starts in add mode with an empty name.
    virtual void FormShow();

    void showEvent(QShowEvent *event) override;

private:
    // Add mode: no selection, empty name, focus in the edit box.
    void EnterAddMode();
    // Sets the buttons and the default button from the name and the selection.
    void SyncButtons();
    QString Name() const;

    NameListSetup setup_;
    std::unique_ptr<NamedRecords> records_;
    QVBoxLayout *buttons_ = nullptr;
    QWidget *lastButton_ = nullptr;
};
