// Times the shopping list window on one shop with 32767 items, the most the file holds:
// selecting the shop (the list built and shown), a quantity typed and Enter, Clear, and
// scrolling a page. Goals: under 200 ms, 5 ms, 200 ms, and no delay.

#include "catalogue/Regional.h"
#include "catalogue/ShopData.h"
#include "settings/Preferences.h"
#include "shopping/ShopLstU.h"
#include "ui/WindowFont.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

void BuildCatalogue() {
    ClearCatalogue();
    for (int c = 0; c < 40; ++c)
        Categories.Add(std::make_unique<TShopCat>("Category " + std::to_string(c)));
    for (int p = 0; p < 3000; ++p)
        ProductTypes.Add(std::make_unique<TShopProd>("Product " + std::to_string((p * 7919) % 3000),
                                                     "g", Categories[p % 40]));
    TShopShop *big = Shops.Add(std::make_unique<TShopShop>("Big Barn"));
    Shops.Add(std::make_unique<TShopShop>("Corner"));
    for (int i = 0; i < MaxRecords; ++i) {
        auto *item = Items.Add(
            std::make_unique<TShopItem>(ProductTypes[i % 3000], "Brand " + std::to_string(i % 97),
                                        250.0f + float(i % 9), 1.25f + float(i % 13), big));
        item->Quantity = static_cast<int16_t>(i % 5 == 0 ? 1 + i % 4 : 0);
    }
}

double Milliseconds(const std::function<void()> &work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The median of `runs` timings.
double Median(int runs, const std::function<void()> &work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(Milliseconds(work));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char *what, double ms, double goal) {
    std::printf("%-44s %8.2f ms  (goal < %.0f ms) %s\n", what, ms, goal, ms < goal ? "ok" : "SLOW");
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    ui::SetUpApplication(app);
    SetCurrentRegional(Regional::EnglishUS());
    ResetPreferences();
    ClearQtys = false;
    BuildCatalogue();

    TShopListForm form;
    form.PriceMode = false;
    form.show();
    QApplication::processEvents();
    auto *shops = form.ShopListBox;
    auto *items = form.ItemsListBox;

    // The shop selected: the list rebuilt over every item, then painted.
    const double select = Median(7, [&] {
        shops->clearSelection();
        shops->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
        items->repaint();
    });
    std::printf("rows listed: %d\n", items->Count());
    Report("select the shop (32767 rows shown)", select, 200);

    // A quantity typed and Enter, on rows spread over the list.
    items->SelectRow(0);
    QApplication::processEvents();
    int row = 0;
    const double enter = Median(201, [&] {
        form.QtyEdit->setText(QString::number(row % 7));
        QTest::keyClick(form.QtyEdit, Qt::Key_Return);
        items->repaint();
        ++row;
    });
    Report("quantity + Enter (total over every item)", enter, 5);
    if (items->SelectedRow() != row % items->Count())
        std::printf("Enter did not move to the next row\n");

    const double clear = Median(7, [&] {
        form.ClearBtn->click();
        items->repaint();
    });
    Report("Clear (every quantity, list rebuilt)", clear, 200);

    shops->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
    QScrollBar *bar = items->verticalScrollBar();
    const double page = Median(201, [&] {
        bar->setValue(
            bar->value() + bar->pageStep() > bar->maximum() ? 0 : bar->value() + bar->pageStep());
        items->viewport()->repaint();
    });
    Report("scroll a page and paint it", page, 16);
    const double end = Median(21, [&] {
        bar->setValue(bar->value() == 0 ? bar->maximum() : 0);
        items->viewport()->repaint();
    });
    Report("jump between first and last page", end, 16);
    ClearCatalogue();
    return 0;
}
