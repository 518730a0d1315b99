#include "catalogue/UnusedProducts.h"

#include "catalogue/ShopData.h"

int DeleteUnusedProducts() {
    if (ProductTypes.Empty())
        return 0;
    for (const auto &product : ProductTypes)
        product->Used = false;
    for (const auto &item : Items)
        if (item->Product)
            item->Product->Used = true;
    // Nothing but items refers to a product type, so the unused ones can simply go.
    return ProductTypes.RemoveIf([](const TShopProd *product) { return !product->Used; });
}
