#pragma once
// The floor plan editor: one shop's aisles as rectangles on a 20-pixel grid, which the
// user adds, moves, resizes by their corners, deletes, labels with a category (through
// the floating category list) and puts into walking order, with one level of undo.
// Every edit acts on the shop's own records at once.

#include "catalogue/ShopData.h"
#include "floorplan/PlanPainter.h"
#include "ui/FormBase.h"

#include <QFont>
#include <QMainWindow>
#include <QString>

#include <cstdint>

class QAction;
class QMenu;
class QMenuBar;
class TFloorPlanEditForm;

// The plan itself: the client area below the menu bar, origin at its top-left corner,
// one pixel per unit, white. It hands its mouse, key and paint events to the editor.
class TPlanArea : public QWidget {
    Q_OBJECT
public:
    explicit TPlanArea(TFloorPlanEditForm *form);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    TFloorPlanEditForm *form_;
};

class TFloorPlanEditForm : public ui::FormBase<QMainWindow> {
    Q_OBJECT
public:
    explicit TFloorPlanEditForm(QWidget *parent = nullptr);
    ~TFloorPlanEditForm() override;

    // The shop being edited; set before the window is shown.
    TShopShop *PlanShop = nullptr;
    TShopAisle *SelectedAisle = nullptr;
    // The left button is held after grabbing the selected aisle.
    bool Dragging = false;
    uint8_t DragKind = 0; // plan::DragKind
    // Pointer minus the grabbed coordinates at the press (64 bits: aisles read from a
    // file may lie anywhere in the 32-bit range).
    int64_t GrabX = 0;
    int64_t GrabY = 0;
    bool AddMode = false;
    bool OrderMode = false;
    // In order mode, how many aisles at the head of the list are in their final place.
    int OrderedCount = 0;
    QFont HorzFont;
    QFont VertFont;
    // The undo snapshot: copies of the shop's aisles, and the word of the action.
    TRecordList<TShopAisle> UndoAisles;
    QString UndoWord;

    QMenuBar *MainMenu2 = nullptr;
    QAction *Close1 = nullptr;
    QMenu *Edit1 = nullptr;
    QAction *Undo1 = nullptr;
    QAction *N1 = nullptr;
    QAction *Addaisle1 = nullptr;
    QAction *Deleteaisle1 = nullptr;
    QAction *Setaisleorder1 = nullptr;
    QMenu *View1 = nullptr;
    QAction *Category2 = nullptr;
    QAction *Order1 = nullptr;
    QAction *Category1 = nullptr;
    QAction *Print1 = nullptr;
    QAction *Help1 = nullptr;
    TPlanArea *Plan = nullptr;

    // Takes the undo snapshot before an edit ("add", "move", "resize", "delete", "order",
    // "category").
    void CopyToUndo(const QString &word);
    // Enables or disables what needs a selected aisle: Delete aisle and the category list.
    void AisleEnable(bool flag);
    // Has an aisle's area (or the whole plan) painted again.
    void RepaintAisle(const TShopAisle *aisle);
    void RepaintArea(const TRect &area);
    void RepaintAll();

    // What the plan shows now; painting and printing draw it.
    plan::PlanPicture Picture() const;

    // Handlers of the plan area's events, in client pixels.
    void FormMouseDown(Qt::MouseButton button, int x, int y);
    void FormMouseMove(int x, int y);
    void FormMouseUp(Qt::MouseButton button, int x, int y);
    // True when the key was used.
    bool FormKeyDown(int key);
    void FormPaint(QPainter &painter, const QRect &area);
    void DrawCatText(QPainter &painter, const TShopAisle &aisle);

Q_SIGNALS:
    // For the floating category list, which shows and sets the selected aisle's category.
    // The plan is being shown: the list takes the catalogue's categories again.
    void CategoriesReload();
    // The aisle whose category the list shows and sets (none: nullptr)...
    void CategoryAisle(TShopAisle *aisle);
    // ...and whether the user may choose one for it.
    void CategoryChoice(bool enabled);
    // The list is shown or hidden with the plan and by View > Category list.
    void CategoryListShow();
    void CategoryListHide();
    // The plan has closed; the list lets go of the categories.
    void Closed();

public Q_SLOTS:
    // Shows the window (modeless) on the plan of `shop`.
    void ShowPlan(TShopShop *shop);
    // The category list is about to set an aisle's category.
    void BeforeCategoryChange();
    // The user closed the category list.
    void CategoryListClosed();
    void Close1Click();
    void Undo1Click();
    void Addaisle1Click();
    void Deleteaisle1Click();
    // The checkable menu items have flipped their check mark when these run.
    void Setaisleorder1Click();
    void Category2Click();
    void Order1Click();
    void Category1Click();
    void Print1Click();
    void Help1Click();

protected:
    void FormShow() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormClose();
    void CreateMenu();
    void SetClientSize();
    void SelectAndGrab(int x, int y);
    void AddAisleAt(int x, int y);
    void PlaceInOrder(int x, int y);
    void EnterOrderMode();
    void LeaveOrderMode();
    void SelectByArrow(bool forward);
    // The cursor for the state: the grab's while dragging, else the mode's, else the arrow.
    void UpdateCursor();

    QFont canvasFont_;
    int dragCursor_ = 0;
};
