#include "app/Forms.h"

#include "app/AboutUnit.h"
#include "app/MainUnit.h"
#include "app/PrefUnit.h"
#include "editors/CatEditU.h"
#include "editors/ItemEdit.h"
#include "editors/ShopCopy.h"
#include "editors/ShopEdit.h"
#include "floorplan/CatListU.h"
#include "floorplan/FloorPla.h"
#include "shopping/Analysis.h"
#include "shopping/ShopLstU.h"
#include "ui/Application.h"

#include <QList>

TMainForm *MainForm = nullptr;
TCatEditForm *CatEditForm = nullptr;
TItemEditForm *ItemEditForm = nullptr;
TShopEditForm *ShopEditForm = nullptr;
TFloorPlanEditForm *FloorPlanEditForm = nullptr;
TShopListForm *ShopListForm = nullptr;
TCatListForm *CatListForm = nullptr;
TPrefForm *PrefForm = nullptr;
TAnalForm *AnalForm = nullptr;
TCopyShop *CopyShop = nullptr;
TAboutForm *AboutForm = nullptr;

namespace {
QList<QWidget *> windows;

template <class T> void Create(T *&form) {
    form = new T();
    windows.append(form);
}
template <class T> void Destroy(T *&form) {
    windows.removeOne(form);
    delete form;
    form = nullptr;
}

// What a window asks for, to the window that does it. Each request is carried out before the
// signal returns, so a handler goes on after the window it opened has closed (as the shopping
// list rebuilds itself after the analysis).
void Connect() {
    QObject::connect(MainForm, &TMainForm::CategoriesRequested, CatEditForm, &QDialog::exec);
    QObject::connect(MainForm, &TMainForm::ItemsRequested, ItemEditForm, &QDialog::exec);
    QObject::connect(MainForm, &TMainForm::ShopsRequested, ShopEditForm, &QWidget::show);
    QObject::connect(MainForm, &TMainForm::ShoppingListRequested, ShopListForm,
                     &TShopListForm::Run);
    QObject::connect(MainForm, &TMainForm::AnalysisRequested, AnalForm, &TAnalForm::Run);
    QObject::connect(MainForm, &TMainForm::ShopCopyRequested, CopyShop, &QDialog::exec);
    QObject::connect(MainForm, &TMainForm::PreferencesRequested, PrefForm, &TPrefForm::Run);
    QObject::connect(PrefForm, &TPrefForm::Changed, MainForm, &TMainForm::ShowMainPicture);
    QObject::connect(MainForm, &TMainForm::AboutRequested, AboutForm, &QDialog::exec);
    QObject::connect(ShopListForm, &TShopListForm::AnalysisRequested, AnalForm, &TAnalForm::Run);

    // The shop editor is modeless over the main window, and the floor plan over the shop
    // editor. While the plan holds the shop editor disabled, that refuses to close: the main
    // window would come back under the open plan, from which the shop being drawn, or a
    // category on its aisles, could be deleted.
    ShopEditForm->SetOpener(MainForm);
    FloorPlanEditForm->SetOpener(ShopEditForm);
    QObject::connect(ShopEditForm, &TShopEditForm::FloorPlanRequested, FloorPlanEditForm,
                     &TFloorPlanEditForm::ShowPlan);

    // The floating category list beside the floor plan, near the top-right corner of the
    // plan's design place.
    CatListForm->PlaceBeside(FloorPlanEditForm);
    QObject::connect(FloorPlanEditForm, &TFloorPlanEditForm::CategoriesReload, CatListForm,
                     &TCatListForm::UpdateCategories);
    QObject::connect(FloorPlanEditForm, &TFloorPlanEditForm::CategoryAisle, CatListForm,
                     &TCatListForm::UpdateList);
    QObject::connect(FloorPlanEditForm, &TFloorPlanEditForm::CategoryChoice, CatListForm,
                     &TCatListForm::EnableChoice);
    QObject::connect(FloorPlanEditForm, &TFloorPlanEditForm::CategoryListShow, CatListForm,
                     &QWidget::show);
    QObject::connect(FloorPlanEditForm, &TFloorPlanEditForm::CategoryListHide, CatListForm,
                     &QWidget::hide);
    QObject::connect(FloorPlanEditForm, &TFloorPlanEditForm::Closed, CatListForm,
                     &TCatListForm::Release);
    // The undo snapshot is taken before the category is set.
    QObject::connect(CatListForm, &TCatListForm::CategoryChanging, FloorPlanEditForm,
                     &TFloorPlanEditForm::BeforeCategoryChange);
    QObject::connect(CatListForm, &TCatListForm::CategoryChanged, FloorPlanEditForm,
                     &TFloorPlanEditForm::RepaintAisle);
    QObject::connect(CatListForm, &TCatListForm::Closed, FloorPlanEditForm,
                     &TFloorPlanEditForm::CategoryListClosed);
}

} // namespace

const QList<QWidget *> &ProgramWindows() {
    return windows;
}

void CreateForms() {
    // Each window runs its creation handler (its constructor) as it is made, so all of
    // them exist before the main window is first shown.
    Create(MainForm);
    ui::Application::SetMainWindow(MainForm);
    Create(CatEditForm);
    Create(ItemEditForm);
    Create(ShopEditForm);
    Create(FloorPlanEditForm);
    Create(ShopListForm);
    Create(CatListForm);
    Create(PrefForm);
    Create(AnalForm);
    Create(CopyShop);
    Create(AboutForm);
    Connect();
}

void DestroyForms() {
    // In the reverse order of creation.
    Destroy(AboutForm);
    Destroy(CopyShop);
    Destroy(AnalForm);
    Destroy(PrefForm);
    Destroy(CatListForm);
    Destroy(ShopListForm);
    Destroy(FloorPlanEditForm);
    Destroy(ShopEditForm);
    Destroy(ItemEditForm);
    Destroy(CatEditForm);
    Destroy(MainForm);
}
