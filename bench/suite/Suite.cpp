#include "Suite.h"

#include "Catalogue.h"
#include "Program.h"

#include "app/AboutUnit.h"
#include "app/Forms.h"
#include "app/MainUnit.h"
#include "app/PrefUnit.h"
#include "app/ProgramFiles.h"
#include "catalogue/DataFile.h"
#include "editors/CatEditU.h"
#include "editors/ItemEdit.h"
#include "editors/ShopCopy.h"
#include "editors/ShopEdit.h"
#include "floorplan/FloorPla.h"
#include "reports/PrintCommands.h"
#include "settings/Preferences.h"
#include "shopping/Analysis.h"
#include "shopping/ShopLstU.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace bench {

// ---------------------------------------------------------------------------------------------
// What the measured functions share

class Setting {
public:
    explicit Setting(bool smoke);

    // The program's windows, created and shown once, with the catalogue of this run.
    void StartProgram();
    // Closes what an action that failed may have left open.
    void Tidy();

    bool smoke;
    CatalogueSize size;
    QTemporaryDir work;
    std::string dataFile; // the catalogue of this run, for the data file's rows
    std::string bytes;    // its bytes
    QString scaleFolder;  // program folders holding a catalogue, for child processes
    QString householdFolder;
    QString programFolder; // the folder of the program that runs in this process
    int planAisles[2] = {0, 0};
    TShopShop *planShop[2] = {nullptr, nullptr};
    QuietResponder responder;
    bool programUp = false;
};

namespace {

class SilentUser : public DataFileUser {
public:
    bool AskYesNo(const std::string &text) override {
        throw std::runtime_error("unexpected question: " + text);
    }
    void ShowError(const std::string &text) override {
        throw std::runtime_error("unexpected error: " + text);
    }
};

std::string ReadFile(const std::string &path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path);
    return file.readAll().toStdString();
}

// A program folder holding the catalogue of `size` as SHOPPING.DAT.
QString ProgramFolder(const QTemporaryDir &work, const QString &name, const CatalogueSize &size) {
    const QString folder = work.filePath(name);
    QDir().mkpath(folder);
    BuildCatalogue(size);
    SilentUser user;
    WriteDataFile(QDir(folder).filePath(QStringLiteral("Shopping.dat")).toStdString(), user);
    ClearCatalogue();
    return folder;
}

bool HasWholeCatalogue(const CatalogueSize &size) {
    return Categories.Count() == size.Categories && ProductTypes.Count() == size.ProductTypes &&
           Shops.Count() == size.Shops && Items.Count() == size.Items;
}

} // namespace

Setting::Setting(bool smoke_) : smoke(smoke_), size(smoke_ ? Household : Limit) {
    if (!work.isValid())
        throw std::runtime_error("no temporary folder");
    scaleFolder = ProgramFolder(work, QStringLiteral("scale"), size);
    householdFolder =
        smoke ? scaleFolder : ProgramFolder(work, QStringLiteral("household"), Household);
    programFolder = ProgramFolder(work, QStringLiteral("program"), size);
    dataFile = QDir(scaleFolder).filePath(QStringLiteral("Shopping.dat")).toStdString();
    bytes = ReadFile(dataFile);
    planAisles[0] = smoke ? 40 : 1000;
    planAisles[1] = smoke ? 400 : 10000;
}

void Setting::StartProgram() {
    if (programUp)
        return;
    ui::SetResponder(&responder);
    SetProgramDir(programFolder);
    ResetPreferences();
    CreateForms();
    ShowPainted(MainForm);
    responder.ExpectSilence();
    if (!HasWholeCatalogue(size))
        throw std::runtime_error("the program did not load the whole catalogue");
    // At the limit Add has no room: one category and one item less let it add one.
    RemoveCategory(Categories[Categories.Count() - 1]);
    Items.Remove(Items[Items.Count() - 1]);
    // Two shops get the plans measured, as large as the screen shows whole.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const int width = screen.width() - 40;
    const int height = screen.height() - 80;
    for (int i = 0; i < 2; ++i) {
        planShop[i] = Shops[i];
        LayOutPlan(*planShop[i], planAisles[i], width, height);
    }
    programUp = true;
}

