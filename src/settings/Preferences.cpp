#include "settings/Preferences.h"

ReportFont TheReportFont;

bool ClearQtys = true;
bool DeleteCat = true;
bool DeleteShop = true;
uint8_t IDR_Sort = 0;
bool IDR_Errors = true;
uint8_t FL_Sort = 0;
bool FL_Cat = true;
uint8_t Item_Sort = 0;
bool List_Only = true;
bool SL_CatSort = true;
bool FPlan_ShowCat = false;
bool FPlan_ShowOrder = false;
bool FPlan_CatList = false;
bool MainBitMap = true;

void ResetPreferences() {
    TheReportFont = ReportFont{};
    ClearQtys = DeleteCat = DeleteShop = true;
    IDR_Sort = FL_Sort = Item_Sort = 0;
    IDR_Errors = FL_Cat = List_Only = SL_CatSort = true;
    FPlan_ShowCat = FPlan_ShowOrder = FPlan_CatList = false;
    MainBitMap = true;
}
