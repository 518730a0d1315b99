#include "app/MainUnit.h"

#include "app/DataFileDialogs.h"
#include "app/ProgramFiles.h"
#include "catalogue/ShopData.h"
#include "catalogue/UnusedProducts.h"
#include "reports/PrintCommands.h"
#include "settings/Preferences.h"
#include "settings/Settings.h"
#include "ui/Builder.h"
#include "ui/Cursors.h"
#include "ui/Pictures.h"
#include "ui/Seam.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMetaObject>
#include <QToolButton>

namespace {
constexpr int kClientWidth = 290;
constexpr int kClientHeight = 238;
} // namespace

TMainForm::TMainForm(QWidget *parent)
    : FormBase(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Trolleymind"));
    setWindowIcon(ui::ProgramIcon());

    ui::Builder b(this);
    QWidget *client = b.Add<QWidget>("Client").Size(kClientWidth, kClientHeight);
    setCentralWidget(client);

    b.On(client);
    Image1 = b.Label("Image1", {}).At(0, 0, kClientWidth, kClientHeight);
    Image1->setPixmap(ui::Picture(QStringLiteral("main"), QSize(kClientWidth, kClientHeight)));
    Image1->setScaledContents(true);

    CatBtn = b.Picture("CatBtn", "categories", "Edit aisle categories").At(8, 72, 75, 64);
    ShopBtn = b.Picture("ShopBtn", "shops", "Edit shops").At(108, 72, 75, 64);
    ItemBtn = b.Picture("ItemBtn", "items", "Edit items").At(208, 72, 75, 64);
    ShopListBtn =
        b.Picture("ShopListBtn", "shoppinglist", "Create shopping list").At(8, 160, 75, 64);
    PricesBtn = b.Picture("PricesBtn", "prices", "Update prices").At(108, 160, 75, 64);
    CloseBtn = b.Picture("CloseBtn", "exit", "Exit program").At(208, 160, 75, 64);
    b.TabOrder();
    connect(CloseBtn, &QToolButton::clicked, this, &TMainForm::CloseBtnClick);
    connect(CatBtn, &QToolButton::clicked, this, &TMainForm::CatBtnClick);
    connect(ShopBtn, &QToolButton::clicked, this, &TMainForm::ShopBtnClick);
    connect(ItemBtn, &QToolButton::clicked, this, &TMainForm::ItemBtnClick);
    connect(ShopListBtn, &QToolButton::clicked, this, &TMainForm::ShopListBtnClick);
    connect(PricesBtn, &QToolButton::clicked, this, &TMainForm::PricesBtnClick);

    CreateMenu();

    // A fixed frame: the client area stays 290 x 238 below the menu bar.
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    FormCreate();
}

