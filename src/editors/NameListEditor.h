#pragma once
// The window pattern shared by the category and shop editors: one edit box, one list of
// named records in name order, and Add, Update, Delete, Help and
// Close buttons.
//
// Add mode (no entry selected): Add is the default button and appends the typed name.
// Edit mode (an entry selected): the edit box holds the entry's name, Update is the
// default button and renames the record, Delete removes it. A right click on the list
// goes back to add mode. A taken name only beeps; names are used exactly as typed.

#include "catalogue/RecordList.h"
#include "help/HelpContext.h"
#include "ui/Ansi.h"
#include "ui/FormBase.h"
#include "ui/ListBox.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <utility>

class QLineEdit;
class QPushButton;
class QVBoxLayout;

// True when some entry of `list` equals `name` under a case-insensitive comparison of
// the whole text. Every list of names holds all the records, so this is "name in use".
bool NameTaken(const ui::ListBoxBase &list, const QString &name);

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

// The window without its records: the controls, add and edit mode, the rules on names.
// TNameListEditor<T> gives it the catalogue list it edits.
class TNameListForm : public ui::FormBase<QDialog> {
    Q_OBJECT
public:
    QLineEdit *Edit = nullptr;
    ui::ListBoxBase *ListBox = nullptr;
    QPushButton *AddBtn = nullptr;
    QPushButton *UpdateBtn = nullptr;
    QPushButton *DeleteBtn = nullptr;
    QPushButton *HelpBtn = nullptr;
    QPushButton *CloseBtn = nullptr;

    // An entry is selected: edit mode.
    bool EditMode() const { return ListBox->HasSelection(); }

public Q_SLOTS:
    void EditChange();
    void ListBoxClick();
    void ListBoxMouseUp(Qt::MouseButton button);
    void AddBtnClick();
    void UpdateBtnClick();
    void DeleteBtnClick();
    void HelpBtnClick();

protected:
    // `list` is the window's list box, made by the typed editor.
    TNameListForm(NameListSetup setup, ui::ListBoxBase *list, QWidget *parent = nullptr);

    // The catalogue list behind the window, reached through the selected entry.
    virtual int RecordCount() const = 0;
    virtual QString SelectedName() const = 0;
    // Appends a record named `name` to the catalogue and its entry to the list.
    virtual void AddRecord(const QString &name) = 0;
    // Renames the selected record; its entry keeps its place.
    virtual void RenameSelected(const QString &name) = 0;
    // Removes the selected entry and its record (clearing every reference to it).
    virtual void RemoveSelected() = 0;
    virtual void FillList() = 0;

    // Places a further button below Delete (and after it in the tab order).
    void AddExtraButton(QPushButton *button);
    // Called whenever the window enters add mode (false) or edit mode (true), so an
    // editor can set the state of its extra buttons.
    virtual void ModeChanged(bool editMode);
    // Refills the list from the catalogue and starts in add mode with an empty name.
    void FormShow() override;
    // Empties the list: it is filled afresh at the next showing.
    void FormHidden() override;

private:
    // Add mode: no selection, empty name, focus in the edit box.
    void EnterAddMode();
    // Sets the buttons and the default button from the name and the selection.
    void SyncButtons();
    QString Name() const;

    NameListSetup setup_;
    QVBoxLayout *buttons_ = nullptr;
    QWidget *lastButton_ = nullptr;
};

// A name-list editor over a global list of records of type T (with a `Name` and a
// constructor from the name), whose records are removed through the catalogue's own routine
// that keeps references consistent.
template <class T> class TNameListEditor : public TNameListForm {
public:
    using Remover = void (*)(T *);

    TNameListEditor(NameListSetup setup, TRecordList<T> &records, Remover remover,
                    QWidget *parent = nullptr)
        : TNameListForm(std::move(setup), new ui::ListBox<T>(nullptr, true), parent),
          records_(records), remover_(remover), list_(static_cast<ui::ListBox<T> *>(ListBox)) {}

    // The record of the selected entry, or none (add mode).
    T *SelectedRecord() const { return list_->Selected(); }

protected:
    int RecordCount() const override { return records_.Count(); }
    QString SelectedName() const override {
        const T *record = SelectedRecord();
        return record ? ui::FromAnsi(record->Name) : QString();
    }
    void AddRecord(const QString &name) override {
        list_->AddEntry(name, records_.Add(std::make_unique<T>(ui::ToAnsi(name))));
    }
    void RenameSelected(const QString &name) override {
        T *record = SelectedRecord();
        record->Name = ui::ToAnsi(name);
        list_->SetEntryText(list_->RowOf(record), name);
    }
    void RemoveSelected() override {
        T *record = SelectedRecord();
        list_->RemoveRow(list_->RowOf(record));
        remover_(record);
    }
    void FillList() override { list_->Fill(records_, ui::NameText()); }

private:
    TRecordList<T> &records_;
    Remover remover_;
    ui::ListBox<T> *list_;
};
