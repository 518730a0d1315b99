#include "floorplan/FloorPla.h"

#include "floorplan/PlanGeometry.h"
#include "settings/Preferences.h"
#include "ui/Ansi.h"
#include "ui/Builder.h"
#include "ui/Cursors.h"
#include "ui/ListBox.h"
#include "ui/Seam.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

#include <algorithm>
#include <memory>

namespace {

// The window's design size and position, in force until its first showing.
constexpr int kDesignLeft = 112;
constexpr int kDesignTop = 126;
constexpr int kDesignWidth = 435;
constexpr int kDesignHeight = 300;

QPoint PointOf(const QMouseEvent *event) {
    return event->position().toPoint();
}

// The width the menu bar needs to show every menu; narrower, it hides the last ones
// behind an extension button, and a small plan would lose Print and Help. The margin
// before the first menu is repeated after the last.
int MenuBarWidth(const QMenuBar *bar) {
    const QList<QAction *> menus = bar->actions();
    const int margin = menus.isEmpty() ? 0 : std::max(bar->actionGeometry(menus.first()).left(), 0);
    return bar->sizeHint().width() + margin;
}

} // namespace

// ---------------------------------------------------------------------------------------
// The plan area

TPlanArea::TPlanArea(TFloorPlanEditForm *form) : QWidget(form), form_(form) {
    setObjectName(QStringLiteral("Plan"));
    QPalette white = palette();
    white.setColor(QPalette::Window, plan::colours::Background);
    setPalette(white);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void TPlanArea::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    form_->FormPaint(painter, event->rect());
}

void TPlanArea::mousePressEvent(QMouseEvent *event) {
    const QPoint at = PointOf(event);
    form_->FormMouseDown(event->button(), at.x(), at.y());
}

void TPlanArea::mouseMoveEvent(QMouseEvent *event) {
    const QPoint at = PointOf(event);
    form_->FormMouseMove(at.x(), at.y());
}

void TPlanArea::mouseReleaseEvent(QMouseEvent *event) {
    const QPoint at = PointOf(event);
    form_->FormMouseUp(event->button(), at.x(), at.y());
}

void TPlanArea::keyPressEvent(QKeyEvent *event) {
    if (!form_->FormKeyDown(event->key()))
        QWidget::keyPressEvent(event);
}

// ---------------------------------------------------------------------------------------
// The editor

TFloorPlanEditForm::TFloorPlanEditForm(QWidget *parent)
    : FormBase(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FloorPlanEditForm"));
    setWindowTitle(QStringLiteral("Floor plans"));
    Plan = new TPlanArea(this);
    setCentralWidget(Plan);
    setFocusProxy(Plan);
    CreateMenu();
    move(kDesignLeft, kDesignTop);
    resize(kDesignWidth, kDesignHeight);
    FormCreate();
}

TFloorPlanEditForm::~TFloorPlanEditForm() = default;

