#include "TestProgram.h"

#include "app/Forms.h"
#include "app/MainUnit.h"
#include "app/ProgramFiles.h"
#include "catalogue/ShopData.h"
#include "settings/Preferences.h"

TestProgram::TestProgram() {
    if (!dir.isValid())
        qFatal("no temporary folder");
    SetProgramDir(dir.path());
    ClearCatalogue();
    ResetPreferences();
    CreateForms();
}

TestProgram::~TestProgram() {
    if (MainForm->isVisible())
        MainForm->close();
    DestroyForms();
    ClearCatalogue();
}