void TMainForm::CreateMenu() {
    ui::MenuBuilder m(this, menuBar(), "MainMenu1");
    File1 = m.Menu("File1", "&File");
    Save1 = m.Item(File1, "Save1", "&Save", QKeySequence(Qt::Key_F2));
    m.Separator(File1);
    Printsetup1 = m.Item(File1, "Printsetup1", "Prin&t setup");
    Print1 = m.Menu("Print1", "&Print", File1);
    Fridgelist1 = m.Item(Print1, "Fridgelist1", "&Fridge list");
    Shoppinglist2 = m.Item(Print1, "Shoppinglist2", "&Shopping list");
    m.Separator(Print1);
    Itemsdetails1 = m.Item(Print1, "Itemsdetails1", "&Master item list");
    Printpreview1 = m.Menu("Printpreview1", "Print pre&view", File1);
    Previewfridgelist1 = m.Item(Printpreview1, "Previewfridgelist1", "&Fridge list");
    Previewshoppinglist1 = m.Item(Printpreview1, "Previewshoppinglist1", "&Shopping list");
    m.Separator(Printpreview1);
    Previewitemsdetails1 = m.Item(Printpreview1, "Previewitemsdetails1", "&Master item list");
    m.Separator(File1);
    Exit1 = m.Item(File1, "Exit1", "E&xit");

    Edit1 = m.Menu("Edit1", "&Edit");
    Categories1 = m.Item(Edit1, "Categories1", "&Categories");
    Items1 = m.Item(Edit1, "Items1", "&Items");
    Shops1 = m.Item(Edit1, "Shops1", "&Shops");
    m.Separator(Edit1);
    Shoppinglist1 = m.Item(Edit1, "Shoppinglist1", "Shopping &list");
    Prices1 = m.Item(Edit1, "Prices1", "&Prices");

    Utilities1 = m.Menu("Utilities1", "&Utilities");
    Analyseshoppinglist1 = m.Item(Utilities1, "Analyseshoppinglist1", "&Analyse shopping list");
    Deleteunusedproducts1 = m.Item(Utilities1, "Deleteunusedproducts1", "Delete unused &products");
    Createcopyofshop1 = m.Item(Utilities1, "Createcopyofshop1", "&Create copy of shop");

    Options1 = m.Menu("Options1", "&Options");
    Reportfont1 = m.Item(Options1, "Reportfont1", "Report &font");
    Preferences1 = m.Item(Options1, "Preferences1", "&Preferences");

    Help1 = m.Menu("Help1", "&Help");
    Helptopics1 = m.Item(Help1, "Helptopics1", "&Help contents", QKeySequence(Qt::Key_F1));
    Searchforhelpon1 = m.Item(Help1, "Searchforhelpon1", "&Search for help on...",
                              QKeySequence(Qt::CTRL | Qt::Key_F1));
    Usinghelp1 = m.Item(Help1, "Usinghelp1", "&Using help");
    Gettingstarted1 = m.Item(Help1, "Gettingstarted1", "&Getting started");
    m.Separator(Help1);
    Otherproducts1 = m.Item(Help1, "Otherproducts1", "&Other products");
    m.Separator(Help1);
    AboutTrolleymind1 = m.Item(Help1, "AboutTrolleymind1", "&About Trolleymind");

    connect(Save1, &QAction::triggered, this, &TMainForm::Save1Click);
    connect(Exit1, &QAction::triggered, this, &TMainForm::Exit1Click);
    connect(Helptopics1, &QAction::triggered, this, &TMainForm::Helptopics1Click);
    connect(Searchforhelpon1, &QAction::triggered, this, &TMainForm::Searchforhelpon1Click);
    connect(Usinghelp1, &QAction::triggered, this, &TMainForm::Usinghelp1Click);
    connect(Gettingstarted1, &QAction::triggered, this, &TMainForm::Gettingstarted1Click);
    connect(Otherproducts1, &QAction::triggered, this, &TMainForm::Otherproducts1Click);
    connect(AboutTrolleymind1, &QAction::triggered, this, &TMainForm::AboutTrolleymind1Click);
    connect(Categories1, &QAction::triggered, this, &TMainForm::Categories1Click);
    connect(Items1, &QAction::triggered, this, &TMainForm::Items1Click);
    connect(Shops1, &QAction::triggered, this, &TMainForm::Shops1Click);
    connect(Shoppinglist1, &QAction::triggered, this, &TMainForm::Shoppinglist1Click);
    connect(Prices1, &QAction::triggered, this, &TMainForm::Prices1Click);
    connect(Analyseshoppinglist1, &QAction::triggered, this, &TMainForm::Analyseshoppinglist1Click);
    connect(Createcopyofshop1, &QAction::triggered, this, &TMainForm::Createcopyofshop1Click);
    connect(Preferences1, &QAction::triggered, this, &TMainForm::Preferences1Click);
    connect(Printsetup1, &QAction::triggered, this, &TMainForm::Printsetup1Click);
    connect(Fridgelist1, &QAction::triggered, this, &TMainForm::Fridgelist1Click);
    connect(Shoppinglist2, &QAction::triggered, this, &TMainForm::Shoppinglist2Click);
    connect(Itemsdetails1, &QAction::triggered, this, &TMainForm::Itemsdetails1Click);
    connect(Previewfridgelist1, &QAction::triggered, this, &TMainForm::Previewfridgelist1Click);
    connect(Previewshoppinglist1, &QAction::triggered, this, &TMainForm::Previewshoppinglist1Click);
    connect(Previewitemsdetails1, &QAction::triggered, this, &TMainForm::Previewitemsdetails1Click);
    connect(Deleteunusedproducts1, &QAction::triggered, this,
            &TMainForm::Deleteunusedproducts1Click);
    connect(Reportfont1, &QAction::triggered, this, &TMainForm::Reportfont1Click);
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
    // Only this program saves these files, and no save is under way yet: a temporary file
    // beside them is what a crash in the middle of a save left.
    RemoveUnfinishedSaves();
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
    if (!MakeDataDir() || !WriteSettings(IniFileName))
        ui::MessageBox(ui::MsgKind::Error,
                       QStringLiteral("Unable to write to %1").arg(IniFileName));
    ui::Help(ui::ProgramHelpFile, ui::HelpCommand::Quit); // the help windows close with the program
}

