// Times the item editor on a catalogue at the file format's limit (32767 categories,
// product types, shops and items): showing the window with its whole item list, a sort
// button refilling it, one keystroke in the category and shop boxes, Add and Update.
// Run on the offscreen platform; each figure is the best of a few runs, painting included,
// in processor time of this program (the machine may be busy with other work) and wall time.

#include "catalogue/ShopData.h"
#include "editors/ItemEdit.h"
#include "settings/Preferences.h"
#include "ui/SortedListBox.h"
#include "ui/WindowFont.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>

namespace {

void BuildFullCatalogue(int items) {
    ClearCatalogue();
    for (int i = 0; i < MaxRecords; ++i)
        Categories.Add(std::make_unique<TShopCat>("Category " + std::to_string(i)));
    for (int i = 0; i < MaxRecords; ++i)
        ProductTypes.Add(std::make_unique<TShopProd>("Product " + std::to_string(i), "kg",
                                                     Categories[(i * 7) % MaxRecords]));
    for (int i = 0; i < MaxRecords; ++i)
        Shops.Add(std::make_unique<TShopShop>("Shop " + std::to_string(i)));
    for (int i = 0; i < items; ++i)
        Items.Add(std::make_unique<TShopItem>(ProductTypes[(i * 13) % MaxRecords],
                                              "Brand " + std::to_string(i % 100), 500, 2.25f,
                                              Shops[(i * 31) % MaxRecords]));
}

struct Timing {
    double cpu = 1e9; // milliseconds of processor time
    double wall = 1e9;
};

double CpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The best of `runs` timings of `act` (with the painting it causes); `prepare` runs untimed
// before each.
Timing Best(int runs, const std::function<void()> &prepare, const std::function<void()> &act) {
    Timing best;
    for (int run = 0; run < runs; ++run) {
        prepare();
        QCoreApplication::processEvents();
        const double cpu = CpuMilliseconds();
        const auto start = std::chrono::steady_clock::now();
        act();
        QCoreApplication::processEvents();
        best.wall = std::min(best.wall, std::chrono::duration<double, std::milli>(
                                            std::chrono::steady_clock::now() - start)
                                            .count());
        best.cpu = std::min(best.cpu, CpuMilliseconds() - cpu);
    }
    return best;
}

bool Report(const char *what, Timing t, double limit) {
    std::printf("%-32s %7.1f ms processor, %7.1f ms wall (limit %g ms)%s\n", what, t.cpu, t.wall,
                limit, t.cpu < limit ? "" : "  TOO SLOW");
    return t.cpu < limit;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::SetUpApplication(app);
    // One item short of the limit, so Add has room.
    BuildFullCatalogue(MaxRecords - 1);
    TItemEditForm form;
    bool ok = true;

    ok &= Report("show with the whole item list",
                 Best(
                     5, [&] { form.hide(); }, [&] { form.show(); }),
                 200);
    int layout = 0;
    ok &= Report("sort button refills the list",
                 Best(
                     6, [] {},
                     [&] {
                         QRadioButton *radios[] = {form.SortBrandRadio, form.SortShopRadio,
                                                   form.SortProdRadio};
                         radios[layout++ % 3]->click();
                     }),
                 200);
    const auto keystroke = [&](QLineEdit *box) {
        return Best(
            10, [box] { box->setText(QStringLiteral("Category 1")); },
            [box] { QTest::keyClick(box, Qt::Key_7); });
    };
    ok &= Report("one keystroke in CatEdit", keystroke(form.CatEdit), 5);
    ok &= Report("one keystroke in ShopEdit", keystroke(form.ShopEdit), 5);

    // A whole entry: category, product type (chosen) and shop, brand, size and price.
    const auto enter = [&] {
        form.CatEdit->setText(QStringLiteral("Category 7"));
        form.ProdListBox->setCurrentRow(0);
        form.ProdListBoxClick();
        form.ShopEdit->setText(QStringLiteral("Shop 99"));
        form.BrandEdit->setText(QStringLiteral("Brand"));
        form.SizeEdit->setText(QStringLiteral("250"));
        form.PriceEdit->setText(QStringLiteral("3.10"));
    };
    ok &= Report("Add",
                 Best(
                     5,
                     [&] {
                         if (Items.Count() == MaxRecords) { // the last run's item goes again
                             TShopItem *added = Items[MaxRecords - 1];
                             form.ItemsListBox->RemoveRow(form.ItemsListBox->RowOf(added));
                             Items.Remove(added);
                         }
                         enter();
                     },
                     [&] { form.AddBtn->click(); }),
                 20);
    ok &= Report("Update",
                 Best(
                     5,
                     [&] {
                         form.ItemsListBox->setCurrentRow(1000);
                         form.ItemsListBoxClick();
                         form.PriceEdit->setText(QStringLiteral("4.20"));
                     },
                     [&] { form.UpdateBtn->click(); }),
                 20);

    const bool whole = Items.Count() == MaxRecords && form.ItemsListBox->count() == MaxRecords &&
                       form.ItemsListBox->At(1000)->Price == 4.2f;
    if (!whole)
        std::printf("the item list does not hold every item, or Update did not store\n");
    ClearCatalogue();
    return ok && whole ? 0 : 1;
}
