#pragma once
// The program's windows: created once at start-up, hidden, and wired to one another here,
// so that no window needs to know another. The pointers are for main() and the tests.

class TMainForm;
class TCatEditForm;
class TItemEditForm;
class TShopEditForm;
class TFloorPlanEditForm;
class TShopListForm;
class TCatListForm;
class TPrefForm;
class TAnalForm;
class TCopyShop;
class TAboutForm;

extern TMainForm *MainForm;
extern TCatEditForm *CatEditForm;
extern TItemEditForm *ItemEditForm;
extern TShopEditForm *ShopEditForm;
extern TFloorPlanEditForm *FloorPlanEditForm;
extern TShopListForm *ShopListForm;
extern TCatListForm *CatListForm;
extern TPrefForm *PrefForm;
extern TAnalForm *AnalForm;
extern TCopyShop *CopyShop;
extern TAboutForm *AboutForm;

class QWidget;
template <class T> class QList;

// Every window of the program, in the order of creation (empty before CreateForms).
const QList<QWidget *> &ProgramWindows();

// Creates every window, hidden, in the program's fixed order (the main window first), and
// connects what each window asks for to the window that does it.
void CreateForms();
// Destroys them again (tests that build the program's windows more than once).
void DestroyForms();
