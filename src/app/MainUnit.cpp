#include "app/MainUnit.h"

#include "app/AboutUnit.h"
#include "app/DataFileDialogs.h"
#include "app/Forms.h"
#include "app/PrefUnit.h"
#include "app/ProgramFiles.h"
#include "catalogue/ShopData.h"
#include "editors/CatEditU.h"
#include "editors/ShopCopy.h"
#include "editors/ShopEdit.h"
#include "settings/Preferences.h"
#include "settings/Settings.h"
#include "shopping/Analysis.h"
#include "ui/Cursors.h"
#include "ui/Pictures.h"
#include "ui/Placement.h"
#include "ui/Seam.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMetaObject>
#include <QRadioButton>
#include <QToolButton>

namespace {
constexpr int kClientWidth = 290;
constexpr int kClientHeight = 238;
} // namespace

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Trolleymind"));
    setWindowIcon(ui::ProgramIcon());

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);

    Image1 = new QLabel(client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, kClientWidth, kClientHeight);
    Image1->setPixmap(ui::Picture(QStringLiteral("main"), QSize(kClientWidth, kClientHeight)));
    Image1->setScaledContents(true);

    CreateButtons(client);
    CreateMenu();
    DisableMissingCommands();

    // A fixed frame: the client area stays 290 x 238 below the menu bar.
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    FormCreate();
}

void TMainForm::CreateButtons(QWidget *client) {
    struct ButtonDef {
        QToolButton *&button;
        const char *name;
        const char *picture;
        const char *hint;
        int x, y;
    };
    const ButtonDef buttons[] = {
        {CatBtn, "CatBtn", "categories", "Edit aisle categories", 8, 72},
        {ShopBtn, "ShopBtn", "shops", "Edit shops", 108, 72},
        {ItemBtn, "ItemBtn", "items", "Edit items", 208, 72},
        {ShopListBtn, "ShopListBtn", "shoppinglist", "Create shopping list", 8, 160},
        {PricesBtn, "PricesBtn", "prices", "Update prices", 108, 160},
        {CloseBtn, "CloseBtn", "exit", "Exit program", 208, 160},
    };
    QWidget *previous = nullptr;
    for (const ButtonDef &s : buttons) {
        auto *b = new QToolButton(client);
        b->setObjectName(QString::fromLatin1(s.name));
        b->setGeometry(s.x, s.y, 75, 64);
        b->setIcon(ui::ButtonIcon(QString::fromLatin1(s.picture), QSize(64, 54)));
        b->setIconSize(QSize(64, 54));
        b->setToolTip(QString::fromLatin1(s.hint));
        b->setAccessibleName(QString::fromLatin1(s.hint));
        b->setFocusPolicy(Qt::StrongFocus);
        b->setAutoRaise(false);
        if (previous)
            setTabOrder(previous, b);
        previous = b;
        s.button = b;
    }
    connect(CloseBtn, &QToolButton::clicked, this, &TMainForm::CloseBtnClick);
    connect(CatBtn, &QToolButton::clicked, this, &TMainForm::CatBtnClick);
    connect(ShopBtn, &QToolButton::clicked, this, &TMainForm::ShopBtnClick);
}