void TFloorPlanEditForm::CreateMenu() {
    MainMenu2 = menuBar();
    ui::MenuBuilder m(this, MainMenu2, "MainMenu2");
    Close1 = m.Item("Close1", "&Close");
    Edit1 = m.Menu("Edit1", "&Edit");
    Undo1 = m.Item(Edit1, "Undo1", "&Undo", QKeySequence(Qt::ALT | Qt::Key_Backspace)).Disabled();
    N1 = m.Separator(Edit1, "N1");
    Addaisle1 = m.Item(Edit1, "Addaisle1", "&Add aisle", QKeySequence(Qt::Key_Insert));
    Deleteaisle1 =
        m.Item(Edit1, "Deleteaisle1", "&Delete aisle", QKeySequence(Qt::Key_Delete)).Disabled();
    Setaisleorder1 =
        m.Item(Edit1, "Setaisleorder1", "Set aisle &order", QKeySequence(Qt::CTRL | Qt::Key_O))
            .Checkable();
    View1 = m.Menu("View1", "&View");
    Category2 = m.Item(View1, "Category2", "Category &list").Checkable();
    Order1 = m.Item(View1, "Order1", "&Order").Checkable();
    Category1 = m.Item(View1, "Category1", "&Category").Checkable();
    Print1 = m.Item("Print1", "&Print");
    Help1 = m.Item("Help1", "&Help", QKeySequence(Qt::Key_F1));

    connect(Close1, &QAction::triggered, this, &TFloorPlanEditForm::Close1Click);
    connect(Undo1, &QAction::triggered, this, &TFloorPlanEditForm::Undo1Click);
    connect(Addaisle1, &QAction::triggered, this, &TFloorPlanEditForm::Addaisle1Click);
    connect(Deleteaisle1, &QAction::triggered, this, &TFloorPlanEditForm::Deleteaisle1Click);
    connect(Setaisleorder1, &QAction::triggered, this, &TFloorPlanEditForm::Setaisleorder1Click);
    connect(Category2, &QAction::triggered, this, &TFloorPlanEditForm::Category2Click);
    connect(Order1, &QAction::triggered, this, &TFloorPlanEditForm::Order1Click);
    connect(Category1, &QAction::triggered, this, &TFloorPlanEditForm::Category1Click);
    connect(Print1, &QAction::triggered, this, &TFloorPlanEditForm::Print1Click);
    connect(Help1, &QAction::triggered, this, &TFloorPlanEditForm::Help1Click);
}

void TFloorPlanEditForm::FormCreate() {
    Dragging = false;
    SelectedAisle = nullptr;
    DragKind = plan::dkMove;
    UndoAisles.Clear();
    UndoWord.clear();
    // Numbers and names in Arial at the window font's height.
    canvasFont_ = QFont(QStringLiteral("Arial"));
    canvasFont_.setPixelSize(QFontInfo(font()).pixelSize());
    HorzFont = canvasFont_;
    HorzFont.setWeight(QFont::Normal);
    HorzFont.setItalic(false);
    HorzFont.setUnderline(false);
    HorzFont.setStrikeOut(false);
    HorzFont.setStyleHint(QFont::SansSerif);
    // The same face; it is turned to read upwards where it is drawn.
    VertFont = HorzFont;
}

void TFloorPlanEditForm::FormShow() {
    Category1->setChecked(FPlan_ShowCat);
    Category2->setChecked(FPlan_CatList);
    Order1->setChecked(FPlan_ShowOrder);
    if (PlanShop)
        setWindowTitle(ui::FromAnsi(PlanShop->Name));
    Undo1->setText(QStringLiteral("&Undo"));
    Undo1->setEnabled(false);
    SelectedAisle = nullptr;
    SetClientSize();
    OrderMode = false;
    AddMode = false;
    Addaisle1->setEnabled(true);
    View1->menuAction()->setEnabled(true);
    UpdateCursor();
    Q_EMIT CategoriesReload();
    if (Category2->isChecked()) {
        Q_EMIT CategoryAisle(nullptr);
        Q_EMIT CategoryListShow();
    }
    Plan->setFocus();
}

void TFloorPlanEditForm::SetClientSize() {
    const TRecordList<TShopAisle> none;
    plan::Extent wanted = plan::ClientSize(PlanShop ? PlanShop->Aisle : none);
    // A window larger than the screen could not be seen whole anyway; the limit also keeps
    // a plan with far-off aisles from asking for an enormous window.
    const QScreen *where = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect available = where ? where->availableGeometry() : QRect(0, 0, 1024, 768);
    const int menuHeight = MainMenu2->sizeHint().height();
    // The plan keeps its coordinates; a plan narrower than the menus just gains blank space
    // on its right.
    const int menuWidth = MenuBarWidth(MainMenu2);
    setMinimumWidth(menuWidth);
    const int width =
        std::max(menuWidth, static_cast<int>(std::min<int64_t>(wanted.Width, available.width())));
    const int height = static_cast<int>(
        std::min<int64_t>(wanted.Height, std::max(available.height() - menuHeight, 1)));
    resize(width, height + menuHeight);
}

void TFloorPlanEditForm::closeEvent(QCloseEvent *event) {
    FormBase::closeEvent(event);
    if (event->isAccepted())
        FormClose();
}