void TMainForm::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TMainForm::closeEvent(QCloseEvent *event) {
    // While another window has taken over (the shop editor disables this one) the close is
    // refused: it would release the catalogue under that window and leave it running on
    // freed records.
    if (!closed_) {
        FormBase::closeEvent(event);
        if (!event->isAccepted())
            return;
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
    Q_EMIT CategoriesRequested();
}

void TMainForm::CatBtnClick() {
    Categories1Click();
}

void TMainForm::Items1Click() {
    Q_EMIT ItemsRequested();
}

void TMainForm::ItemBtnClick() {
    Items1Click();
}

// Modeless: the shop editor disables this window while it is open.
void TMainForm::Shops1Click() {
    Q_EMIT ShopsRequested();
}

void TMainForm::ShopBtnClick() {
    Shops1Click();
}

// The shopping list window in one of its two modes.
void TMainForm::Shoppinglist1Click() {
    Q_EMIT ShoppingListRequested(false);
}

void TMainForm::ShopListBtnClick() {
    Shoppinglist1Click();
}

void TMainForm::Prices1Click() {
    Q_EMIT ShoppingListRequested(true);
}

void TMainForm::PricesBtnClick() {
    Prices1Click();
}

void TMainForm::Analyseshoppinglist1Click() {
    Q_EMIT AnalysisRequested();
}

void TMainForm::Createcopyofshop1Click() {
    Q_EMIT ShopCopyRequested();
}

// A change of the preferences shows or hides the main picture (ShowMainPicture).
void TMainForm::Preferences1Click() {
    Q_EMIT PreferencesRequested();
}

// No question is asked: an unused product type holds nothing an item needs.
void TMainForm::Deleteunusedproducts1Click() {
    const int deleted = DeleteUnusedProducts();
    ui::MessageBox(ui::MsgKind::Information,
                   QStringLiteral("%1 unused product types deleted.").arg(deleted));
}

// The chosen font reaches the settings file when the window closes.
void TMainForm::Reportfont1Click() {
    ui::ExecFontDialog(TheReportFont);
}

// The printer and page set-up hold for every later report and floor plan of the run.
void TMainForm::Printsetup1Click() {
    ui::ExecPrinterSetup();
}

void TMainForm::Fridgelist1Click() {
    reports::PrintCommand(Report::FridgeList);
}

void TMainForm::Shoppinglist2Click() {
    reports::PrintCommand(Report::ShoppingList);
}

void TMainForm::Itemsdetails1Click() {
    reports::PrintCommand(Report::ItemList);
}

void TMainForm::Previewfridgelist1Click() {
    reports::PreviewCommand(Report::FridgeList);
}

void TMainForm::Previewshoppinglist1Click() {
    reports::PreviewCommand(Report::ShoppingList);
}

void TMainForm::Previewitemsdetails1Click() {
    reports::PreviewCommand(Report::ItemList);
}

void TMainForm::Helptopics1Click() {
    ui::Help(ui::ProgramHelpFile, ui::HelpCommand::Contents);
}

// The search opens with an empty entry.
void TMainForm::Searchforhelpon1Click() {
    ui::Help(ui::ProgramHelpFile, ui::HelpCommand::PartialKey, 0, QString());
}

void TMainForm::Usinghelp1Click() {
    ui::Help(ui::ProgramHelpFile, ui::HelpCommand::HelpOnHelp);
}

void TMainForm::Gettingstarted1Click() {
    ui::ShowHelpTopic(HelpContext::GettingStarted);
}

// The companion help file beside the program's own; that one is not touched.
void TMainForm::Otherproducts1Click() {
    ui::Help(HelpDir + QStringLiteral("CATALOG.HLP"), ui::HelpCommand::Contents);
}

void TMainForm::AboutTrolleymind1Click() {
    Q_EMIT AboutRequested();
}