void TMainForm::CreateMenu() {
    auto item = [this](QMenu *menu, QAction *&action, const char *name, const char *caption,
                       QKeySequence shortcut = {}) {
        action = menu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        if (!shortcut.isEmpty())
            action->setShortcut(shortcut);
        addAction(action); // shortcuts work while the menu is closed
    };
    auto menu = [this](QMenu *&m, const char *name, const char *caption) {
        m = menuBar()->addMenu(QString::fromLatin1(caption));
        m->setObjectName(QString::fromLatin1(name));
    };
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));

    menu(File1, "File1", "&File");
    item(File1, Save1, "Save1", "&Save", QKeySequence(Qt::Key_F2));
    File1->addSeparator();
    item(File1, Printsetup1, "Printsetup1", "Prin&t setup");
    Print1 = File1->addMenu(QStringLiteral("&Print"));
    Print1->setObjectName(QStringLiteral("Print1"));
    item(Print1, Fridgelist1, "Fridgelist1", "&Fridge list");
    item(Print1, Shoppinglist2, "Shoppinglist2", "&Shopping list");
    Print1->addSeparator();
    item(Print1, Itemsdetails1, "Itemsdetails1", "&Master item list");
    File1->addSeparator();
    item(File1, Exit1, "Exit1", "E&xit");

    menu(Edit1, "Edit1", "&Edit");
    item(Edit1, Categories1, "Categories1", "&Categories");
    item(Edit1, Items1, "Items1", "&Items");
    item(Edit1, Shops1, "Shops1", "&Shops");
    Edit1->addSeparator();
    item(Edit1, Shoppinglist1, "Shoppinglist1", "Shopping &list");
    item(Edit1, Prices1, "Prices1", "&Prices");

    menu(Utilities1, "Utilities1", "&Utilities");
    item(Utilities1, Analyseshoppinglist1, "Analyseshoppinglist1", "&Analyse shopping list");
    item(Utilities1, Deleteunusedproducts1, "Deleteunusedproducts1", "Delete unused &products");
    item(Utilities1, Createcopyofshop1, "Createcopyofshop1", "&Create copy of shop");

    menu(Options1, "Options1", "&Options");
    item(Options1, Reportfont1, "Reportfont1", "Report &font");
    item(Options1, Preferences1, "Preferences1", "&Preferences");

    menu(Help1, "Help1", "&Help");
    item(Help1, Helptopics1, "Helptopics1", "&Help contents", QKeySequence(Qt::Key_F1));
    item(Help1, Searchforhelpon1, "Searchforhelpon1", "&Search for help on...",
         QKeySequence(Qt::CTRL | Qt::Key_F1));
    item(Help1, Usinghelp1, "Usinghelp1", "&Using help");
    item(Help1, Gettingstarted1, "Gettingstarted1", "&Getting started");
    Help1->addSeparator();
    item(Help1, Otherproducts1, "Otherproducts1", "&Other products");
    Help1->addSeparator();
    item(Help1, AboutTrolleymind1, "AboutTrolleymind1", "&About Trolleymind");

    connect(Save1, &QAction::triggered, this, &TMainForm::Save1Click);
    connect(Exit1, &QAction::triggered, this, &TMainForm::Exit1Click);
    connect(Helptopics1, &QAction::triggered, this, &TMainForm::Helptopics1Click);
    connect(Searchforhelpon1, &QAction::triggered, this, &TMainForm::Searchforhelpon1Click);
    connect(Usinghelp1, &QAction::triggered, this, &TMainForm::Usinghelp1Click);
    connect(Gettingstarted1, &QAction::triggered, this, &TMainForm::Gettingstarted1Click);
    connect(Otherproducts1, &QAction::triggered, this, &TMainForm::Otherproducts1Click);
    connect(AboutTrolleymind1, &QAction::triggered, this, &TMainForm::AboutTrolleymind1Click);
    connect(Categories1, &QAction::triggered, this, &TMainForm::Categories1Click);
    connect(Shops1, &QAction::triggered, this, &TMainForm::Shops1Click);
    connect(Analyseshoppinglist1, &QAction::triggered, this, &TMainForm::Analyseshoppinglist1Click);
    connect(Createcopyofshop1, &QAction::triggered, this, &TMainForm::Createcopyofshop1Click);
    connect(Preferences1, &QAction::triggered, this, &TMainForm::Preferences1Click);
}

void TMainForm::DisableMissingCommands() {
    const std::initializer_list<QAction *> actions = {
        Printsetup1,   Fridgelist1, Shoppinglist2,         Itemsdetails1, Items1,
        Shoppinglist1, Prices1,     Deleteunusedproducts1, Reportfont1};
    for (QAction *a : actions)
        a->setEnabled(false);
    for (QToolButton *b : {ItemBtn, ShopListBtn, PricesBtn})
        b->setEnabled(false);
}

void TMainForm::ShowMainPicture() {
    Image1->setVisible(MainBitMap);
}

void TMainForm::FormCreate() {
    FirstShow = true;
    QuitWithoutSave = false;
    ui::RegisterCursors();
}

void TMainForm::FormShow() {
    if (!FirstShow)
        return;
    FirstShow = false;
    // The program's own folder; a folder chosen before the first showing (a prepared
    // folder in the tests) is kept.
    SetProgramDir(ProgramDir);
    ReadSettings(IniFileName);
    ShowMainPicture();
    ClearCatalogue();
    if (LoadCatalogue() == LoadOutcome::QuitWithoutSave) {
        QuitWithoutSave = true;
        // The window closes as soon as it is active; queued so that a platform without
        // activation still ends the program.
        QMetaObject::invokeMethod(this, &TMainForm::FormActivate, Qt::QueuedConnection);
    }
}

