#include "app/DataFileDialogs.h"

#include "app/ProgramFiles.h"
#include "ui/Ansi.h"
#include "ui/Seam.h"

#include <QProgressDialog>

#include <algorithm>

DataFileDialogs::DataFileDialogs() = default;
DataFileDialogs::~DataFileDialogs() = default;

bool DataFileDialogs::AskYesNo(const std::string &text) {
    progress_.reset(); // a question comes after the reading, never beside its progress
    return ui::MessageBox(ui::MsgKind::Error, ui::FromAnsi(text), ui::MsgButtons::YesNo) ==
           ui::MsgResult::Yes;
}

void DataFileDialogs::ShowError(const std::string &text) {
    progress_.reset();
    ui::MessageBox(ui::MsgKind::Error, ui::FromAnsi(text), ui::MsgButtons::Ok);
}

void DataFileDialogs::Progress(std::uint64_t done, std::uint64_t total) {
    // The window is made only once a load has taken a second: most loads are over long before.
    // A load runs to its end in one call and cannot be cancelled, so the window has no Cancel
    // button. It counts in thousandths, as a file's size does not fit the window's range.
    constexpr int steps = 1000;
    if (!loading_.isValid())
        loading_.start();
    if (!progress_) {
        if (loading_.elapsed() < 1000 || done >= total)
            return;
        progress_ = std::make_unique<QProgressDialog>(QStringLiteral("Loading the catalogue"),
                                                      QString(), 0, steps, ui::DialogParent());
        progress_->setWindowTitle(QStringLiteral("Loading"));
        progress_->setWindowModality(Qt::ApplicationModal);
        progress_->setCancelButton(nullptr);
        progress_->setMinimumDuration(0);
        progress_->setAutoReset(false);
        progress_->show();
    } else if (done < total && sinceUpdate_.elapsed() < 50) {
        return;
    }
    sinceUpdate_.start();
    const std::uint64_t part = std::min(done, total) * steps / std::max<std::uint64_t>(total, 1);
    progress_->setValue(static_cast<int>(part));
}

LoadOutcome LoadCatalogue() {
    DataFileDialogs dialogs;
    return LoadDataFile(DataFileName.toStdString(), dialogs);
}

bool SaveCatalogue() {
    DataFileDialogs dialogs;
    // The user's data folder is made at the first save, not merely by starting the program.
    // A folder that cannot be made fails the save, which then says so.
    MakeDataDir();
    return WriteDataFile(DataFileName.toStdString(), dialogs);
}