void TFloorPlanEditForm::FormClose() {
    // The list comes back at the next showing if its menu item is still checked. It lets go
    // of the aisle, which may be deleted with its shop before the plan is shown again.
    Q_EMIT CategoryListHide();
    Q_EMIT CategoryAisle(nullptr);
    Q_EMIT Closed();
    Setaisleorder1->setChecked(false);
    OrderMode = false;
    // A drag cannot outlive the window: its release would never be seen.
    Dragging = false;
    UpdateCursor();
}

// ---------------------------------------------------------------------------------------
// Mouse and keys

void TFloorPlanEditForm::FormMouseDown(Qt::MouseButton button, int x, int y) {
    if (button == Qt::RightButton && AddMode) {
        AddMode = false;
        UpdateCursor();
        return;
    }
    if (button != Qt::LeftButton || !PlanShop)
        return;
    if (OrderMode)
        PlaceInOrder(x, y);
    else if (AddMode)
        AddAisleAt(x, y);
    else if (!Dragging) // a release that was never seen: the next one ends the drag
        SelectAndGrab(x, y);
}

void TFloorPlanEditForm::SelectAndGrab(int x, int y) {
    if (SelectedAisle) {
        RepaintAisle(SelectedAisle);
        SelectedAisle = nullptr;
    }
    const int hit = plan::HitTest(PlanShop->Aisle, x, y);
    if (hit < 0) {
        AisleEnable(false);
        return;
    }
    SelectedAisle = PlanShop->Aisle[hit];
    const plan::Grab grab = plan::GrabAt(SelectedAisle->Rect, x, y);
    DragKind = grab.Kind;
    GrabX = grab.GrabX;
    GrabY = grab.GrabY;
    switch (DragKind) {
    case plan::dkMove:
        dragCursor_ = ui::crAisleMove;
        break;
    case plan::dkTopLeft:
    case plan::dkBottomRight:
        dragCursor_ = ui::crAisleSizeNWSE;
        break;
    default:
        dragCursor_ = ui::crAisleSizeNESW;
        break;
    }
    // The snapshot is taken at the press, whether or not the aisle then moves.
    CopyToUndo(DragKind == plan::dkMove ? QStringLiteral("move") : QStringLiteral("resize"));
    Dragging = true;
    UpdateCursor();
    RepaintAisle(SelectedAisle);
    AisleEnable(true);
}

void TFloorPlanEditForm::FormMouseMove(int x, int y) {
    if (!Dragging || !SelectedAisle)
        return;
    const TRect old = SelectedAisle->Rect;
    plan::Grab grab{DragKind, GrabX, GrabY};
    const TRect now =
        DragKind == plan::dkMove ? plan::Moved(old, x, y, grab) : plan::Resized(old, x, y, grab);
    DragKind = grab.Kind;
    if (now == old)
        return;
    SelectedAisle->Rect = now;
    RepaintArea(old);
    RepaintArea(now);
}

void TFloorPlanEditForm::FormMouseUp(Qt::MouseButton button, int, int) {
    if (button != Qt::LeftButton || !Dragging)
        return;
    Dragging = false;
    UpdateCursor();
    if (SelectedAisle) {
        DragKind = plan::dkMove;
        RepaintAisle(SelectedAisle);
    }
}

bool TFloorPlanEditForm::FormKeyDown(int key) {
    switch (key) {
    case Qt::Key_Escape:
        if (AddMode) {
            AddMode = false;
            UpdateCursor();
        }
        return true;
    case Qt::Key_Right:
    case Qt::Key_Left:
        SelectByArrow(key == Qt::Key_Right);
        return true;
    default:
        return false;
    }
}

void TFloorPlanEditForm::SelectByArrow(bool forward) {
    // The order-mode picture shows no selection, and a drag keeps to its own aisle.
    if (OrderMode || Dragging || !PlanShop || PlanShop->Aisle.Empty())
        return;
    const auto &aisles = PlanShop->Aisle;
    const int count = aisles.Count();
    int next = 0;
    if (SelectedAisle) {
        const int at = aisles.IndexOf(SelectedAisle);
        RepaintAisle(SelectedAisle);
        next = forward ? (at + 1) % count : (at + count - 1) % count;
    }
    SelectedAisle = aisles[next];
    RepaintAisle(SelectedAisle);
    AisleEnable(true);
}

