#include "floorplan/CatListU.h"

#include "app/Forms.h"
#include "catalogue/ShopData.h"
#include "floorplan/FloorPla.h"
#include "floorplan/PlanGeometry.h"
#include "settings/Preferences.h"
#include "ui/Ansi.h"
#include "ui/Builder.h"
#include "ui/ListBox.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

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

} // namespace

TCatListForm::TCatListForm(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
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

    connect(CatListBox, &ui::ListBoxBase::UserSelect, this, &TCatListForm::CatListBoxClick);
    FormCreate();
}

void TCatListForm::FormCreate() {
    // Near the top-right corner of where the editor stands at this moment (its design
    // place, as it is created just before this window).
    if (!FloorPlanEditForm)
        return;
    const plan::Position at =
        plan::CatListPosition({FloorPlanEditForm->x(), FloorPlanEditForm->y()},
                              FloorPlanEditForm->width(), {width(), height()});
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
    CatListBox->Clear();
    stale_ = true;
}

void TCatListForm::FillCategories() {
    CatListBox->Fill(Categories, ui::NameText());
    stale_ = false;
}

void TCatListForm::UpdateList(TShopAisle *aisle) {
    CatAisle = aisle;
    // A list still to be filled selects the aisle's category when it is.
    if (stale_)
        return;
    const TShopCat *category = aisle ? aisle->Category : nullptr;
    CatListBox->SelectRow(category ? CatListBox->RowOf(category, ui::FromAnsi(category->Name))
                                   : -1);
}

void TCatListForm::showEvent(QShowEvent *event) {
    if (stale_ && !event->spontaneous()) {
        FillCategories();
        UpdateList(CatAisle);
    }
    QWidget::showEvent(event);
}

void TCatListForm::CatListBoxClick() {
    TShopCat *category = CatListBox->Selected();
    if (!category)
        return;
    if (!CatAisle) {
        CatListBox->ClearSelection();
        return;
    }
    if (FloorPlanEditForm)
        FloorPlanEditForm->CopyToUndo(QStringLiteral("category"));
    CatAisle->Category = category;
    if (FloorPlanEditForm)
        FloorPlanEditForm->RepaintAisle(CatAisle);
}

void TCatListForm::closeEvent(QCloseEvent *event) {
    FormClose();
    event->accept();
}

void TCatListForm::FormClose() {
    // Only the user closes this window; the editor hides it.
    if (FloorPlanEditForm)
        FloorPlanEditForm->Category2->setChecked(false);
    FPlan_CatList = false;
}
