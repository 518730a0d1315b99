#pragma once
// The shopping list analysis: goes through the items on the shopping list one at a time,
// shows the items of the same product type, at any shop, that are cheaper per unit, and
// lets the user replace the item by one of them, take it off the list, or keep it.
// Shown modally by Run, from the main window and the shopping list window.

#include "ui/FormBase.h"
#include "ui/ListBox.h"

#include <QDialog>

#include <cstdint>
#include <memory>

class AlternativesIndex;
class QLabel;
class QPushButton;
class QTimer;
class TShopItem;

class TAnalForm : public ui::FormBase<QDialog> {
    Q_OBJECT
public:
    explicit TAnalForm(QWidget *parent = nullptr);
    ~TAnalForm() override;

    int32_t CurItem = -1; // position in Items of the item under analysis
    bool ColourRising = true;
    uint8_t ColourStep = 0; // 0..3 while working, 5 when stopped
    bool StartPending = false;

    QLabel *Status = nullptr;
    QLabel *TextLabel = nullptr;
    ui::ListBox<TShopItem> *AltsListBox = nullptr;
    QLabel *SavingsLabel = nullptr;
    QPushButton *YesBtn = nullptr;
    QPushButton *DeleteBtn = nullptr;
    QPushButton *NoBtn = nullptr;
    QPushButton *HelpBtn = nullptr;
    QPushButton *CloseBtn = nullptr;
    QTimer *Timer1 = nullptr;

    void ContinueAnalysis();
    void CalcSavings();
    void UpdateWorkingColour();

public Q_SLOTS:
    // Shows the window modally, starting again from the first item on the list.
    void Run();
    void YesBtnClick();
    void NoBtnClick();
    void DeleteBtnClick();
    void AltsListBoxClick();
    void HelpBtnClick();
    void Timer1Timer();

protected:
    void FormShow() override;
    void FormHidden() override;
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;

private:
    void FormCreate();
    void FormClose();
    TShopItem *CurrentItem() const;

    std::unique_ptr<AlternativesIndex> index_;
};
