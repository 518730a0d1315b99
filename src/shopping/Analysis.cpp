#include "shopping/Analysis.h"

#include "catalogue/ShopData.h"
#include "help/HelpContext.h"
#include "shopping/PriceAnalysis.h"
#include "ui/Ansi.h"
#include "ui/Builder.h"
#include "ui/ListBox.h"
#include "ui/Seam.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
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
    : FormBase(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("AnalForm"));
    setWindowTitle(QStringLiteral("Shopping list analysis"));
    setFixedSize(kClientWidth, kClientHeight);

    ui::Builder b(this);
    Status = b.Label("Status", "Status").At(8, 8, 411, 29);
    // Three lines, for the longest names the editors allow.
    TextLabel = b.Label("TextLabel", {}).At(17, 41, 393, 40);
    AltsListBox = b.List<TShopItem>("AltsListBox", false).At(8, 85, 411, 102);
    SavingsLabel = b.Label("SavingsLabel", {}).At(8, 193, 411, 17);
    YesBtn = b.Button("YesBtn", "&Replace")
                 .Hint("Replace item in shopping list")
                 .At(8, 219, 75, 25)
                 .Default()
                 .Disabled();
    DeleteBtn = b.Button("DeleteBtn", "&Delete")
                    .Hint("Remove item from shopping list")
                    .At(92, 219, 75, 25)
                    .Disabled();
    NoBtn = b.Button("NoBtn", "&Ignore")
                .Hint("Ignore this alternative")
                .At(176, 219, 75, 25)
                .Disabled();
    HelpBtn = b.Button("HelpBtn", "&Help").At(260, 219, 75, 25).HelpKey();
    CloseBtn = b.Button("CloseBtn", "&Close").At(344, 219, 75, 25);
    b.TabOrder();

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
    // Names are shown as they are, never taken for markup.
    for (QLabel *label : {TextLabel, SavingsLabel}) {
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignCenter);
    }
    TextLabel->setWordWrap(true);
    SetTextColour(SavingsLabel, kSavingColour);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);

    // A click, and a selection made with the keyboard.
    connect(AltsListBox, &ui::ListBoxBase::UserSelect, this, &TAnalForm::AltsListBoxClick);
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

void TAnalForm::Run() {
    StartPending = true;
    exec();
}

void TAnalForm::FormShow() {
    // A window closed since its last run has let go of its index: it starts again.
    if (!StartPending && index_)
        return;
    StartPending = false;
    // Only quantities change while the window is open, so which items can be offered, and
    // where they stand in Items, holds for the whole run.
    index_ = std::make_unique<AlternativesIndex>(Items);
    CurItem = -1;
    AltsListBox->setFocus();
    ContinueAnalysis();
}

// A closed window keeps neither its index nor its list of alternatives.
void TAnalForm::FormHidden() {
    AltsListBox->Clear();
    index_.reset();
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
    AltsListBox->Clear();

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
    AltsListBox->Fill(alternatives,
                      [](const TShopItem &alt) { return ui::FromAnsi(AlternativeText(alt)); });
    if (found == 1)
        AltsListBox->SelectRow(0);
    NoBtn->setEnabled(true);
    DeleteBtn->setEnabled(true);
    if (found == 1)
        CalcSavings();
    if (actionHadFocus)
        AltsListBox->setFocus();
}

void TAnalForm::CalcSavings() {
    TShopItem *item = CurrentItem();
    const TShopItem *alt = AltsListBox->Selected();
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
    TShopItem *alt = AltsListBox->Selected();
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
    ui::ShowHelpTopic(HelpContext::PriceAnalysis);
}

void TAnalForm::Timer1Timer() {
    // The pulse runs from the event loop, which handles the pending events as it returns.
    UpdateWorkingColour();
}
