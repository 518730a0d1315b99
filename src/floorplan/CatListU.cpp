#include "floorplan/CatListU.h"

#include "catalogue/ShopData.h"
#include "floorplan/PlanGeometry.h"
#include "ui/Ansi.h"
#include "ui/Builder.h"
#include "ui/ListBox.h"

#include <QCloseEvent>
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

    connect(CatListBox, &ui::ListBoxBase::UserSelect, this, &TCatListForm::CatListBoxClick);
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
        CatListBox->ClearSelection();
        return;
    }
    Q_EMIT CategoryChanging(CatAisle);
    CatAisle->Category = category;
    Q_EMIT CategoryChanged(CatAisle);
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
