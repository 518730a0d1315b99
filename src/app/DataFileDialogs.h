#pragma once
// Loading and saving the catalogue file with the user answering through message boxes.

#include "catalogue/DataFile.h"

class DataFileDialogs final : public DataFileUser {
public:
    bool AskYesNo(const std::string &text) override;
    void ShowError(const std::string &text) override;
};

// The catalogue file of the program's folder, with questions and errors shown to the user.
LoadOutcome LoadCatalogue();
bool SaveCatalogue();
