#pragma once
// The main window: six picture buttons and the menu from which every command starts.
// Its first showing loads the catalogue; closing it by any means saves it. The commands that
// open another window announce it with a signal; the program connects it to that window.

#include "ui/FormBase.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QToolButton;

class TMainForm : public ui::FormBase<QMainWindow> {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);

    bool FirstShow = true;
    bool QuitWithoutSave = false;

    QLabel *Image1 = nullptr;
    QToolButton *CatBtn = nullptr;
    QToolButton *ShopBtn = nullptr;
    QToolButton *ItemBtn = nullptr;
    QToolButton *ShopListBtn = nullptr;
    QToolButton *PricesBtn = nullptr;
    QToolButton *CloseBtn = nullptr;

    QMenu *File1 = nullptr;
    QAction *Save1 = nullptr;
    QAction *Printsetup1 = nullptr;
    QMenu *Print1 = nullptr;
    QAction *Fridgelist1 = nullptr;
    QAction *Shoppinglist2 = nullptr;
    QAction *Itemsdetails1 = nullptr;
    QMenu *Printpreview1 = nullptr;
    QAction *Previewfridgelist1 = nullptr;
    QAction *Previewshoppinglist1 = nullptr;
    QAction *Previewitemsdetails1 = nullptr;
    QAction *Exit1 = nullptr;
    QMenu *Edit1 = nullptr;
    QAction *Categories1 = nullptr;
    QAction *Items1 = nullptr;
    QAction *Shops1 = nullptr;
    QAction *Shoppinglist1 = nullptr;
    QAction *Prices1 = nullptr;
    QMenu *Utilities1 = nullptr;
    QAction *Analyseshoppinglist1 = nullptr;
    QAction *Deleteunusedproducts1 = nullptr;
    QAction *Createcopyofshop1 = nullptr;
    QMenu *Options1 = nullptr;
    QAction *Reportfont1 = nullptr;
    QAction *Preferences1 = nullptr;
    QMenu *Help1 = nullptr;
    QAction *Helptopics1 = nullptr;
    QAction *Searchforhelpon1 = nullptr;
    QAction *Usinghelp1 = nullptr;
    QAction *Gettingstarted1 = nullptr;
    QAction *Otherproducts1 = nullptr;
    QAction *AboutTrolleymind1 = nullptr;

Q_SIGNALS:
    // The user asked for another window. Each is open (modally, but for the shop editor)
    // when the signal returns.
    void CategoriesRequested();
    void ItemsRequested();
    void ShopsRequested();
    // The shopping list, or the price update of one shop (`priceMode`).
    void ShoppingListRequested(bool priceMode);
    void AnalysisRequested();
    void ShopCopyRequested();
    void PreferencesRequested();
    void AboutRequested();

public Q_SLOTS:
    // Shows or hides the picture behind the buttons as the preference says.
    void ShowMainPicture();
    void Save1Click();
    void Exit1Click();
    void CloseBtnClick();
    void Helptopics1Click();
    void Searchforhelpon1Click();
    void Usinghelp1Click();
    void Gettingstarted1Click();
    void Otherproducts1Click();
    void AboutTrolleymind1Click();
    void Categories1Click();
    void CatBtnClick();
    void Items1Click();
    void ItemBtnClick();
    void Shops1Click();
    void ShopBtnClick();
    void Shoppinglist1Click();
    void ShopListBtnClick();
    void Prices1Click();
    void PricesBtnClick();
    void Analyseshoppinglist1Click();
    void Createcopyofshop1Click();
    void Preferences1Click();
    void Printsetup1Click();
    void Fridgelist1Click();
    void Shoppinglist2Click();
    void Itemsdetails1Click();
    void Previewfridgelist1Click();
    void Previewshoppinglist1Click();
    void Previewitemsdetails1Click();
    void Deleteunusedproducts1Click();
    void Reportfont1Click();

protected:
    // The first showing reads the settings and loads the catalogue.
    void FormShow() override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormActivate();
    void FormClose();
    void CreateMenu();

    bool closed_ = false;
};
