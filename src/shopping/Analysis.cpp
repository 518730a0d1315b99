#include "shopping/Analysis.h"

#include "catalogue/ShopData.h"
#include "shopping/PriceAnalysis.h"
#include "ui/Ansi.h"
#include "ui/Placement.h"
#include "ui/Seam.h"
#include "ui/SortedListBox.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTimer>

#include <vector>

namespace {

constexpr int kClientWidth = 427;
constexpr int kClientHeight = 252;

const QColor kSavingColour(0, 128, 0);
const QColor kExtraCostColour(128, 0, 0);

void SetTextColour(QWidget *widget, const QColor &colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, colour);
    widget->setPalette(p);
}

} // namespace

TAnalForm::TAnalForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("AnalForm"));
    setWindowTitle(QStringLiteral("Shopping list analysis"));
    setFixedSize(kClientWidth, kClientHeight);

    Status = new QLabel(QStringLiteral("Status"), this);
    Status->setObjectName(QStringLiteral("Status"));
    Status->setGeometry(8, 8, 411, 29);
    Status->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Status->setAlignment(Qt::AlignCenter);
    Status->setAutoFillBackground(true);
    {
        // The colour of an active window's title bar, which the selection colour stands for.
        QPalette p = Status->palette();
        p.setColor(QPalette::Window, p.color(QPalette::Active, QPalette::Highlight));
        p.setColor(QPalette::WindowText, Qt::yellow);
        Status->setPalette(p);
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(12);
        font.setBold(true);
        Status->setFont(font);
    }

    TextLabel = new QLabel(this);
    TextLabel->setObjectName(QStringLiteral("TextLabel"));
    // Three lines, for the longest names the editors allow.
    TextLabel->setGeometry(17, 41, 393, 40);
    TextLabel->setAlignment(Qt::AlignCenter);
    TextLabel->setWordWrap(true);

    AltsListBox = new ui::SortedListBox(this, false);
    AltsListBox->setObjectName(QStringLiteral("AltsListBox"));
    AltsListBox->setGeometry(8, 85, 411, 102);

    SavingsLabel = new QLabel(this);
    SavingsLabel->setObjectName(QStringLiteral("SavingsLabel"));
    SavingsLabel->setGeometry(8, 193, 411, 17);
    SavingsLabel->setAlignment(Qt::AlignCenter);
    SetTextColour(SavingsLabel, kSavingColour);

    auto button = [this](QPushButton *&b, const char *name, const char *caption, int x,
                         const char *hint) {
        b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(x, 219, 75, 25);
        if (hint)
            b->setToolTip(QString::fromLatin1(hint));
    };
    button(YesBtn, "YesBtn", "&Replace", 8, "Replace item in shopping list");
    button(DeleteBtn, "DeleteBtn", "&Delete", 92, "Remove item from shopping list");
    button(NoBtn, "NoBtn", "&Ignore", 176, "Ignore this alternative");
    button(HelpBtn, "HelpBtn", "&Help", 260, nullptr);
    button(CloseBtn, "CloseBtn", "&Close", 344, nullptr);
    YesBtn->setDefault(true);
    for (QPushButton *b : {YesBtn, DeleteBtn, NoBtn})
        b->setEnabled(false);

    setTabOrder(AltsListBox, YesBtn);
    setTabOrder(YesBtn, DeleteBtn);
    setTabOrder(DeleteBtn, NoBtn);
    setTabOrder(NoBtn, HelpBtn);
    setTabOrder(HelpBtn, CloseBtn);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);

    // A click, and a selection made with the keyboard.
    connect(AltsListBox, &QListWidget::itemSelectionChanged, this, &TAnalForm::AltsListBoxClick);
    connect(YesBtn, &QPushButton::clicked, this, &TAnalForm::YesBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TAnalForm::DeleteBtnClick);
    connect(NoBtn, &QPushButton::clicked, this, &TAnalForm::NoBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TAnalForm::HelpBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(Timer1, &QTimer::timeout, this, &TAnalForm::Timer1Timer);
    FormCreate();
}

TAnalForm::~TAnalForm() = default;

void TAnalForm::FormCreate() {
    StartPending = false;
}

void TAnalForm::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return; // restored by the window system: no new showing
    // Centred on the screen, whatever window opened it.
    ui::CenterOnScreen(this);
    FormShow();
}

void TAnalForm::FormShow() {
    if (!StartPending)
        return;
    StartPending = false;
    // Only quantities change while the window is open, so which items can be offered, and
    // where they stand in Items, holds for the whole run.
    index_ = std::make_unique<AlternativesIndex>(Items);
    CurItem = -1;
    AltsListBox->setFocus();
    ContinueAnalysis();
}

void TAnalForm::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TAnalForm::FormClose() {
    Timer1->stop();
}

