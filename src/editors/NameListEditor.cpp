#include "editors/NameListEditor.h"

#include "catalogue/ShopData.h"
#include "ui/Ansi.h"
#include "ui/Builder.h"
#include "ui/ListBox.h"
#include "ui/Seam.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

bool NameTaken(const ui::ListBoxBase &list, const QString &name) {
    for (int row = 0; row < list.Count(); ++row)
        if (QString::compare(list.Text(row), name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

TNameListForm::TNameListForm(NameListSetup setup, ui::ListBoxBase *list, QWidget *parent)
    : FormBase(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      setup_(std::move(setup)) {
    setWindowTitle(setup_.caption);

    ui::Builder b(this);
    Edit = b.Edit(setup_.editName, setup_.maxLength).Width(setup_.listWidth);
    ListBox = b.Add(list, setup_.listName).Size(setup_.listWidth, setup_.listHeight);
    AddBtn = b.Button("AddBtn", "&Add").Hint(setup_.addHint).Default().Disabled();
    UpdateBtn = b.Button("UpdateBtn", "&Update").Hint(setup_.updateHint).Disabled();
    DeleteBtn = b.Button("DeleteBtn", "&Delete").Hint(setup_.deleteHint).Disabled();
    HelpBtn = b.Button("HelpBtn", "&Help").HelpKey();
    CloseBtn = b.Button("CloseBtn", "&Close");
    b.TabOrder();
    lastButton_ = DeleteBtn;

    auto *names = new QVBoxLayout;
    names->addWidget(Edit);
    names->addWidget(ListBox);
    buttons_ = new QVBoxLayout;
    buttons_->setSpacing(6);
    for (QPushButton *button : {AddBtn, UpdateBtn, DeleteBtn})
        buttons_->addWidget(button);
    buttons_->addStretch(1);
    buttons_->addWidget(HelpBtn);
    buttons_->addWidget(CloseBtn);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addLayout(names);
    layout->addLayout(buttons_);
    // A fixed-size window, whatever buttons an editor adds.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Edit, &QLineEdit::textChanged, this, &TNameListForm::EditChange);
    connect(ListBox, &ui::ListBoxBase::UserSelect, this, &TNameListForm::ListBoxClick);
    connect(ListBox, &ui::ListBoxBase::MouseUp, this, &TNameListForm::ListBoxMouseUp);
    connect(AddBtn, &QPushButton::clicked, this, &TNameListForm::AddBtnClick);
    connect(UpdateBtn, &QPushButton::clicked, this, &TNameListForm::UpdateBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TNameListForm::DeleteBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TNameListForm::HelpBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::close);
}

void TNameListForm::AddExtraButton(QPushButton *button) {
    // Below the last edit-mode button, above the gap before Help and Close.
    buttons_->insertWidget(buttons_->indexOf(lastButton_) + 1, button);
    setTabOrder(lastButton_, button);
    setTabOrder(button, HelpBtn);
    lastButton_ = button;
}

QString TNameListForm::Name() const {
    return Edit->text();
}

void TNameListForm::FormShow() {
    FillList();
    EnterAddMode();
}

void TNameListForm::FormHidden() {
    ListBox->Clear();
}

void TNameListForm::EnterAddMode() {
    ListBox->ClearSelection();
    Edit->clear();
    SyncButtons();
    Edit->setFocus();
}

void TNameListForm::SyncButtons() {
    // Add mode and edit mode follow from the selection alone; Add also needs a name.
    const bool editMode = EditMode();
    AddBtn->setEnabled(!editMode && !Name().isEmpty());
    UpdateBtn->setEnabled(editMode);
    DeleteBtn->setEnabled(editMode);
    UpdateBtn->setDefault(editMode);
    AddBtn->setDefault(!editMode);
    ModeChanged(editMode);
}

void TNameListForm::ModeChanged(bool) {}

void TNameListForm::EditChange() {
    SyncButtons();
}

void TNameListForm::ListBoxClick() {
    if (EditMode())
        Edit->setText(SelectedName());
    SyncButtons();
}

void TNameListForm::ListBoxMouseUp(Qt::MouseButton button) {
    if (button == Qt::RightButton && EditMode())
        EnterAddMode();
}

void TNameListForm::AddBtnClick() {
    const QString name = Name();
    // The file cannot count more than MaxRecords records in a list.
    if (name.isEmpty() || NameTaken(*ListBox, name) || RecordCount() >= MaxRecords) {
        ui::Beep();
        return;
    }
    AddRecord(name);
    // Emptying the box disables Add. A clicked Add button would then hand the focus on
    // to Help, where Enter opens the help; the edit box is where the next name goes.
    const bool clicked = AddBtn->hasFocus();
    Edit->clear();
    if (clicked)
        Edit->setFocus();
}

void TNameListForm::UpdateBtnClick() {
    if (!EditMode())
        return;
    const QString name = Name();
    // The selected entry counts too, so a change of letter case alone is refused.
    if (NameTaken(*ListBox, name) || name.isEmpty()) {
        ui::Beep();
        return;
    }
    // The entry keeps its place until the window is next shown.
    RenameSelected(name);
    EnterAddMode();
}

void TNameListForm::DeleteBtnClick() {
    if (!EditMode())
        return;
    if (setup_.confirmDelete && *setup_.confirmDelete && !ui::Confirm(setup_.confirmText))
        return;
    RemoveSelected();
    EnterAddMode();
}

void TNameListForm::HelpBtnClick() {
    ui::ShowHelpTopic(setup_.helpContext);
}
