// Times the price analysis on the largest list the file can hold: 32767 items, all on the
// shopping list, over 1,000 product types, both on its own and through the real window.
//   open:   building the index and finding the first item with alternatives (< 50 ms)
//   run:    a run to "Analysis complete" with no alternatives anywhere (< 100 ms)
//   ignore: Ignore to the next finding (< 20 ms)

#include "app/Forms.h"
#include "catalogue/ShopData.h"
#include "shopping/Analysis.h"
#include "shopping/PriceAnalysis.h"
#include "ui/WindowFont.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace {

constexpr int ProductCount = 1000;

// Every item on the list. With `alternatives`, each product type's items get dearer per unit
// along the list, so every item after the first of its type has alternatives; without, all
// items of a type cost the same per unit (in packs of different sizes), so none has.
void BuildList(bool alternatives) {
    ClearCatalogue();
    TShopCat *cat = Categories.Add(std::make_unique<TShopCat>("Category"));
    for (int p = 0; p < ProductCount; ++p)
        ProductTypes.Add(std::make_unique<TShopProd>("Product " + std::to_string(p), "g", cat));
    for (int s = 0; s < 20; ++s)
        Shops.Add(std::make_unique<TShopShop>("Shop " + std::to_string(s)));
    for (int i = 0; i < MaxRecords; ++i) {
        const int round = i / ProductCount;
        const float size = alternatives ? 500.0f : 100.0f * float(round + 1);
        const float price = alternatives ? 1.0f + 0.01f * float(round) : 0.5f * float(round + 1);
        auto item = std::make_unique<TShopItem>(ProductTypes[i % ProductCount], "Brand", size,
                                                price, Shops[i % 20]);
        item->Quantity = 1;
        Items.Add(std::move(item));
    }
}

double Milliseconds(const std::function<void()> &work) {
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double, std::milli>(
                                  std::chrono::steady_clock::now() - start)
                                  .count());
    }
    return best;
}

void Report(const char *what, double ms, double limit) {
    std::printf("%-44s %8.3f ms (limit %3.0f ms) %s\n", what, ms, limit,
                ms < limit ? "ok" : "TOO SLOW");
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    ui::SetUpApplication(app);

    // Without a window.
    BuildList(true);
    int found = -1;
    Report("core: open to first finding", Milliseconds([&] {
               std::vector<TShopItem *> alts;
               found = AlternativesIndex(Items).FindNext(0, alts);
           }),
           50);
    {
        const AlternativesIndex index(Items);
        std::vector<TShopItem *> alts;
        int pos = index.FindNext(0, alts);
        Report("core: ignore to next finding",
               Milliseconds([&] { pos = index.FindNext(pos + 1, alts); }), 20);
    }
    BuildList(false);
    Report("core: run with no alternatives", Milliseconds([&] {
               std::vector<TShopItem *> alts;
               found = AlternativesIndex(Items).FindNext(0, alts);
           }),
           100);
    if (found != Items.Count())
        std::printf("unexpected finding at %d\n", found);

    // Through the window: the handlers as the openers and the buttons call them.
    CreateForms();
    BuildList(true);
    Report("window: open to first finding", Milliseconds([&] {
               AnalForm->StartPending = true;
               AnalForm->show();
               AnalForm->hide();
           }),
           50);
    AnalForm->StartPending = true;
    AnalForm->show();
    Report("window: ignore to next finding", Milliseconds([&] { AnalForm->NoBtn->click(); }), 20);
    AnalForm->hide();
    BuildList(false);
    Report("window: open and run to complete, none found", Milliseconds([&] {
               AnalForm->StartPending = true;
               AnalForm->show();
               AnalForm->hide();
           }),
           100);
    if (AnalForm->Status->text() != QStringLiteral("Analysis complete"))
        std::printf("unexpected status: %s\n", qPrintable(AnalForm->Status->text()));
    DestroyForms();
    ClearCatalogue();
    return 0;
}
