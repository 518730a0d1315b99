#pragma once
// The category editor: adds, renames and deletes the aisle categories. Shown modally by
// the main window.

#include "editors/NameListEditor.h"

class QLineEdit;

namespace ui {
class SortedListBox;
}

class TCatEditForm : public TNameListForm {
    Q_OBJECT
public:
    explicit TCatEditForm(QWidget *parent = nullptr);

    QLineEdit *CatEdit = nullptr;
    ui::SortedListBox *CatListBox = nullptr;
};
