// Times each report printed to PDF through the real printer on a catalogue at the file
// format's limit: a shopping list of 32767 items in 40 shops, a fridge list of 32767
// product types, a master item list of 32767 items. Each must finish in under 10 s.
// Each report runs in a process of its own, so the peak memory it reports is its own;
// a run at an eighth of the size shows whether memory grows with the pages printed.

#include "catalogue/ShopData.h"
#include "reports/PrintCommands.h"
#include "settings/Preferences.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int ShopCount = 40;
constexpr int CategoryCount = 30;

void BuildCatalogue(int records) {
    ClearCatalogue();
    for (int i = 0; i < CategoryCount; ++i)
        Categories.Add(std::make_unique<TShopCat>("Category " + std::to_string(i)));
    for (int i = 0; i < ShopCount; ++i) {
        auto shop = std::make_unique<TShopShop>("Shop " + std::to_string(i));
        for (int a = 0; a < CategoryCount; a += 2)
            shop->Aisle.Add(std::make_unique<TShopAisle>())->Category =
                Categories[(a + i) % CategoryCount];
        Shops.Add(std::move(shop));
    }
    for (int i = 0; i < records; ++i)
        ProductTypes.Add(std::make_unique<TShopProd>("Product " + std::to_string(records - i), "kg",
                                                     Categories[i % CategoryCount]));
    for (int i = 0; i < records; ++i) {
        auto *item = Items.Add(std::make_unique<TShopItem>(
            ProductTypes[(i * 7) % records], "Brand " + std::to_string(i % 97),
            0.5f + static_cast<float>(i % 5), 1.25f + static_cast<float>(i % 40) / 4,
            Shops[(i * 13) % ShopCount]));
        item->Quantity = static_cast<int16_t>(1 + i % 3);
    }
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Prints one report in this process and says how it went.
int Run(Report report, int records, const QString &pdf) {
    BuildCatalogue(records);
    const long before = PeakKilobytes();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    const auto start = std::chrono::steady_clock::now();
    const bool ok = reports::PrintOn(report, printer);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-14s %6d records: %6.2f s, %8.1f MB PDF, peak %4ld MB (+%ld MB while "
                "printing)%s\n",
                ReportTitle(report).c_str(), records, seconds,
                static_cast<double>(QFileInfo(pdf).size()) / 1e6, PeakKilobytes() / 1024,
                (PeakKilobytes() - before) / 1024,
                ok && seconds < 10 ? "" : "  TOO SLOW OR FAILED");
    std::fflush(stdout);
    return ok && seconds < 10 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QTemporaryDir dir;
    int failures = 0;
    for (const Report report : {Report::ShoppingList, Report::FridgeList, Report::ItemList}) {
        for (const int records : {MaxRecords / 8, MaxRecords}) {
            const pid_t child = fork();
            if (child == 0) {
                QApplication app(argc, argv);
                ResetPreferences();
                _exit(Run(report, records, dir.filePath(QStringLiteral("report.pdf"))));
            }
            int status = 0;
            waitpid(child, &status, 0);
            failures += !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
    }
    return failures == 0 ? 0 : 1;
}
