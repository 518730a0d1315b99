#include "TestCatalogue.h"

#include <QFile>

#include <memory>

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

void BuildExampleCatalogue()
{
    ClearCatalogue();
    TShopCat *dairy = Categories.Add(std::make_unique<TShopCat>("Dairy"));
    TShopProd *milk = ProductTypes.Add(std::make_unique<TShopProd>("Milk", "l", dairy));
    TShopShop *corner = Shops.Add(std::make_unique<TShopShop>("Corner"));
    auto aisle = std::make_unique<TShopAisle>();
    aisle->Rect = {10, 20, 110, 60};
    aisle->Category = dairy;
    corner->Aisle.Add(std::move(aisle));
    TShopItem *item = Items.Add(std::make_unique<TShopItem>(milk, "Acme", 2.0f, 1.5f, corner));
    item->Quantity = 3;
}

QByteArray ExampleCatalogueBytes()
{
    return QByteArray::fromHex("0B54726F6C6C65796D696E64"
                               "CDCC8C3F"
                               "0100"
                               "054461697279"
                               "0100"
                               "044D696C6B"
                               "016C"
                               "0000"
                               "0100"
                               "0000"
                               "0441636D65"
                               "00000040"
                               "0000C03F"
                               "0000"
                               "0300"
                               "0100"
                               "06436F726E6572"
                               "0100"
                               "0A000000140000006E0000003C000000"
                               "0000"
                               "0000");
}
