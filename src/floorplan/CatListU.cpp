#include "floorplan/CatListU.h"

#include "catalogue/ShopData.h"
#include "floorplan/PlanGeometry.h"
#include "ui/Ansi.h"
#include "ui/Builder.h"
#include "ui/SortedListBox.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <utility>
#include <vector>

namespace {

constexpr int kDesignWidth = 162;
constexpr int kDesignHeight = 147;
constexpr int kItemHeight = 13;

// Rows of a fixed height, so the small window shows as many names as it was made for.
class FixedRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), kItemHeight};
    }
};

// Marks the list as being changed by the program for the lifetime of the guard.
class Updating {
public:
    explicit Updating(bool &flag) : flag_(flag), old_(std::exchange(flag, true)) {}
    ~Updating() { flag_ = old_; }
    Updating(const Updating &) = delete;
    Updating &operator=(const Updating &) = delete;

private:
    bool &flag_;
    bool old_;
};

} // namespace

TCatListForm::TCatListForm(QWidget *parent)
    : FormBase(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("CatListForm"));
    setWindowTitle(QStringLiteral("Aisle category"));
    resize(kDesignWidth, kDesignHeight);

    ui::Builder b(this);
    CatListBox = b.List<TShopCat>("CatListBox").Disabled();
    CatListBox->setItemDelegate(new FixedRowDelegate(CatListBox));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(CatListBox);

    CatListBox->viewport()->installEventFilter(this);
    connect(CatListBox, &QListWidget::itemSelectionChanged, this, &TCatListForm::SelectionChanged);
    connect(CatListBox, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *) { chosenWithMouse_ = true; });
    connect(CatListBox, &ui::SortedListBox::MouseUp, this, &TCatListForm::MouseUp);
}

void TCatListForm::PlaceBeside(const QWidget *editor) {
    const plan::Position at =
        plan::CatListPosition({editor->x(), editor->y()}, editor->width(), {width(), height()});
    move(static_cast<int>(at.Left), static_cast<int>(at.Top));
}

void TCatListForm::UpdateCategories() {
    if (isVisible()) {
        FillCategories();
    } else {
        Release();
    }
    UpdateList(nullptr);
}

void TCatListForm::Release() {
    const Updating guard(updating_);
    CatListBox->clear();
    stale_ = true;
}

void TCatListForm::FillCategories() {
    std::vector<std::pair<QString, TShopCat *>> entries;
    entries.reserve(static_cast<std::size_t>(Categories.Count()));
    for (const auto &category : Categories)
        entries.emplace_back(ui::FromAnsi(category->Name), category.get());
    const Updating guard(updating_);
    CatListBox->Fill(std::move(entries));
    stale_ = false;
}

void TCatListForm::UpdateList(TShopAisle *aisle) {
    const Updating guard(updating_);
    CatAisle = aisle;
    // A list still to be filled selects the aisle's category when it is.
    if (stale_)
        return;
    const TShopCat *category = aisle ? aisle->Category : nullptr;
    const int row = category ? CatListBox->RowOf(category, ui::FromAnsi(category->Name)) : -1;
    if (row < 0) {
        CatListBox->ClearSelection();
        return;
    }
    CatListBox->setCurrentRow(row);
    CatListBox->scrollToItem(CatListBox->item(row));
}

void TCatListForm::EnableChoice(bool enabled) {
    CatListBox->setEnabled(enabled);
}

void TCatListForm::FormShow() {
    if (stale_) {
        FillCategories();
        UpdateList(CatAisle);
    }
}

void TCatListForm::CatListBoxClick() {
    TShopCat *category = CatListBox->Selected();
    if (!category)
        return;
    if (!CatAisle) {
        const Updating guard(updating_);
        CatListBox->ClearSelection();
        return;
    }
    Q_EMIT CategoryChanging(CatAisle);
    CatAisle->Category = category;
    Q_EMIT CategoryChanged(CatAisle);
}

void TCatListForm::SelectionChanged() {
    if (updating_)
        return;
    // A press (and a drag over the names) settles on the release; a key acts at once.
    if (mouseDown_)
        chosenWithMouse_ = true;
    else
        CatListBoxClick();
}

void TCatListForm::MouseUp(Qt::MouseButton button) {
    if (button != Qt::LeftButton)
        return;
    mouseDown_ = false;
    // A click on the entry already selected counts as a choice too.
    if (std::exchange(chosenWithMouse_, false))
        CatListBoxClick();
}

bool TCatListForm::eventFilter(QObject *watched, QEvent *event) {
    if (watched == CatListBox->viewport() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        mouseDown_ = true;
        chosenWithMouse_ = false;
    }
    return FormBase::eventFilter(watched, event);
}

void TCatListForm::closeEvent(QCloseEvent *event) {
    FormBase::closeEvent(event);
    if (!event->isAccepted())
        return;
    FormClose();
}

void TCatListForm::FormClose() {
    // Only the user closes this window; the editor hides it.
    Q_EMIT Closed();
}