void TMainForm::FormActivate() {
    if (QuitWithoutSave && !closed_)
        close();
}

void TMainForm::FormClose() {
    if (!QuitWithoutSave)
        SaveCatalogue(); // a failure has been reported; the program ends anyway
    ClearCatalogue();
    // The settings are written even when the catalogue was not.
    if (!WriteSettings(IniFileName))
        ui::MessageBox(ui::MsgKind::Error,
                       QStringLiteral("Unable to write to %1").arg(IniFileName));
    ui::Help(ui::HelpCommand::Quit); // the help windows close with the program
}

void TMainForm::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    // Centred once it has its frame, so the frame and not just the client area is centred.
    if (FirstShow)
        ui::CenterOnScreen(this);
    FormShow();
}

void TMainForm::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TMainForm::closeEvent(QCloseEvent *event) {
    // While another window has taken over (the shop editor disables this one) the window
    // manager still offers the close box; closing then would release the catalogue under
    // that window and leave it running on freed records.
    if (!closed_ && !isEnabled()) {
        event->ignore();
        return;
    }
    if (!closed_) {
        closed_ = true;
        FormClose();
    }
    event->accept();
}

void TMainForm::Save1Click() {
    if (SaveCatalogue())
        ui::MessageBox(ui::MsgKind::Information, QStringLiteral("File saved"));
}

void TMainForm::Exit1Click() {
    close();
}

void TMainForm::CloseBtnClick() {
    Exit1Click();
}

void TMainForm::Categories1Click() {
    CatEditForm->exec();
}

void TMainForm::CatBtnClick() {
    Categories1Click();
}

// Modeless: the shop editor disables this window while it is open.
void TMainForm::Shops1Click() {
    ShopEditForm->show();
}

void TMainForm::ShopBtnClick() {
    Shops1Click();
}

// Each opening starts again from the first item on the list.
void TMainForm::Analyseshoppinglist1Click() {
    AnalForm->StartPending = true;
    AnalForm->exec();
}

void TMainForm::Createcopyofshop1Click() {
    CopyShop->exec();
}

void TMainForm::Preferences1Click() {
    if (PrefForm->exec() != QDialog::Accepted)
        return;
    ClearQtys = PrefForm->AskClearQtysCB->isChecked();
    DeleteCat = PrefForm->AskDeleteCatCB->isChecked();
    DeleteShop = PrefForm->AskDeleteShopCB->isChecked();
    // A choice with none of its buttons on (a value from the file that has no button)
    // stays as it was.
    if (PrefForm->IDR_SortShopCB->isChecked())
        IDR_Sort = 0;
    else if (PrefForm->IDR_SortCatCB->isChecked())
        IDR_Sort = 1;
    else if (PrefForm->IDR_SortProdCB->isChecked())
        IDR_Sort = 2;
    IDR_Errors = PrefForm->IDR_ErrorsCB->isChecked();
    if (PrefForm->FL_SortCatCB->isChecked())
        FL_Sort = 0;
    else if (PrefForm->FL_SortProdCB->isChecked())
        FL_Sort = 1;
    FL_Cat = PrefForm->FL_CatCB->isChecked();
    MainBitMap = PrefForm->MainBitMapCB->isChecked();
    ShowMainPicture();
}

void TMainForm::Helptopics1Click() {
    ui::Help(ui::HelpCommand::Contents);
}

// The search opens with an empty entry.
void TMainForm::Searchforhelpon1Click() {
    ui::Help(ui::HelpCommand::PartialKey, 0, QString());
}

void TMainForm::Usinghelp1Click() {
    ui::Help(ui::HelpCommand::HelpOnHelp);
}

void TMainForm::Gettingstarted1Click() {
    ui::Help(ui::HelpCommand::Context, 2);
}

// The companion help file beside the program, then the program's own help file again.
void TMainForm::Otherproducts1Click() {
    const QString own = ui::HelpFile();
    ui::SetHelpFile(ProgramDir + QStringLiteral("CATALOG.HLP"));
    ui::Help(ui::HelpCommand::Contents);
    ui::SetHelpFile(own);
}

void TMainForm::AboutTrolleymind1Click() {
    AboutForm->exec();
}
