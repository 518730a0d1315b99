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