void TFloorPlanEditForm::UpdateCursor() {
    if (Dragging)
        Plan->setCursor(ui::Cursor(dragCursor_));
    else if (OrderMode)
        Plan->setCursor(ui::Cursor(ui::crAisleOrder));
    else if (AddMode)
        Plan->setCursor(ui::Cursor(ui::crAisleAdd));
    else
        Plan->setCursor(Qt::ArrowCursor);
}

// ---------------------------------------------------------------------------------------
// Painting

plan::PlanPicture TFloorPlanEditForm::Picture() const {
    plan::PlanPicture picture;
    picture.Aisles = PlanShop ? &PlanShop->Aisle : nullptr;
    picture.Selected = SelectedAisle;
    picture.OrderMode = OrderMode;
    picture.OrderedCount = OrderedCount;
    picture.ShowOrder = Order1->isChecked();
    picture.ShowCategory = Category1->isChecked();
    picture.Client = Plan->size();
    picture.CanvasFont = canvasFont_;
    picture.HorzFont = HorzFont;
    picture.VertFont = VertFont;
    return picture;
}

void TFloorPlanEditForm::FormPaint(QPainter &painter, const QRect &area) {
    plan::PaintPlan(painter, Picture(), area);
}

void TFloorPlanEditForm::DrawCatText(QPainter &painter, const TShopAisle &aisle) {
    plan::DrawCatText(painter, Picture(), aisle);
}

void TFloorPlanEditForm::RepaintAisle(const TShopAisle *aisle) {
    if (aisle)
        RepaintArea(aisle->Rect);
}

void TFloorPlanEditForm::RepaintArea(const TRect &area) {
    Plan->update(plan::VisibleRect(area, Plan->size()));
}

void TFloorPlanEditForm::RepaintAll() {
    Plan->update();
}

// ---------------------------------------------------------------------------------------
// Undo and the selection

void TFloorPlanEditForm::CopyToUndo(const QString &word) {
    UndoAisles.Clear();
    if (PlanShop) {
        UndoAisles.Reserve(PlanShop->Aisle.Count());
        for (const auto &aisle : PlanShop->Aisle)
            UndoAisles.Add(std::make_unique<TShopAisle>(*aisle));
    }
    UndoWord = word;
    Undo1->setText(QStringLiteral("&Undo ") + word);
    Undo1->setEnabled(true);
}

void TFloorPlanEditForm::AisleEnable(bool flag) {
    Deleteaisle1->setEnabled(flag);
    Q_EMIT CategoryAisle(SelectedAisle);
    Q_EMIT CategoryChoice(flag);
}

void TFloorPlanEditForm::BeforeCategoryChange() {
    CopyToUndo(QStringLiteral("category"));
}

void TFloorPlanEditForm::CategoryListClosed() {
    Category2->setChecked(false);
    FPlan_CatList = false;
}

// ---------------------------------------------------------------------------------------
// Menu commands

void TFloorPlanEditForm::ShowPlan(TShopShop *shop) {
    PlanShop = shop;
    show();
}

void TFloorPlanEditForm::Close1Click() {
    close();
}

void TFloorPlanEditForm::Undo1Click() {
    if (!PlanShop)
        return;
    // The copies become the shop's aisles and the aisles the snapshot, so a second use
    // restores what the first undid.
    PlanShop->Aisle.Swap(UndoAisles);
    SelectedAisle = nullptr;
    // The list must not keep an aisle that is now a snapshot copy, shown or not.
    Q_EMIT CategoryAisle(nullptr);
    const bool wasRedo = Undo1->text().contains(QStringLiteral("Redo"));
    Undo1->setText((wasRedo ? QStringLiteral("&Undo ") : QStringLiteral("&Redo ")) + UndoWord);
    RepaintAll();
}

void TFloorPlanEditForm::Addaisle1Click() {
    AddMode = true;
    UpdateCursor();
}

