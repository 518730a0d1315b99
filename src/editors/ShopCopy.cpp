#include "editors/ShopCopy.h"

#include "catalogue/ShopCopying.h"
#include "catalogue/ShopData.h"
#include "editors/NameListEditor.h"
#include "ui/Ansi.h"
#include "ui/Placement.h"
#include "ui/Seam.h"
#include "ui/SortedListBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include <vector>

TCopyShop::TCopyShop(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("CopyShop"));
    setWindowTitle(QStringLiteral("Copy shop"));

    ShopEdit = new QLineEdit(this);
    ShopEdit->setObjectName(QStringLiteral("ShopEdit"));
    ui::MakeAnsiEdit(ShopEdit, 30);
    Label2 = new QLabel(QStringLiteral("&New shop name"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setBuddy(ShopEdit);

    ShopListBox = new ui::SortedListBox(this, false);
    ShopListBox->setObjectName(QStringLiteral("ShopListBox"));
    Label1 = new QLabel(QStringLiteral("&Copy from"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setBuddy(ShopListBox);

    auto button = [this](QPushButton *&b, const char *name, const char *caption) {
        b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFixedSize(75, 25);
    };
    button(OkBtn, "OkBtn", "OK");
    button(CancelBtn, "CancelBtn", "Cancel");
    button(HelpBtn, "HelpBtn", "&Help");
    OkBtn->setDefault(true);
    OkBtn->setEnabled(false);

    ShopEdit->setFixedWidth(209);
    ShopListBox->setFixedSize(209, 150);
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

    setTabOrder(ShopEdit, ShopListBox);
    setTabOrder(ShopListBox, OkBtn);
    setTabOrder(OkBtn, CancelBtn);
    setTabOrder(CancelBtn, HelpBtn);

    connect(ShopEdit, &QLineEdit::textChanged, this, &TCopyShop::ShopEditChange);
    // A click, and a selection made with the keyboard.
    connect(ShopListBox, &QListWidget::itemSelectionChanged, this, &TCopyShop::ShopListBoxClick);
    // OK closes the dialog after its handler, whatever the handler did.
    connect(OkBtn, &QPushButton::clicked, this, &TCopyShop::OkBtnClick);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, &TCopyShop::HelpBtnClick);
}

void TCopyShop::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return; // restored by the window system: no new showing
    // Centred on the screen, whatever window opened it.
    ui::CenterOnScreen(this);
    FormShow();
}

void TCopyShop::FormShow() {
    ShopEdit->clear();
    OkBtn->setEnabled(false);
    std::vector<std::pair<QString, void *>> entries;
    entries.reserve(static_cast<std::size_t>(Shops.Count()));
    for (const auto &shop : Shops)
        entries.emplace_back(ui::FromAnsi(shop->Name), shop.get());
    ShopListBox->Fill(std::move(entries));
    ShopEdit->setFocus();
}

void TCopyShop::ShopEditChange() {
    OkBtn->setEnabled(!ShopEdit->text().isEmpty() && ShopListBox->SelectedRecord());
}

void TCopyShop::ShopListBoxClick() {
    ShopEditChange();
}

void TCopyShop::OkBtnClick() {
    const TShopShop *source = ShopListBox->Selected<TShopShop>();
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
