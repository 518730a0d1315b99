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
#include "editors/ShopCopy.h"
#include "editors/ShopEdit.h"
#include "floorplan/FloorPla.h"
#include "settings/Preferences.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <fcntl.h>
#include <memory>
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
    // At the limit Add has no room: one category less lets it add one.
    RemoveCategory(Categories[Categories.Count() - 1]);
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
    for (QWidget *window : std::initializer_list<QWidget *>{
             FloorPlanEditForm, ShopEditForm, CatEditForm, CopyShop, PrefForm, AboutForm})
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
    CatEditForm->CatListBox->setCurrentRow(CatEditForm->CatListBox->count() / 2);
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
// Floor plans

// Opens the plan of shop `which` from the shop editor, as the user does: `open` is timed.
void OpenPlan(Setting &s, int which, bool categoryList, Run *r = nullptr) {
    s.StartProgram();
    FPlan_ShowCat = true;
    FPlan_ShowOrder = true;
    FPlan_CatList = categoryList;
    ShowPainted(ShopEditForm);
    ShopEditForm->ShopListBox->setCurrentRow(ShopEditForm->ShopListBox->RowOf(s.planShop[which]));
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
    };
    for (int which = 0; which < 2; ++which) {
        const std::string plan = "floor plan of " + Count(s.planAisles[which]) + " aisles: ";
        t.emplace_back(plan + "open",
                       program([&s, which](Run &r) { PlanOpen(s, r, which, false); }));
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
