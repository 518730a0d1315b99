#include "app/PrefUnit.h"

#include "settings/Preferences.h"
#include "ui/Builder.h"
#include "ui/Seam.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>

#include <cstdint>

namespace {

constexpr int kWidth = 329;
constexpr int kHeight = 226;
constexpr int kPageWidth = 313;
constexpr int kPageHeight = 152;

// Sets the radio button whose id is `value` and clears the others. A value with no
// button of its own leaves them all off, which an exclusive group refuses once one is
// on, so the group lets go of its exclusiveness while the buttons are set.
void ShowChoice(QButtonGroup *group, int value) {
    group->setExclusive(false);
    for (QAbstractButton *button : group->buttons())
        button->setChecked(group->id(button) == value);
    group->setExclusive(true);
}

// The id of the radio button that is on. With none on (a value from the file that has no
// button) the choice stays `value`.
uint8_t Choice(const QButtonGroup *group, uint8_t value) {
    for (QAbstractButton *button : group->buttons())
        if (button->isChecked())
            return static_cast<uint8_t>(group->id(button));
    return value;
}

} // namespace

TPrefForm::TPrefForm(QWidget *parent)
    : FormBase(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("PrefForm"));
    setWindowTitle(QStringLiteral("Preferences"));
    setFixedSize(kWidth, kHeight);

    ui::Builder b(this);
    Notebook1 = b.Add<QStackedWidget>("Notebook1").At(8, 8, kPageWidth, kPageHeight);
    Notebook1->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);

    Page(b, "ConfirmsPage", "Confirms");
    AskDeleteCatCB = b.Check("AskDeleteCatCB", "Confirm delete &category").At(16, 16, 280, 17);
    AskDeleteShopCB = b.Check("AskDeleteShopCB", "Confirm delete &shop").At(16, 40, 280, 17);
    AskClearQtysCB = b.Check("AskClearQtysCB", "Confirm clear &quantities").At(16, 64, 280, 17);

    QWidget *reports = Page(b, "ReportsPage", "Reports");
    GroupBox1 = b.Group("GroupBox1", "Master item list").At(8, 6, 145, 138);
    b.On(GroupBox1);
    Label1 = b.Label("Label1", "Sort by:").At(8, 20, 129, 15);
    IDR_SortShopCB = b.Radio("IDR_SortShopCB", "&Shop").At(16, 38, 121, 17);
    IDR_SortCatCB = b.Radio("IDR_SortCatCB", "&Category").At(16, 58, 121, 17);
    IDR_SortProdCB = b.Radio("IDR_SortProdCB", "&Product").At(16, 78, 121, 17);
    IDR_ErrorsCB = b.Check("IDR_ErrorsCB", "Print &error messages").At(8, 108, 133, 17);
    b.On(reports);
    GroupBox2 = b.Group("GroupBox2", "Fridge List").At(160, 6, 145, 138);
    b.On(GroupBox2);
    Label2 = b.Label("Label2", "Sort by:").At(8, 20, 129, 15);
    FL_SortCatCB = b.Radio("FL_SortCatCB", "C&ategory").At(16, 38, 121, 17);
    FL_SortProdCB = b.Radio("FL_SortProdCB", "P&roduct").At(16, 58, 121, 17);
    FL_CatCB = b.Check("FL_CatCB", "&Include categories").At(8, 108, 133, 17);

    Page(b, "AppearancePage", "Appearance");
    MainBitMapCB = b.Check("MainBitMapCB", "&Image on main window").At(16, 16, 280, 17);

    // The tab strip hangs under the pages, one tab per page.
    b.On(this);
    TabSet1 = b.Add<QTabBar>("TabSet1");
    TabSet1->setShape(QTabBar::RoundedSouth);
    TabSet1->setDrawBase(false);
    TabSet1->setExpanding(false);

    const int buttonTop = kHeight - 8 - 25;
    OkBtn = b.Button("OkBtn", "OK").At(kWidth - 3 * 83, buttonTop, 75, 25).Default();
    CancelBtn = b.Button("CancelBtn", "Cancel").At(kWidth - 2 * 83, buttonTop, 75, 25);
    HelpBtn = b.Button("HelpBtn", "&Help").At(kWidth - 83, buttonTop, 75, 25).HelpKey();
    b.TabOrder();

    idrSortGroup_ = new QButtonGroup(this);
    idrSortGroup_->addButton(IDR_SortShopCB, 0);
    idrSortGroup_->addButton(IDR_SortCatCB, 1);
    idrSortGroup_->addButton(IDR_SortProdCB, 2);
    flSortGroup_ = new QButtonGroup(this);
    flSortGroup_->addButton(FL_SortCatCB, 0);
    flSortGroup_->addButton(FL_SortProdCB, 1);

    // The first tab added selects the first page.
    connect(TabSet1, &QTabBar::currentChanged, this, &TPrefForm::TabSet1Change);
    for (int i = 0; i < Notebook1->count(); ++i)
        TabSet1->addTab(Notebook1->widget(i)->windowTitle());
    TabSet1->setGeometry(8, 8 + kPageHeight - 1, kPageWidth, TabSet1->sizeHint().height());
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, &TPrefForm::HelpBtnClick);
}

QWidget *TPrefForm::Page(ui::Builder &b, const QString &name, const QString &caption) {
    b.On(Notebook1);
    QWidget *page = b.Add<QWidget>(name);
    page->setWindowTitle(caption);
    Notebook1->addWidget(page);
    b.On(page);
    return page;
}

void TPrefForm::Run() {
    if (exec() != QDialog::Accepted)
        return;
    Store();
    Q_EMIT Changed();
}

void TPrefForm::FormShow() {
    Load();
    // The page last chosen stays: the tab strip is left as it was.
}

void TPrefForm::Load() {
    AskDeleteCatCB->setChecked(DeleteCat);
    AskDeleteShopCB->setChecked(DeleteShop);
    AskClearQtysCB->setChecked(ClearQtys);
    ShowChoice(idrSortGroup_, IDR_Sort);
    IDR_ErrorsCB->setChecked(IDR_Errors);
    ShowChoice(flSortGroup_, FL_Sort);
    FL_CatCB->setChecked(FL_Cat);
    MainBitMapCB->setChecked(MainBitMap);
}

void TPrefForm::Store() {
    ClearQtys = AskClearQtysCB->isChecked();
    DeleteCat = AskDeleteCatCB->isChecked();
    DeleteShop = AskDeleteShopCB->isChecked();
    IDR_Sort = Choice(idrSortGroup_, IDR_Sort);
    IDR_Errors = IDR_ErrorsCB->isChecked();
    FL_Sort = Choice(flSortGroup_, FL_Sort);
    FL_Cat = FL_CatCB->isChecked();
    MainBitMap = MainBitMapCB->isChecked();
}

void TPrefForm::TabSet1Change(int index) {
    Notebook1->setCurrentIndex(index);
}

void TPrefForm::HelpBtnClick() {
    ui::ShowHelpTopic(HelpContext::Preferences);
}
