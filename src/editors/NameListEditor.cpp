#include "editors/NameListEditor.h"

#include "catalogue/ShopData.h"
#include "ui/Ansi.h"
#include "ui/Placement.h"
#include "ui/Seam.h"
#include "ui/SortedListBox.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <vector>

namespace {

QPushButton *MakeButton(QWidget *parent, const char *name, const char *caption,
                        const QString &hint = {}) {
    auto *b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    b->setFixedSize(75, 25);
    return b;
}

} // namespace

bool NameTaken(const QListWidget &list, const QString &name) {
    for (int row = 0; row < list.count(); ++row)
        if (QString::compare(list.item(row)->text(), name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

TNameListForm::TNameListForm(NameListSetup setup, std::unique_ptr<NamedRecords> records,
                             QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      setup_(std::move(setup)), records_(std::move(records)) {
    setWindowTitle(setup_.caption);

    Edit = new QLineEdit(this);
    Edit->setObjectName(setup_.editName);
    ui::MakeAnsiEdit(Edit, setup_.maxLength);
    Edit->setFixedWidth(setup_.listWidth);

    ListBox = new ui::SortedListBox(this, true);
    ListBox->setObjectName(setup_.listName);
    ListBox->setFixedSize(setup_.listWidth, setup_.listHeight);

    AddBtn = MakeButton(this, "AddBtn", "&Add", setup_.addHint);
    UpdateBtn = MakeButton(this, "UpdateBtn", "&Update", setup_.updateHint);
    DeleteBtn = MakeButton(this, "DeleteBtn", "&Delete", setup_.deleteHint);
    HelpBtn = MakeButton(this, "HelpBtn", "&Help");
    CloseBtn = MakeButton(this, "CloseBtn", "&Close");
    AddBtn->setDefault(true);
    AddBtn->setEnabled(false);
    UpdateBtn->setEnabled(false);
    DeleteBtn->setEnabled(false);

    auto *names = new QVBoxLayout;
    names->addWidget(Edit);
    names->addWidget(ListBox);
    buttons_ = new QVBoxLayout;
    buttons_->setSpacing(6);
    for (QPushButton *b : {AddBtn, UpdateBtn, DeleteBtn})
        buttons_->addWidget(b);
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

    setTabOrder(Edit, ListBox);
    setTabOrder(ListBox, AddBtn);
    setTabOrder(AddBtn, UpdateBtn);
    setTabOrder(UpdateBtn, DeleteBtn);
    setTabOrder(DeleteBtn, HelpBtn);
    setTabOrder(HelpBtn, CloseBtn);
    lastButton_ = DeleteBtn;

    connect(Edit, &QLineEdit::textChanged, this, &TNameListForm::EditChange);
    // A click, and a selection made with the keyboard.
    connect(ListBox, &QListWidget::itemClicked, this, &TNameListForm::ListBoxClick);
    connect(ListBox, &QListWidget::itemSelectionChanged, this, &TNameListForm::ListBoxClick);
    connect(ListBox, &ui::SortedListBox::MouseUp, this, &TNameListForm::ListBoxMouseUp);
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

void *TNameListForm::SelectedRecord() const {
    return ListBox->SelectedRecord();
}

QString TNameListForm::Name() const {
    return Edit->text();
}

void TNameListForm::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return; // restored by the window system: no new showing
    // Centred on the screen, whatever window opened it.
    ui::CenterOnScreen(this);
    FormShow();
}

void TNameListForm::FormShow() {
    std::vector<std::pair<QString, void *>> entries;
    entries.reserve(static_cast<std::size_t>(records_->Count()));
    for (int i = 0; i < records_->Count(); ++i) {
        void *record = records_->At(i);
        entries.emplace_back(ui::FromAnsi(records_->NameOf(record)), record);
    }
    ListBox->Fill(std::move(entries));
    EnterAddMode();
}

void TNameListForm::EnterAddMode() {
    ListBox->ClearSelection();
    Edit->clear();
    SyncButtons();
    Edit->setFocus();
}

void TNameListForm::SyncButtons() {
    // Add mode and edit mode follow from the selection alone; Add also needs a name.
    const bool editMode = SelectedRecord() != nullptr;
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
    if (void *record = SelectedRecord())
        Edit->setText(ui::FromAnsi(records_->NameOf(record)));
    SyncButtons();
}

void TNameListForm::ListBoxMouseUp(Qt::MouseButton button) {
    if (button == Qt::RightButton && SelectedRecord())
        EnterAddMode();
}

void TNameListForm::AddBtnClick() {
    const QString name = Name();
    // The file cannot count more than MaxRecords records in a list.
    if (name.isEmpty() || NameTaken(*ListBox, name) || records_->Count() >= MaxRecords) {
        ui::Beep();
        return;
    }
    void *record = records_->Append(ui::ToAnsi(name));
    ListBox->AddEntry(name, record);
    // Emptying the box disables Add. A clicked Add button would then hand the focus on
    // to Help, where Enter opens the help; the edit box is where the next name goes.
    const bool clicked = AddBtn->hasFocus();
    Edit->clear();
    if (clicked)
        Edit->setFocus();
}

void TNameListForm::UpdateBtnClick() {
    void *record = SelectedRecord();
    if (!record)
        return;
    const QString name = Name();
    // The selected entry counts too, so a change of letter case alone is refused.
    if (NameTaken(*ListBox, name) || name.isEmpty()) {
        ui::Beep();
        return;
    }
    records_->Rename(record, ui::ToAnsi(name));
    // The entry keeps its place until the window is next shown.
    ListBox->SetEntryText(ListBox->RowOf(record), name);
    EnterAddMode();
}

void TNameListForm::DeleteBtnClick() {
    void *record = SelectedRecord();
    if (!record)
        return;
    if (setup_.confirmDelete && *setup_.confirmDelete && !ui::Confirm(setup_.confirmText))
        return;
    ListBox->RemoveRow(ListBox->RowOf(record));
    records_->Remove(record);
    EnterAddMode();
}

void TNameListForm::HelpBtnClick() {
    ui::ShowHelpTopic(setup_.helpContext);
}