void TAnalForm::keyPressEvent(QKeyEvent *event) {
    // Escape is the Ignore button's: it does nothing while Ignore is disabled, and the
    // window closes only with Close or its close box.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (NoBtn->isEnabled())
            NoBtn->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

TShopItem *TAnalForm::CurrentItem() const {
    return CurItem >= 0 && CurItem < Items.Count() ? Items[CurItem] : nullptr;
}

void TAnalForm::ContinueAnalysis() {
    // Disabling a focused button would hand the focus on to Help, where Enter gives help
    // instead of replacing; the focus goes back to the list instead.
    const bool actionHadFocus = YesBtn->hasFocus() || DeleteBtn->hasFocus() || NoBtn->hasFocus();
    for (QPushButton *b : {YesBtn, NoBtn, DeleteBtn})
        b->setEnabled(false);
    TextLabel->clear();
    SavingsLabel->clear();
    AltsListBox->clear();

    ColourStep = 0;
    ColourRising = true;
    UpdateWorkingColour();
    Status->setText(QStringLiteral("Working..."));
    Timer1->start();

    std::vector<TShopItem *> alternatives;
    if (index_)
        CurItem = index_->FindNext(CurItem + 1, alternatives);
    else
        CurItem = Items.Count();

    Timer1->stop();
    ColourStep = 5;
    UpdateWorkingColour();
    if (alternatives.empty()) {
        Status->setText(QStringLiteral("Analysis complete"));
        if (actionHadFocus)
            CloseBtn->setFocus();
        return;
    }

    const int found = static_cast<int>(alternatives.size());
    Status->setText(found == 1 ? QStringLiteral("Alternative found")
                               : QStringLiteral("Alternatives found"));
    TextLabel->setText(ui::FromAnsi(FindingText(*CurrentItem(), found)));
    std::vector<std::pair<QString, void *>> entries;
    entries.reserve(alternatives.size());
    for (TShopItem *alt : alternatives)
        entries.emplace_back(ui::FromAnsi(AlternativeText(*alt)), alt);
    {
        const QSignalBlocker blocker(AltsListBox);
        AltsListBox->Fill(std::move(entries));
        if (found == 1)
            AltsListBox->setCurrentRow(0);
    }
    NoBtn->setEnabled(true);
    DeleteBtn->setEnabled(true);
    if (found == 1)
        CalcSavings();
    if (actionHadFocus)
        AltsListBox->setFocus();
}

void TAnalForm::CalcSavings() {
    TShopItem *item = CurrentItem();
    const TShopItem *alt = AltsListBox->Selected<TShopItem>();
    if (!item || !alt)
        return;
    const Substitution s = Substitute(*item, *alt);
    SetTextColour(SavingsLabel, s.saving > 0 ? kSavingColour : kExtraCostColour);
    SavingsLabel->setText(ui::FromAnsi(SavingText(s.saving)));
    YesBtn->setEnabled(true);
}

void TAnalForm::UpdateWorkingColour() {
    switch (ColourStep) {
    case 0:
        SetTextColour(Status, Qt::black);
        break;
    case 1:
        SetTextColour(Status, QColor(128, 128, 128));
        break;
    case 2:
        SetTextColour(Status, QColor(192, 192, 192));
        break;
    case 3:
        SetTextColour(Status, Qt::white);
        break;
    case 5:
        SetTextColour(Status, Qt::yellow);
        break;
    default:
        break;
    }
    // Black, grey, silver, white and back again.
    if (ColourRising) {
        if (++ColourStep > 3) {
            ColourStep = 2;
            ColourRising = false;
        }
    } else if (ColourStep == 0) {
        ColourStep = 1;
        ColourRising = true;
    } else {
        --ColourStep;
    }
}

void TAnalForm::YesBtnClick() {
    TShopItem *item = CurrentItem();
    TShopItem *alt = AltsListBox->Selected<TShopItem>();
    if (!item || !alt)
        return;
    if (!ReplaceItem(*item, *alt)) {
        ui::MessageBox(
            ui::MsgKind::Error,
            QStringLiteral("The quantity of the alternative would exceed %1.").arg(MaxQuantity));
        return;
    }
    ContinueAnalysis();
}

void TAnalForm::NoBtnClick() {
    ContinueAnalysis();
}

void TAnalForm::DeleteBtnClick() {
    if (TShopItem *item = CurrentItem())
        item->Quantity = 0;
    ContinueAnalysis();
}

void TAnalForm::AltsListBoxClick() {
    CalcSavings();
}

void TAnalForm::HelpBtnClick() {
    ui::Help(ui::HelpCommand::Context, 3);
}

void TAnalForm::Timer1Timer() {
    // The pulse runs from the event loop, which handles the pending events as it returns.
    UpdateWorkingColour();
}