void Setting::Tidy() {
    for (QWidget *window :
         std::initializer_list<QWidget *>{AnalForm, ShopListForm, ItemEditForm, FloorPlanEditForm,
                                          ShopEditForm, CatEditForm, CopyShop, PrefForm, AboutForm})
        if (window->isVisible())
            window->close();
    Settle();
    responder.messages.clear();
    responder.beeps = 0;
}

namespace {

// ---------------------------------------------------------------------------------------------
// The data file against plain reading and writing of the same bytes

void PlainRead(Setting &s, Run &r) {
    std::size_t got = 0;
    r.Time([&] {
        const int fd = ::open(s.dataFile.c_str(), O_RDONLY);
        struct stat st {};
        if (fd < 0 || ::fstat(fd, &st) != 0)
            throw std::runtime_error("cannot open the data file");
        std::unique_ptr<char[]> buffer(new char[static_cast<std::size_t>(st.st_size)]);
        ssize_t n = 0;
        while ((n = ::read(fd, buffer.get() + got, static_cast<std::size_t>(st.st_size) - got)) > 0)
            got += static_cast<std::size_t>(n);
        ::close(fd);
    });
    if (got != s.bytes.size())
        throw std::runtime_error("short read");
}

void Load(Setting &s, Run &r) {
    ClearCatalogue();
    SilentUser user;
    r.Time([&] {
        if (LoadDataFile(s.dataFile, user) != LoadOutcome::GoOn)
            throw std::runtime_error("load refused");
    });
    if (!HasWholeCatalogue(s.size))
        throw std::runtime_error("not read back whole");
}

void PlainWrite(Setting &s, Run &r) {
    const std::string temporary = s.work.filePath(QStringLiteral("plain.tmp")).toStdString();
    const std::string target = s.work.filePath(QStringLiteral("plain.dat")).toStdString();
    r.Time([&] {
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            throw std::runtime_error("cannot create a file");
        std::size_t done = 0;
        while (done < s.bytes.size()) {
            const ssize_t n = ::write(fd, s.bytes.data() + done, s.bytes.size() - done);
            if (n <= 0)
                throw std::runtime_error("write failed");
            done += static_cast<std::size_t>(n);
        }
        if (::fsync(fd) != 0 || ::close(fd) != 0 || ::rename(temporary.c_str(), target.c_str()))
            throw std::runtime_error("write failed");
    });
}

void Save(Setting &s, Run &r) {
    if (!HasWholeCatalogue(s.size)) {
        SilentUser user;
        ClearCatalogue();
        LoadDataFile(s.dataFile, user);
    }
    const std::string target = s.work.filePath(QStringLiteral("saved.dat")).toStdString();
    SilentUser user;
    r.Time([&] {
        if (!WriteDataFile(target, user))
            throw std::runtime_error("save failed");
    });
    if (ReadFile(target) != s.bytes)
        throw std::runtime_error("the saved file differs from the loaded one");
}

// The part of a save that is the program's own work.
void Serialise(Setting &s, Run &r) {
    if (!HasWholeCatalogue(s.size)) {
        SilentUser user;
        ClearCatalogue();
        LoadDataFile(s.dataFile, user);
    }
    std::string bytes;
    r.Time([&] { SerialiseCatalogue(bytes); });
    if (bytes != s.bytes)
        throw std::runtime_error("the catalogue serialised differently");
}

// ---------------------------------------------------------------------------------------------
// Start-up and close, each in a process of its own

long long SteadyNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double StartUpFigure(const QString &folder, const char *key) {
    const auto values =
        RunChild({QStringLiteral("--startup"), folder, QString::number(SteadyNanoseconds())});
    const auto it = values.find(key);
    if (it == values.end())
        throw std::runtime_error("the child reported no figure");
    return it->second;
}

double MemoryFigure(Setting &s, const char *key) {
    const auto values = RunChild({QStringLiteral("--memory"), s.scaleFolder});
    const auto it = values.find(key);
    if (it == values.end())
        throw std::runtime_error("the child reported no figure");
    return it->second;
}

// ---------------------------------------------------------------------------------------------
// Windows

void Close(QWidget *window) {
    window->close();
    Settle();
}

void OpenWindow(Setting &s, Run &r, QWidget *window) {
    s.StartProgram();
    r.Time([&] { ShowPainted(window); });
    Close(window);
    s.responder.ExpectSilence();
}

void CloseWindow(Setting &s, Run &r, QWidget *window) {
    s.StartProgram();
    ShowPainted(window);
    Settle();
    r.Time([&] { Close(window); });
    s.responder.ExpectSilence();
}

void Keystroke(Setting &s, Run &r, QWidget *window, QLineEdit *box) {
    s.StartProgram();
    ShowPainted(window);
    box->setFocus();
    Settle();
    r.Time([&] {
        QTest::keyClick(box, Qt::Key_M);
        Settle();
    });
    if (box->text() != QStringLiteral("m"))
        throw std::runtime_error("the key did not reach the box");
    Close(window);
    s.responder.ExpectSilence();
}

void AddCategory(Setting &s, Run &r) {
    s.StartProgram();
    ShowPainted(CatEditForm);
    const int before = Categories.Count();
    CatEditForm->CatEdit->setText(QStringLiteral("Zz bench"));
    Settle();
    r.Time([&] {
        CatEditForm->AddBtn->click();
        Settle();
    });
    Close(CatEditForm);
    s.responder.ExpectSilence();
    if (Categories.Count() != before + 1)
        throw std::runtime_error("nothing was added");
    RemoveCategory(Categories[before]);
}

void UpdateCategory(Setting &s, Run &r) {
    s.StartProgram();
    ShowPainted(CatEditForm);
    CatEditForm->CatListBox->SelectRow(CatEditForm->CatListBox->Count() / 2);
    CatEditForm->ListBoxClick();
    TShopCat *category = CatEditForm->SelectedRecord();
    if (!category)
        throw std::runtime_error("no category selected");
    const std::string old = category->Name;
    CatEditForm->CatEdit->setText(QStringLiteral("Zz renamed"));
    Settle();
    r.Time([&] {
        CatEditForm->UpdateBtn->click();
        Settle();
    });
    Close(CatEditForm);
    s.responder.ExpectSilence();
    if (category->Name != "Zz renamed")
        throw std::runtime_error("nothing was renamed");
    category->Name = old;
}

// ---------------------------------------------------------------------------------------------
// The item editor

// Fills the entry with a whole new item: the first product type (through its category) in
// the first shop, with a brand of the bench's own.
void EnterNewItem() {
    TShopProd *product = ProductTypes[0];
    ItemEditForm->CatListBox->SelectRow(ItemEditForm->CatListBox->RowOf(product->Category));
    ItemEditForm->CatListBoxClick();
    ItemEditForm->ProdListBox->SelectRow(ItemEditForm->ProdListBox->RowOf(product));
    ItemEditForm->ProdListBoxClick();
    ItemEditForm->ShopListBox->SelectRow(0);
    ItemEditForm->ShopListBoxClick();
    ItemEditForm->BrandEdit->setText(QStringLiteral("Zz bench"));
    ItemEditForm->SizeEdit->setText(QStringLiteral("250"));
    ItemEditForm->PriceEdit->setText(QStringLiteral("3.10"));
    Settle();
}

void AddItem(Setting &s, Run &r) {
    s.StartProgram();
    ShowPainted(ItemEditForm);
    const int before = Items.Count();
    EnterNewItem();
    r.Time([&] {
        ItemEditForm->AddBtn->click();
        Settle();
    });
    Close(ItemEditForm);
    s.responder.ExpectSilence();
    if (Items.Count() != before + 1 || Items[before]->Brand != "Zz bench")
        throw std::runtime_error("nothing was added");
    Items.Remove(Items[before]);
}

void UpdateItem(Setting &s, Run &r) {
    s.StartProgram();
    ShowPainted(ItemEditForm);
    auto *list = ItemEditForm->ItemsListBox;
    // The entry takes whole sizes only; the generated catalogue has fractional ones too.
    int row = list->Count() / 2;
    while (row < list->Count() && list->At(row)->Size != float(int(list->At(row)->Size)))
        ++row;
    list->SelectRow(row);
    ItemEditForm->ItemsListBoxClick();
    TShopItem *item = list->Selected();
    if (!item)
        throw std::runtime_error("no item selected");
    const float old = item->Price;
    const float price = old == 4.2f ? 4.3f : 4.2f;
    ItemEditForm->PriceEdit->setText(QString::number(double(price), 'f', 2));
    Settle();
    r.Time([&] {
        ItemEditForm->UpdateBtn->click();
        Settle();
    });
    Close(ItemEditForm);
    s.responder.ExpectSilence();
    const bool stored = item->Price == price;
    item->Price = old;
    if (!stored)
        throw std::runtime_error("the price was not stored");
}

// A sort button pressed: the whole item list filled again in another order.
void SortItems(Setting &s, Run &r) {
    s.StartProgram();
    ShowPainted(ItemEditForm);
    QRadioButton *radios[] = {ItemEditForm->SortProdRadio, ItemEditForm->SortBrandRadio,
                              ItemEditForm->SortShopRadio};
    QRadioButton *was = nullptr;
    for (QRadioButton *radio : radios)
        if (radio->isChecked())
            was = radio;
    QRadioButton *other = was == radios[1] ? radios[2] : radios[1];
    r.Time([&] {
        other->click();
        Settle();
    });
    const bool whole = ItemEditForm->ItemsListBox->Count() == Items.Count();
    const bool taken = other->isChecked();
    if (was)
        was->click();
    Close(ItemEditForm);
    s.responder.ExpectSilence();
    if (!taken)
        throw std::runtime_error("the sort button did not take");
    if (!whole)
        throw std::runtime_error("the item list does not hold every item");
}

// ---------------------------------------------------------------------------------------------
// The shopping list and the price analysis

// Every item on the shopping list for as long as it lives (quantities as they were after).
class WholeList {
public:
    WholeList() {
        for (const auto &item : Items) {
            quantities_.push_back(item->Quantity);
            item->Quantity = 1;
        }
    }
    ~WholeList() {
        for (int i = 0; i < Items.Count() && i < int(quantities_.size()); ++i)
            Items[i]->Quantity = quantities_[std::size_t(i)];
    }

private:
    std::vector<int16_t> quantities_;
};

// Every item in one shop for as long as it lives.
class OneShop {
public:
    explicit OneShop(TShopShop *shop) : shop_(shop) {
        for (const auto &item : Items) {
            shops_.push_back(item->Shop);
            item->Shop = shop;
        }
    }
    ~OneShop() {
        for (int i = 0; i < Items.Count() && i < int(shops_.size()); ++i)
            Items[i]->Shop = shops_[std::size_t(i)];
    }
    TShopShop *Shop() const { return shop_; }

private:
    TShopShop *shop_;
    std::vector<TShopShop *> shops_;
};

// The shopping list shown with no shop selected, every item in `shop.Shop()`.
void ShowShoppingList(const OneShop &shop) {
    ShopListForm->PriceMode = false;
    ShowPainted(ShopListForm);
    if (ShopListForm->ShopListBox->RowOf(shop.Shop()) < 0)
        throw std::runtime_error("the shop is not listed");
    ShopListForm->ShopListBox->ClearSelection();
    ShopListForm->ShopListBoxClick();
    Settle();
}

void SelectShop(const OneShop &shop) {
    auto *shops = ShopListForm->ShopListBox;
    shops->SelectRow(shops->RowOf(shop.Shop()));
    ShopListForm->ShopListBoxClick();
    Settle();
}

void ShoppingListSelect(Setting &s, Run &r) {
    s.StartProgram();
    const OneShop shop(Shops[0]);
    ShowShoppingList(shop);
    r.Time([&] { SelectShop(shop); });
    const int listed = ShopListForm->ItemsListBox->Count();
    Close(ShopListForm);
    s.responder.ExpectSilence();
    if (listed != Items.Count())
        throw std::runtime_error("the list does not show every item of the shop");
}

void ShoppingListQuantity(Setting &s, Run &r) {
    s.StartProgram();
    const OneShop shop(Shops[0]);
    ShowShoppingList(shop);
    SelectShop(shop);
    auto *items = ShopListForm->ItemsListBox;
    const int row = items->Count() / 2;
    items->SelectRow(row);
    ShopListForm->ItemsListBoxClick();
    Settle();
    TShopItem *item = items->Selected();
    if (!item)
        throw std::runtime_error("no item selected");
    const int16_t old = item->Quantity;
    const int16_t wanted = old == 3 ? 4 : 3;
    ShopListForm->QtyEdit->setText(QString::number(wanted));
    r.Time([&] {
        QTest::keyClick(ShopListForm->QtyEdit, Qt::Key_Return);
        Settle();
    });
    const bool stored = item->Quantity == wanted && items->SelectedRow() == row + 1;
    item->Quantity = old;
    Close(ShopListForm);
    s.responder.ExpectSilence();
    if (!stored)
        throw std::runtime_error("the quantity was not stored, or Enter did not move on");
}

void ShoppingListClear(Setting &s, Run &r) {
    s.StartProgram();
    const WholeList list;
    const OneShop shop(Shops[0]);
    const bool ask = ClearQtys;
    ClearQtys = false;
    ShowShoppingList(shop);
    SelectShop(shop);
    r.Time([&] {
        ShopListForm->ClearBtn->click();
        Settle();
    });
    ClearQtys = ask;
    const bool cleared =
        ShopListForm->ItemCount == 0 && ShopListForm->ItemsListBox->Count() == Items.Count();
    Close(ShopListForm);
    s.responder.ExpectSilence();
    if (!cleared)
        throw std::runtime_error("the quantities were not cleared");
}

// The analysis shown as its openers show it: it runs to its first finding.
void ShowAnalysis() {
    AnalForm->StartPending = true;
    ShowPainted(AnalForm);
}

bool AnalysisFound() {
    return AnalForm->Status->text().startsWith(QStringLiteral("Alternative"));
}

void AnalysisOpen(Setting &s, Run &r) {
    s.StartProgram();
    const WholeList list;
    r.Time(ShowAnalysis);
    const bool found = AnalysisFound();
    Close(AnalForm);
    s.responder.ExpectSilence();
    if (!found)
        throw std::runtime_error("the analysis found nothing");
}

// Every item on the list and every one at the same price per unit: nothing to offer.
void AnalysisNone(Setting &s, Run &r) {
    s.StartProgram();
    const WholeList list;
    std::vector<float> prices;
    for (const auto &item : Items) {
        prices.push_back(item->Price);
        item->Price = item->Size;
    }
    r.Time(ShowAnalysis);
    const bool complete = AnalForm->Status->text() == QStringLiteral("Analysis complete") &&
                          AnalForm->CurItem == Items.Count();
    Close(AnalForm);
    for (int i = 0; i < Items.Count(); ++i)
        Items[i]->Price = prices[std::size_t(i)];
    s.responder.ExpectSilence();
    if (!complete)
        throw std::runtime_error("the analysis did not run to the end");
}

void AnalysisIgnore(Setting &s, Run &r) {
    s.StartProgram();
    const WholeList list;
    ShowAnalysis();
    const int first = AnalForm->CurItem;
    if (!AnalysisFound())
        throw std::runtime_error("the analysis found nothing");
    r.Time([] {
        AnalForm->NoBtn->click();
        Settle();
    });
    const bool next = AnalysisFound() && AnalForm->CurItem > first;
    Close(AnalForm);
    s.responder.ExpectSilence();
    if (!next)
        throw std::runtime_error("Ignore found no next item");
}

// ---------------------------------------------------------------------------------------------
// Reports

// One report printed to a PDF file; the shopping list with every item on it.
void PrintReport(Setting &s, Run &r, Report report) {
    s.StartProgram();
    std::optional<WholeList> list;
    if (report == Report::ShoppingList)
        list.emplace();
    const QString pdf = s.work.filePath(QStringLiteral("report.pdf"));
    QFile::remove(pdf);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    bool printed = false;
    r.Time([&] { printed = reports::PrintOn(report, printer); });
    s.responder.ExpectSilence();
    if (!printed || QFileInfo(pdf).size() < 1000)
        throw std::runtime_error("the report was not printed");
}

// ---------------------------------------------------------------------------------------------
// Floor plans

// Opens the plan of shop `which` from the shop editor, as the user does: `open` is timed.
void OpenPlan(Setting &s, int which, bool categoryList, Run *r = nullptr) {
    s.StartProgram();
    FPlan_ShowCat = true;
    FPlan_ShowOrder = true;
    FPlan_CatList = categoryList;
    ShowPainted(ShopEditForm);
    ShopEditForm->ShopListBox->SelectRow(ShopEditForm->ShopListBox->RowOf(s.planShop[which]));
    ShopEditForm->ListBoxClick();
    Settle();
    if (!ShopEditForm->FloorBtn->isEnabled())
        throw std::runtime_error("the shop editor offers no floor plan");
    const auto open = [] {
        ShowPainted(FloorPlanEditForm, [] { ShopEditForm->FloorBtn->click(); });
    };
    if (r)
        r->Time(open);
    else
        open();
    if (FloorPlanEditForm->PlanShop != s.planShop[which])
        throw std::runtime_error("the wrong plan opened");
}

void ClosePlan(Setting &s) {
    Close(FloorPlanEditForm);
    Close(ShopEditForm);
    FPlan_CatList = false;
    s.responder.ExpectSilence();
}

QPoint Centre(const TShopAisle &aisle) {
    return {(aisle.Rect.Left + aisle.Rect.Right) / 2, (aisle.Rect.Top + aisle.Rect.Bottom) / 2};
}

void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QWidget *plan = FloorPlanEditForm->Plan;
    QMouseEvent event(type, at, plan->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(plan, &event);
}

void PlanOpen(Setting &s, Run &r, int which, bool categoryList) {
    OpenPlan(s, which, categoryList, &r);
    ClosePlan(s);
}

void PlanRepaint(Setting &s, Run &r, int which, bool orderMode) {
    OpenPlan(s, which, false);
    if (orderMode) {
        FloorPlanEditForm->Setaisleorder1->trigger();
        Settle();
    }
    r.Time([] { FloorPlanEditForm->Plan->repaint(); });
    ClosePlan(s);
}

void PlanDragStep(Setting &s, Run &r, int which) {
    OpenPlan(s, which, false);
    const auto &aisles = s.planShop[which]->Aisle;
    const TShopAisle *aisle = aisles[aisles.Count() / 2];
    const TRect before = aisle->Rect;
    const QPoint from = Centre(*aisle);
    Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Settle();
    r.Time([&] {
        Mouse(QEvent::MouseMove, from + QPoint(0, 20), Qt::NoButton, Qt::LeftButton);
        Settle();
    });
    Mouse(QEvent::MouseButtonRelease, from + QPoint(0, 20), Qt::LeftButton, Qt::NoButton);
    const bool moved = aisle->Rect != before;
    FloorPlanEditForm->Undo1->trigger();
    ClosePlan(s);
    if (!moved)
        throw std::runtime_error("the aisle did not move");
}

void PlanOrderClick(Setting &s, Run &r, int which) {
    OpenPlan(s, which, false);
    FloorPlanEditForm->Setaisleorder1->trigger();
    Settle();
    auto &aisles = s.planShop[which]->Aisle;
    const int last = aisles.Count() - 1;
    TShopAisle *aisle = aisles[last];
    const QPoint at = Centre(*aisle);
    r.Time([&] {
        Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        Settle();
    });
    const bool placed = aisles[0] == aisle && FloorPlanEditForm->OrderedCount == 1;
    ClosePlan(s);
    aisles.Move(0, last);
    if (!placed)
        throw std::runtime_error("the aisle was not placed first");
}

std::string Count(int n) {
    const std::string digits = std::to_string(n);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The table

Suite::Suite(bool smoke) : s_(std::make_unique<Setting>(smoke)) {}

Suite::~Suite() {
    if (s_->programUp) {
        MainForm->close();
        DestroyForms();
    }
    ClearCatalogue();
}

std::string Suite::Heading() const {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    return std::string("Catalogue: ") + (s_->smoke ? "household" : "at the limit") + " (" +
           Count(s_->size.Categories) + " categories, " + Count(s_->size.ProductTypes) +
           " product types, " + Count(s_->size.Shops) + " shops of " +
           std::to_string(s_->size.AislesPerShop) + " aisles, " + Count(s_->size.Items) +
           " items), data file " + std::to_string(s_->bytes.size() / 1024) + " KB; platform " +
           QGuiApplication::platformName().toStdString() + ", screen " +
           std::to_string(screen.width()) + " x " + std::to_string(screen.height()) + ".";
}

std::vector<Measured> Suite::Table() {
    Setting &s = *s_;
    const std::string read = "plain read of the same bytes";
    const std::string write = "write + fsync + rename of the same bytes";
    const std::string scale = s.smoke ? "household" : "limit";
    // The windows exist once the program runs: started before the action reads them.
    const auto program = [&s](std::function<void(Run &)> action) {
        return [&s, action](Run &r) {
            s.StartProgram();
            s.Tidy();
            action(r);
        };
    };
    std::vector<Measured> t = {
        {read, [&s](Run &r) { PlainRead(s, r); }},
        {"load the data file", [&s](Run &r) { Load(s, r); }, read},
        {write, [&s](Run &r) { PlainWrite(s, r); }},
        {"save the data file", [&s](Run &r) { Save(s, r); }, write},
        {"of which serialising the catalogue", [&s](Run &r) { Serialise(s, r); }},

        {"start-up to main window shown, household",
         [&s](Run &r) { r.Report(StartUpFigure(s.householdFolder, "shown")); }},
        {"start-up to main window shown, " + scale,
         [&s](Run &r) { r.Report(StartUpFigure(s.scaleFolder, "shown")); }},
        {"close the main window (saves), " + scale,
         [&s](Run &r) { r.Report(StartUpFigure(s.scaleFolder, "close")); }},

        {"open the category editor", program([&s](Run &r) { OpenWindow(s, r, CatEditForm); })},
        {"close the category editor", program([&s](Run &r) { CloseWindow(s, r, CatEditForm); })},
        {"open the shop editor", program([&s](Run &r) { OpenWindow(s, r, ShopEditForm); })},
        {"close the shop editor", program([&s](Run &r) { CloseWindow(s, r, ShopEditForm); })},
        {"open the copy dialog", program([&s](Run &r) { OpenWindow(s, r, CopyShop); })},
        {"open the preferences", program([&s](Run &r) { OpenWindow(s, r, PrefForm); })},
        {"keystroke in the category name box",
         program([&s](Run &r) { Keystroke(s, r, CatEditForm, CatEditForm->CatEdit); })},
        {"keystroke in the shop name box",
         program([&s](Run &r) { Keystroke(s, r, ShopEditForm, ShopEditForm->NameEdit); })},
        {"keystroke in the copy dialog's name box",
         program([&s](Run &r) { Keystroke(s, r, CopyShop, CopyShop->ShopEdit); })},
        {"Add in the category editor", program([&s](Run &r) { AddCategory(s, r); })},
        {"Update in the category editor", program([&s](Run &r) { UpdateCategory(s, r); })},

        {"open the item editor", program([&s](Run &r) { OpenWindow(s, r, ItemEditForm); })},
        {"keystroke in the item editor's category box",
         program([&s](Run &r) { Keystroke(s, r, ItemEditForm, ItemEditForm->CatEdit); })},
        {"keystroke in the item editor's shop box",
         program([&s](Run &r) { Keystroke(s, r, ItemEditForm, ItemEditForm->ShopEdit); })},
        {"Add in the item editor", program([&s](Run &r) { AddItem(s, r); })},
        {"Update in the item editor", program([&s](Run &r) { UpdateItem(s, r); })},
        {"sort button refills the item list", program([&s](Run &r) { SortItems(s, r); })},

        {"shopping list: select a shop of " + Count(s.size.Items - 1) + " items",
         program([&s](Run &r) { ShoppingListSelect(s, r); })},
        {"shopping list: quantity typed + Enter",
         program([&s](Run &r) { ShoppingListQuantity(s, r); })},
        {"shopping list: Clear", program([&s](Run &r) { ShoppingListClear(s, r); })},

        {"analysis of every item: open to first finding",
         program([&s](Run &r) { AnalysisOpen(s, r); })},
        {"analysis of every item: full scan, no alternatives",
         program([&s](Run &r) { AnalysisNone(s, r); })},
        {"analysis of every item: Ignore to next finding",
         program([&s](Run &r) { AnalysisIgnore(s, r); })},
    };
    // Reports take seconds each at the limit: fewer runs.
    const int reportRuns = s.smoke ? 0 : 3;
    for (const Report report : {Report::ShoppingList, Report::FridgeList, Report::ItemList})
        t.emplace_back("report printed to PDF: " + ReportTitle(report),
                       program([&s, report](Run &r) { PrintReport(s, r, report); }), std::string(),
                       Unit::Milliseconds, reportRuns);
    for (int which = 0; which < 2; ++which) {
        const std::string plan = "floor plan of " + Count(s.planAisles[which]) + " aisles: ";
        t.emplace_back(plan + "open",
                       program([&s, which](Run &r) { PlanOpen(s, r, which, false); }));
        t.emplace_back(plan + "first open in a fresh program", [&s, which](Run &r) {
            const auto values = RunChild({QStringLiteral("--first-plan"), s.scaleFolder,
                                          QString::number(s.planAisles[which])});
            const auto it = values.find("open");
            if (it == values.end())
                throw std::runtime_error("the child reported no figure");
            r.Report(it->second);
        });
        t.emplace_back(plan + "open with the category list",
                       program([&s, which](Run &r) { PlanOpen(s, r, which, true); }));
        t.emplace_back(plan + "full repaint",
                       program([&s, which](Run &r) { PlanRepaint(s, r, which, false); }));
        t.emplace_back(plan + "full repaint in order mode",
                       program([&s, which](Run &r) { PlanRepaint(s, r, which, true); }));
        t.emplace_back(plan + "drag step",
                       program([&s, which](Run &r) { PlanDragStep(s, r, which); }));
        t.emplace_back(plan + "order-mode click",
                       program([&s, which](Run &r) { PlanOrderClick(s, r, which); }));
    }
    const auto memory = [&](std::string name, const char *key) {
        t.emplace_back(
            std::move(name), [&s, key](Run &r) { r.Report(MemoryFigure(s, key)); }, std::string(),
            Unit::Megabytes, 1);
    };
    memory("resident memory, " + scale + " file loaded", "loaded");
    memory("resident memory after opening and closing every window", "after");
    memory("peak resident memory", "peak");
    return t;
}

} // namespace bench
