// Trolleymind: plans household grocery shopping.

#include "app/Forms.h"
#include "app/MainUnit.h"
#include "ui/Application.h"
#include "ui/WindowFont.h"

int main(int argc, char **argv) {
    ui::Application app(argc, argv);
    ui::Application::QuitOnTerminationSignals();
    ui::SetUpApplication(app);
    ui::LoadRegionalSettings();
    CreateForms();
    MainForm->show();
    const int result = app.exec();
    DestroyForms();
    return result;
}
