#include "app/PrefUnit.h"

#include "settings/Preferences.h"
#include "ui/Placement.h"
#include "ui/Seam.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>

namespace {

constexpr int kWidth = 329;
constexpr int kHeight = 226;
constexpr int kPageWidth = 313;
constexpr int kPageHeight = 152;

template <class T> T *Make(QWidget *parent, const char *name, const char *caption = "") {
    auto *w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    if constexpr (std::is_base_of_v<QGroupBox, T>)
        w->setTitle(QString::fromLatin1(caption));
    else if constexpr (requires { w->setText(QString()); })
        w->setText(QString::fromLatin1(caption));
    return w;
}

// Sets the radio button whose id is `value` and clears the others. A value with no
// button of its own leaves them all off, which an exclusive group refuses once one is
// on, so the group lets go of its exclusiveness while the buttons are set.
void ShowChoice(QButtonGroup *group, int value) {
    group->setExclusive(false);
    for (QAbstractButton *button : group->buttons())
        button->setChecked(group->id(button) == value);
    group->setExclusive(true);
}

} // namespace

TPrefForm::TPrefForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("PrefForm"));
    setWindowTitle(QStringLiteral("Preferences"));
    setFixedSize(kWidth, kHeight);

    Notebook1 = Make<QStackedWidget>(this, "Notebook1");
    Notebook1->setGeometry(8, 8, kPageWidth, kPageHeight);
    Notebook1->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    Notebook1->addWidget(CreateConfirmsPage());
    Notebook1->addWidget(CreateReportsPage());
    Notebook1->addWidget(CreateAppearancePage());

    // The tab strip hangs under the pages, one tab per page; the first tab added
    // selects the first page.
    TabSet1 = Make<QTabBar>(this, "TabSet1");
    TabSet1->setShape(QTabBar::RoundedSouth);
    TabSet1->setDrawBase(false);
    TabSet1->setExpanding(false);
    connect(TabSet1, &QTabBar::currentChanged, this, &TPrefForm::TabSet1Change);
    for (int i = 0; i < Notebook1->count(); ++i)
        TabSet1->addTab(Notebook1->widget(i)->windowTitle());
    TabSet1->setGeometry(8, 8 + kPageHeight - 1, kPageWidth, TabSet1->sizeHint().height());

    const int buttonTop = kHeight - 8 - 25;
    OkBtn = Make<QPushButton>(this, "OkBtn", "OK");
    OkBtn->setGeometry(kWidth - 3 * 83, buttonTop, 75, 25);
    OkBtn->setDefault(true);
    CancelBtn = Make<QPushButton>(this, "CancelBtn", "Cancel");
    CancelBtn->setGeometry(kWidth - 2 * 83, buttonTop, 75, 25);
    HelpBtn = Make<QPushButton>(this, "HelpBtn", "&Help");
    HelpBtn->setGeometry(kWidth - 83, buttonTop, 75, 25);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, &TPrefForm::HelpBtnClick);

    QWidget *order[] = {AskDeleteCatCB, AskDeleteShopCB, AskClearQtysCB, IDR_SortShopCB,
                        IDR_SortCatCB,  IDR_SortProdCB,  IDR_ErrorsCB,   FL_SortCatCB,
                        FL_SortProdCB,  FL_CatCB,        MainBitMapCB,   TabSet1,
                        OkBtn,          CancelBtn,       HelpBtn};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QWidget *TPrefForm::CreateConfirmsPage() {
    auto *page = new QWidget(Notebook1);
    page->setObjectName(QStringLiteral("ConfirmsPage"));
    page->setWindowTitle(QStringLiteral("Confirms"));
    AskDeleteCatCB = Make<QCheckBox>(page, "AskDeleteCatCB", "Confirm delete &category");
    AskDeleteCatCB->setGeometry(16, 16, 280, 17);
    AskDeleteShopCB = Make<QCheckBox>(page, "AskDeleteShopCB", "Confirm delete &shop");
    AskDeleteShopCB->setGeometry(16, 40, 280, 17);
    AskClearQtysCB = Make<QCheckBox>(page, "AskClearQtysCB", "Confirm clear &quantities");
    AskClearQtysCB->setGeometry(16, 64, 280, 17);
    return page;
}

