// Times saving and loading a catalogue at the file format's limit: 32767 records in every
// list, each item referring to a product type and a shop, each shop with a few aisles.
// Both must stay well under a second.

#include "catalogue/DataFile.h"

#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

class SilentUser : public DataFileUser {
public:
    int boxes = 0;
    bool AskYesNo(const std::string &text) override {
        ++boxes;
        std::printf("unexpected question: %s\n", text.c_str());
        return false;
    }
    void ShowError(const std::string &text) override {
        ++boxes;
        std::printf("unexpected error: %s\n", text.c_str());
    }
};

void BuildFullCatalogue() {
    ClearCatalogue();
    for (int i = 0; i < MaxRecords; ++i)
        Categories.Add(std::make_unique<TShopCat>("Category " + std::to_string(i)));
    for (int i = 0; i < MaxRecords; ++i)
        ProductTypes.Add(std::make_unique<TShopProd>("Product " + std::to_string(i), "kg",
                                                     Categories[(i * 7) % MaxRecords]));
    for (int i = 0; i < MaxRecords; ++i) {
        auto shop = std::make_unique<TShopShop>("Shop " + std::to_string(i));
        for (int a = 0; a < 3; ++a) {
            auto aisle = std::make_unique<TShopAisle>();
            aisle->Rect = {a * 10, 0, a * 10 + 8, 40};
            aisle->Category = Categories[(i + a) % MaxRecords];
            shop->Aisle.Add(std::move(aisle));
        }
        shop->Outline.Add(std::make_unique<TShopLine>(0, 0, 100, 0));
        Shops.Add(std::move(shop));
    }
    for (int i = 0; i < MaxRecords; ++i)
        Items.Add(std::make_unique<TShopItem>(ProductTypes[MaxRecords - 1 - i], "Brand", 1.5f,
                                              2.25f, Shops[(i * 13) % MaxRecords]));
}

double Milliseconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
        .count();
}

} // namespace

int main() {
    QTemporaryDir dir;
    const std::string path = dir.filePath("Shopping.dat").toStdString();
    SilentUser user;
    BuildFullCatalogue();

    constexpr int Runs = 5;
    double bestSave = 1e9;
    double bestLoad = 1e9;
    for (int run = 0; run < Runs; ++run) {
        BuildFullCatalogue();
        auto start = std::chrono::steady_clock::now();
        if (!WriteDataFile(path, user))
            return 1;
        bestSave = std::min(bestSave, Milliseconds(start));

        ClearCatalogue();
        start = std::chrono::steady_clock::now();
        if (LoadDataFile(path, user) != LoadOutcome::GoOn)
            return 1;
        bestLoad = std::min(bestLoad, Milliseconds(start));
    }
    const bool whole = Categories.Count() == MaxRecords && ProductTypes.Count() == MaxRecords &&
                       Items.Count() == MaxRecords && Shops.Count() == MaxRecords &&
                       Items[0]->Product == ProductTypes[MaxRecords - 1] &&
                       Items[1]->Shop == Shops[13];
    std::printf("catalogue at the limit (%d records per list): save %.1f ms, load %.1f ms "
                "(best of %d)%s\n",
                MaxRecords, bestSave, bestLoad, Runs, whole ? "" : ", NOT READ BACK WHOLE");
    ClearCatalogue();
    return whole && user.boxes == 0 ? 0 : 1;
}
