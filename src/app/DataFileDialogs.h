#pragma once
// Loading and saving the catalogue file with the user answering through message boxes.

#include "catalogue/DataFile.h"

#include <QElapsedTimer>

#include <memory>

class QProgressDialog;

class DataFileDialogs final : public DataFileUser {
public:
    DataFileDialogs();
    ~DataFileDialogs() override;
    bool AskYesNo(const std::string &text) override;
    void ShowError(const std::string &text) override;
    // A progress window, which appears only when the load takes over a second.
    void Progress(std::uint64_t done, std::uint64_t total) override;

private:
    std::unique_ptr<QProgressDialog> progress_;
    QElapsedTimer loading_;
    QElapsedTimer sinceUpdate_;
};

// The catalogue file of the program's folder, with questions and errors shown to the user.
LoadOutcome LoadCatalogue();
bool SaveCatalogue();
