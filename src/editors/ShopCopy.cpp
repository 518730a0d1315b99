#include "editors/ShopCopy.h"

#include "catalogue/ShopCopying.h"
#include "catalogue/ShopData.h"
#include "editors/NameListEditor.h"
#include "ui/Ansi.h"
#include "ui/Builder.h"
#include "ui/ListBox.h"
#include "ui/Seam.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TCopyShop::TCopyShop(QWidget *parent)
    : FormBase(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("CopyShop"));
    setWindowTitle(QStringLiteral("Copy shop"));

    ui::Builder b(this);
    ShopEdit = b.Edit("ShopEdit", 30).Width(209);
    Label2 = b.Label("Label2", "&New shop name").Buddy(ShopEdit);
    ShopListBox = b.List<TShopShop>("ShopListBox", false).Size(209, 150);
    Label1 = b.Label("Label1", "&Copy from").Buddy(ShopListBox);
    OkBtn = b.Button("OkBtn", "OK").Default().Disabled();
    CancelBtn = b.Button("CancelBtn", "Cancel");
    HelpBtn = b.Button("HelpBtn", "&Help").HelpKey();
    b.TabOrder();

    auto *grid = new QGridLayout;
    grid->setVerticalSpacing(3);
    grid->addWidget(Label2, 0, 0);
    grid->addWidget(ShopEdit, 1, 0);
    grid->addItem(new QSpacerItem(0, 6), 2, 0);
    grid->addWidget(Label1, 3, 0);
    grid->addWidget(ShopListBox, 4, 0);
    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    buttons->addStretch(1);
    buttons->addWidget(HelpBtn);
    grid->addLayout(buttons, 1, 1, 4, 1);
    grid->setHorizontalSpacing(8);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(grid);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ShopEdit, &QLineEdit::textChanged, this, &TCopyShop::ShopEditChange);
    connect(ShopListBox, &ui::ListBoxBase::UserSelect, this, &TCopyShop::ShopListBoxClick);
    // OK closes the dialog after its handler, whatever the handler did.
    connect(OkBtn, &QPushButton::clicked, this, &TCopyShop::OkBtnClick);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, &TCopyShop::HelpBtnClick);
}

void TCopyShop::FormShow() {
    ShopEdit->clear();
    OkBtn->setEnabled(false);
    ShopListBox->Fill(Shops, ui::NameText());
    ShopEdit->setFocus();
}

void TCopyShop::FormHidden() {
    ShopListBox->Clear();
}

void TCopyShop::ShopEditChange() {
    OkBtn->setEnabled(!ShopEdit->text().isEmpty() && ShopListBox->HasSelection());
}

void TCopyShop::ShopListBoxClick() {
    ShopEditChange();
}

void TCopyShop::OkBtnClick() {
    const TShopShop *source = ShopListBox->Selected();
    if (!source)
        return;
    const QString name = ShopEdit->text();
    if (name.isEmpty() || NameTaken(*ShopListBox, name) ||
        !CopyShopWithItems(*source, ui::ToAnsi(name)))
        ui::Beep();
}

void TCopyShop::HelpBtnClick() {
    ui::ShowHelpTopic(HelpContext::ShopCopy);
}