QWidget *TPrefForm::CreateReportsPage() {
    auto *page = new QWidget(Notebook1);
    page->setObjectName(QStringLiteral("ReportsPage"));
    page->setWindowTitle(QStringLiteral("Reports"));

    GroupBox1 = Make<QGroupBox>(page, "GroupBox1", "Master item list");
    GroupBox1->setGeometry(8, 6, 145, 138);
    Label1 = Make<QLabel>(GroupBox1, "Label1", "Sort by:");
    Label1->setGeometry(8, 20, 129, 15);
    IDR_SortShopCB = Make<QRadioButton>(GroupBox1, "IDR_SortShopCB", "&Shop");
    IDR_SortShopCB->setGeometry(16, 38, 121, 17);
    IDR_SortCatCB = Make<QRadioButton>(GroupBox1, "IDR_SortCatCB", "&Category");
    IDR_SortCatCB->setGeometry(16, 58, 121, 17);
    IDR_SortProdCB = Make<QRadioButton>(GroupBox1, "IDR_SortProdCB", "&Product");
    IDR_SortProdCB->setGeometry(16, 78, 121, 17);
    IDR_ErrorsCB = Make<QCheckBox>(GroupBox1, "IDR_ErrorsCB", "Print &error messages");
    IDR_ErrorsCB->setGeometry(8, 108, 133, 17);
    idrSortGroup_ = new QButtonGroup(this);
    idrSortGroup_->addButton(IDR_SortShopCB, 0);
    idrSortGroup_->addButton(IDR_SortCatCB, 1);
    idrSortGroup_->addButton(IDR_SortProdCB, 2);

    GroupBox2 = Make<QGroupBox>(page, "GroupBox2", "Fridge List");
    GroupBox2->setGeometry(160, 6, 145, 138);
    Label2 = Make<QLabel>(GroupBox2, "Label2", "Sort by:");
    Label2->setGeometry(8, 20, 129, 15);
    FL_SortCatCB = Make<QRadioButton>(GroupBox2, "FL_SortCatCB", "C&ategory");
    FL_SortCatCB->setGeometry(16, 38, 121, 17);
    FL_SortProdCB = Make<QRadioButton>(GroupBox2, "FL_SortProdCB", "P&roduct");
    FL_SortProdCB->setGeometry(16, 58, 121, 17);
    FL_CatCB = Make<QCheckBox>(GroupBox2, "FL_CatCB", "&Include categories");
    FL_CatCB->setGeometry(8, 108, 133, 17);
    flSortGroup_ = new QButtonGroup(this);
    flSortGroup_->addButton(FL_SortCatCB, 0);
    flSortGroup_->addButton(FL_SortProdCB, 1);
    return page;
}

QWidget *TPrefForm::CreateAppearancePage() {
    auto *page = new QWidget(Notebook1);
    page->setObjectName(QStringLiteral("AppearancePage"));
    page->setWindowTitle(QStringLiteral("Appearance"));
    MainBitMapCB = Make<QCheckBox>(page, "MainBitMapCB", "&Image on main window");
    MainBitMapCB->setGeometry(16, 16, 280, 17);
    return page;
}

void TPrefForm::FormShow() {
    AskDeleteCatCB->setChecked(DeleteCat);
    AskDeleteShopCB->setChecked(DeleteShop);
    AskClearQtysCB->setChecked(ClearQtys);
    ShowChoice(idrSortGroup_, IDR_Sort);
    IDR_ErrorsCB->setChecked(IDR_Errors);
    ShowChoice(flSortGroup_, FL_Sort);
    FL_CatCB->setChecked(FL_Cat);
    MainBitMapCB->setChecked(MainBitMap);
    // The page last chosen stays: the tab strip is left as it was.
}

void TPrefForm::TabSet1Change(int index) {
    Notebook1->setCurrentIndex(index);
}

void TPrefForm::HelpBtnClick() {
    ui::ShowHelpTopic(HelpContext::Preferences);
}

void TPrefForm::showEvent(QShowEvent *event) {
    // Centred on the screen, whatever window opened it.
    ui::CenterOnScreen(this);
    FormShow();
    QDialog::showEvent(event);
}