void TFloorPlanEditForm::AddAisleAt(int x, int y) {
    AddMode = false;
    UpdateCursor();
    // The data file counts the aisles of a shop in 16 bits.
    if (PlanShop->Aisle.Count() >= MaxRecords) {
        ui::Beep();
        return;
    }
    CopyToUndo(QStringLiteral("add"));
    RepaintAisle(SelectedAisle);
    auto aisle = std::make_unique<TShopAisle>();
    aisle->Rect = plan::NewAisleAt(x, y);
    aisle->Category = nullptr;
    SelectedAisle = PlanShop->Aisle.Add(std::move(aisle));
    DragKind = plan::dkMove;
    RepaintAisle(SelectedAisle);
    AisleEnable(true);
}

void TFloorPlanEditForm::Deleteaisle1Click() {
    if (!SelectedAisle || !PlanShop)
        return;
    CopyToUndo(QStringLiteral("delete"));
    const TRect area = SelectedAisle->Rect;
    PlanShop->Aisle.Remove(SelectedAisle);
    SelectedAisle = nullptr;
    // Shown numbers of the later aisles change with the deletion.
    if (Order1->isChecked())
        RepaintAll();
    else
        RepaintArea(area);
    AisleEnable(false);
}

void TFloorPlanEditForm::Setaisleorder1Click() {
    if (OrderMode)
        LeaveOrderMode();
    else
        EnterOrderMode();
}

void TFloorPlanEditForm::EnterOrderMode() {
    SelectedAisle = nullptr;
    AisleEnable(false);
    Addaisle1->setEnabled(false);
    View1->menuAction()->setEnabled(false);
    Setaisleorder1->setChecked(true);
    OrderMode = true;
    OrderedCount = 0;
    // A click now places an aisle; an armed Add aisle would be surprising afterwards.
    AddMode = false;
    CopyToUndo(QStringLiteral("order"));
    // The whole reordering is undone in one step once the mode ends.
    Undo1->setEnabled(false);
    UpdateCursor();
    RepaintAll();
}

void TFloorPlanEditForm::PlaceInOrder(int x, int y) {
    auto &aisles = PlanShop->Aisle;
    const int hit = plan::FirstHitFrom(aisles, OrderedCount, x, y);
    if (hit < 0) {
        ui::Beep();
        return;
    }
    aisles.Move(hit, OrderedCount);
    ++OrderedCount;
    // The last aisle left is last by itself.
    if (OrderedCount < aisles.Count() - 1)
        RepaintAll();
    else
        LeaveOrderMode();
}

void TFloorPlanEditForm::LeaveOrderMode() {
    Addaisle1->setEnabled(true);
    View1->menuAction()->setEnabled(true);
    Undo1->setEnabled(true);
    Setaisleorder1->setChecked(false);
    OrderMode = false;
    UpdateCursor();
    RepaintAll();
}

void TFloorPlanEditForm::Category2Click() {
    if (Category2->isChecked()) {
        Q_EMIT CategoryAisle(SelectedAisle);
        Q_EMIT CategoryListShow();
    } else {
        Q_EMIT CategoryListHide();
    }
    FPlan_CatList = Category2->isChecked();
}

void TFloorPlanEditForm::Order1Click() {
    FPlan_ShowOrder = Order1->isChecked();
    RepaintAll();
}

void TFloorPlanEditForm::Category1Click() {
    FPlan_ShowCat = Category1->isChecked();
    RepaintAll();
}

void TFloorPlanEditForm::Print1Click() {
    if (!ui::ExecPrintDialog())
        return;
    QPrinter &printer = ui::Printer();
    QPainter painter;
    if (!painter.begin(&printer)) {
        ui::ShowTopLevelError(QStringLiteral("The floor plan could not be printed"));
        return;
    }
    // The plan as it paints now, drawn again at the printer's resolution on one page.
    plan::PrintPlan(painter, Picture(),
                    QSize(painter.device()->width(), painter.device()->height()));
    painter.end();
}

void TFloorPlanEditForm::Help1Click() {
    ui::ShowHelpTopic(HelpContext::FloorPlanEditor);
}
