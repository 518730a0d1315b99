#include "app/DataFileDialogs.h"

#include "app/ProgramFiles.h"
#include "ui/Ansi.h"
#include "ui/Seam.h"

bool DataFileDialogs::AskYesNo(const std::string &text) {
    return ui::MessageBox(ui::MsgKind::Error, ui::FromAnsi(text), ui::MsgButtons::YesNo) ==
           ui::MsgResult::Yes;
}

void DataFileDialogs::ShowError(const std::string &text) {
    ui::MessageBox(ui::MsgKind::Error, ui::FromAnsi(text), ui::MsgButtons::Ok);
}

LoadOutcome LoadCatalogue() {
    DataFileDialogs dialogs;
    return LoadDataFile(DataFileName.toStdString(), dialogs);
}

bool SaveCatalogue() {
    DataFileDialogs dialogs;
    return WriteDataFile(DataFileName.toStdString(), dialogs);
}
