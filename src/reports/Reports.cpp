#include "reports/Reports.h"

#include "catalogue/NumberFormat.h"
#include "catalogue/ShopData.h"
#include "reports/ReportEngine.h"
#include "settings/Preferences.h"

#include <QDate>
#include <QString>

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {

const std::string Star = "*";

std::string Money(float value) {
    return FormatFixed(value, 2);
}

// The size and its unit, "500g"; without a product type the unit is "*".
std::string SizeText(const TShopItem &item) {
    return FormatGeneral(item.Size) + (item.Product ? item.Product->Units : Star);
}

std::string ProductName(const TShopItem &item) {
    return item.Product ? item.Product->Name : Star;
}

const TShopCat *CategoryOf(const TShopItem &item) {
    return item.Product ? item.Product->Category : nullptr;
}

// A row with a text in the item column and, optionally, an amount in the last one.
RowTexts Summary(std::string text, std::string amount = {}) {
    RowTexts row;
    row[2] = std::move(text);
    row[5] = std::move(amount);
    return row;
}

void Tell(const ReportOptions &options, int done, int total) {
    if (options.progress)
        options.progress(done, total);
}

// Where each record of a list stands. Two records whose names compare equal ("Corner" and
// "CORNER", which only a file can hold) are told apart by their places in their list, so
// that neither's records are scattered among the other's and each keeps its own order.
template <class T> class ListPositions {
public:
    explicit ListPositions(const TRecordList<T> &list) {
        for (int i = 0; i < list.Count(); ++i)
            positions_.emplace(list[i], i);
    }
    // The order of two different records whose names compare equal.
    int operator()(const T *a, const T *b) const { return Of(a) - Of(b); }

private:
    int Of(const T *record) const {
        const auto it = positions_.find(record);
        return it == positions_.end() ? -1 : it->second;
    }
    std::unordered_map<const T *, int> positions_;
};

// The shopping list's order: by shop name, and within a shop by the walking order of its
// aisles. Items without a shop come first, together, as one section of their own (the
// shop order would call them equal to every item and scatter them).
void SortForShoppingList() {
    const ListPositions shops(Shops);
    Items.Sort([&](const TShopItem *a, const TShopItem *b) {
        if (!a->Shop || !b->Shop)
            return (a->Shop ? 1 : 0) - (b->Shop ? 1 : 0);
        const int c = CompareItemsByShopAisle(a, b);
        if (c == 0 && a->Shop != b->Shop)
            return shops(a->Shop, b->Shop);
        return c;
    });
}

// The fridge list's and master item list's orders call a record with a missing reference
// equal to every other, and a sort cannot place such a record without spoiling the order
// of the rest (one product type without a category could leave the whole list unsorted).
// So these records go after the others: every pair the order tells apart keeps its order.

void SortFridgeByCategory() {
    const ListPositions categories(Categories);
    ProductTypes.Sort([&](const TShopProd *a, const TShopProd *b) {
        if (!a->Category != !b->Category)
            return a->Category ? -1 : 1;
        const int c = CompareProductsByCategory(a, b);
        if (c == 0 && a->Category != b->Category)
            return categories(a->Category, b->Category);
        return c;
    });
}

// 0 with a category, 1 with a product type but no category, 2 without a product type.
int Completeness(const TShopItem *item) {
    return !item->Product ? 2 : !item->Product->Category ? 1 : 0;
}

// Two items that their order calls equal, of different categories whose names compare equal,
// in the order of those categories.
int CategoryTie(const ListPositions<TShopCat> &categories, const TShopItem *a, const TShopItem *b) {
    if (Completeness(a) != 0 || Completeness(b) != 0 ||
        a->Product->Category == b->Product->Category)
        return 0;
    return categories(a->Product->Category, b->Product->Category);
}

// Items without a shop last; within a shop, items without a category after the others.
void SortItemsByShopCategory() {
    const ListPositions shops(Shops);
    const ListPositions categories(Categories);
    Items.Sort([&](const TShopItem *a, const TShopItem *b) {
        if (!a->Shop != !b->Shop)
            return a->Shop ? -1 : 1;
        const int c = CompareItemsByShopCategory(a, b);
        if (c != 0)
            return c;
        if (a->Shop != b->Shop)
            return shops(a->Shop, b->Shop);
        const int complete = (Completeness(a) > 0) - (Completeness(b) > 0);
        return complete != 0 ? complete : CategoryTie(categories, a, b);
    });
}

void SortItemsByCategory() {
    const ListPositions categories(Categories);
    Items.Sort([&](const TShopItem *a, const TShopItem *b) {
        const int c = Completeness(a) - Completeness(b);
        if (c != 0)
            return c;
        const int byName = CompareItemsByCategory(a, b);
        return byName != 0 ? byName : CategoryTie(categories, a, b);
    });
}

int ItemsByProduct(const TShopItem *a, const TShopItem *b) {
    if (!a->Product != !b->Product)
        return a->Product ? -1 : 1;
    return CompareItemsByProduct(a, b);
}

} // namespace

std::string ReportTitle(Report report) {
    switch (report) {
    case Report::ShoppingList:
        return "Shopping list";
    case Report::FridgeList:
        return "Fridge list";
    case Report::ItemList:
        return "Item details";
    }
    return {};
}

bool NothingToPrint(Report report) {
    switch (report) {
    case Report::ShoppingList:
        for (const auto &item : Items)
            if (item->Quantity > 0)
                return false;
        return true;
    case Report::FridgeList:
        return ProductTypes.Empty();
    case Report::ItemList:
        return Items.Empty();
    }
    return true;
}

std::string TodayText() {
    const QString format = QString::fromLatin1(CurrentRegional().ShortDateFormat);
    return QDate::currentDate().toString(format).toLatin1().toStdString();
}

bool PrintShoppingList(ReportCanvas &canvas, const ReportOptions &options) {
    if (NothingToPrint(Report::ShoppingList))
        return true;
    ReportEngine e(canvas);
    if (!e.Start(ReportTitle(Report::ShoppingList), 1.2, 6))
        return false;
    const int pageWidth = canvas.PageWidth();
    ColumnLayout cols;
    cols.alignFive = cols.alignSix = true;
    cols.x[0] = e.LeftMargin + e.Width("WW");
    cols.x[1] = cols.x[0] + e.Width("wrwrwrwrwrwrwrwrwrwr");
    cols.x[2] = cols.x[1] + e.Width("0000");
    cols.x[5] = pageWidth - e.RightMargin - e.Width(".00");
    cols.x[4] = cols.x[5] - e.Width(".00W0000");
    cols.x[3] = cols.x[4] - e.Width("000wrwr0000");
    SortForShoppingList();
    const std::string date = options.date.empty() ? TodayText() : options.date;

    const TShopShop *shop = nullptr;
    const TShopCat *lastCategory = nullptr;
    float shopTotal = 0;
    float grandTotal = 0;
    bool noPrice = false;
    bool firstSection = true;
    const auto shopName = [&] { return shop ? shop->Name : Star; };

    const auto heading = [&] {
        {
            AddedStyle bold(canvas, ReportFont::Bold);
            const std::string title = "Shopping list for " + shopName();
            const std::string right = date + "     Page " + std::to_string(e.PageNo);
            const int rightX = pageWidth - e.RightMargin - canvas.TextWidth(right);
            canvas.TextOut(e.LeftMargin, e.LineTop(), title);
            // A long shop name in a large font: the date and page go on the free line below
            // rather than over the name.
            const bool besideTitle =
                e.LeftMargin + canvas.TextWidth(title) + e.ColumnGap() <= rightX;
            canvas.TextOut(rightX, e.LineTop() + (besideTitle ? 0 : e.LineHeight), right);
        }
        e.LineNo += 2;
        e.PrintRow(cols, {"Aisle", "Qty", "Item", "Size", "Price", "Total"});
        e.LineNo += 1;
        e.PrintRule();
    };
    // Closing lines that would run off the paper go on a page of their own; the space kept
    // free at the bottom holds them otherwise.
    const auto keepOnPage = [&](int lines) {
        if (!e.Room(lines)) {
            e.NewPage();
            heading();
        }
    };
    const auto closeSection = [&] {
        keepOnPage(noPrice ? 5 : 3);
        e.LineNo += 1;
        e.PrintRule();
        e.PrintRow(cols, Summary("Total for " + shopName(), Money(shopTotal)));
        if (noPrice) {
            e.LineNo += 1;
            e.PrintRow(cols, Summary("(This total is not accurate."));
            e.LineNo += 1;
            e.PrintRow(cols, Summary("Some items at this shop had no prices.)"));
        }
    };

    e.LineNo = 1;
    const int count = Items.Count();
    for (int i = 0; i < count; ++i) {
        const TShopItem &item = *Items[i];
        Tell(options, i + 1, count);
        if (item.Quantity <= 0)
            continue;
        if (firstSection || item.Shop != shop) {
            if (!firstSection) {
                closeSection();
                e.NewPage();
            }
            shop = item.Shop;
            lastCategory = nullptr;
            e.PageNo = 1;
            heading();
            shopTotal = 0;
            noPrice = false;
            firstSection = false;
        }
        if (!e.LineFits()) {
            e.NewPage();
            heading();
        }
        std::string categoryText;
        if (CategoryOf(item) != lastCategory) {
            lastCategory = CategoryOf(item);
            if (lastCategory)
                categoryText = lastCategory->Name;
        }
        const float amount = static_cast<float>(item.Quantity) * item.KnownPrice();
        e.PrintRow(cols, {categoryText, std::to_string(item.Quantity),
                          ProductName(item) + " " + item.Brand, SizeText(item), Money(item.Price),
                          Money(amount)});
        shopTotal += amount;
        grandTotal += amount;
        if (item.KnownPrice() == 0)
            noPrice = true;
        e.LineNo += 1;
    }
    closeSection();
    keepOnPage(4);
    e.LineNo += 2;
    e.PrintRule();
    {
        AddedStyle bold(canvas, ReportFont::Bold);
        e.PrintRow(cols, Summary("Grand total", FormatCurrency(grandTotal)));
    }
    e.End();
    return true;
}

bool PrintFridgeList(ReportCanvas &canvas, const ReportOptions &options) {
    if (NothingToPrint(Report::FridgeList))
        return true;
    ReportEngine e(canvas);
    if (!e.Start(ReportTitle(Report::FridgeList), 1.5, 6))
        return false;
    const int box = RoundEven(canvas.TextHeight("W") * 0.8);
    const int textOffset = RoundEven(box * 1.5);
    const int columns = FL_Cat ? 2 : 3;
    const int across = canvas.PageWidth() - e.LeftMargin - e.RightMargin;
    if (FL_Sort == 0)
        SortFridgeByCategory();
    else
        ProductTypes.Sort(CompareProductsByName);
    const int count = ProductTypes.Count();

    // The lines of a column: as many as lie above the space kept free, at least one.
    int perColumn = 0;
    for (e.LineNo = 1; e.LineFits(); ++e.LineNo)
        ++perColumn;
    perColumn = std::max(perColumn, 1);
    // The columns of the page that starts with entry `first`: as many as the layout gives,
    // fewer (and so wider) where an entry would run into the box of the next one on its line.
    const auto columnsFrom = [&](int first) {
        const int gap = e.ColumnGap();
        std::vector<int> widths;
        for (int i = first; i < std::min(count, first + columns * perColumn); ++i) {
            const TShopProd &product = *ProductTypes[i];
            int width = textOffset + canvas.TextWidth(product.Name) + gap;
            if (product.Category && FL_Cat) {
                AddedStyle italic(canvas, ReportFont::Italic);
                width += canvas.TextWidth(" (" + product.Category->Name + ")");
            }
            widths.push_back(width);
        }
        for (int n = columns; n > 1; --n) {
            const int onPage = std::min(static_cast<int>(widths.size()), n * perColumn);
            bool fits = true;
            for (int k = 0; k + perColumn < onPage; ++k)
                fits = fits && widths[static_cast<std::size_t>(k)] <= across / n;
            if (fits)
                return n;
        }
        return 1;
    };

    e.LineNo = 1;
    e.PageNo = 1;
    int column = 0;
    int pageColumns = columnsFrom(0);
    for (int i = 0; i < count; ++i) {
        const TShopProd &product = *ProductTypes[i];
        Tell(options, i + 1, count);
        if (!e.LineFits()) {
            if (column + 1 == pageColumns) {
                e.NewPage();
                column = 0;
                pageColumns = columnsFrom(i);
            } else {
                ++column; // the list goes on at the top of the next column
                e.LineNo = 1;
            }
        }
        const int x = column * (across / pageColumns) + e.LeftMargin;
        const int y = e.LineTop();
        canvas.Rectangle(x, y, x + box, y + box);
        canvas.TextOut(x + textOffset, y, product.Name);
        if (product.Category && FL_Cat) {
            AddedStyle italic(canvas, ReportFont::Italic);
            canvas.TextOut(x + textOffset + canvas.TextWidth(product.Name), y,
                           " (" + product.Category->Name + ")");
        }
        e.LineNo += 1;
    }
    e.End();
    return true;
}

bool PrintItemList(ReportCanvas &canvas, const ReportOptions &options) {
    if (NothingToPrint(Report::ItemList))
        return true;
    ReportEngine e(canvas);
    if (!e.Start(ReportTitle(Report::ItemList), 1.2, 4))
        return false;
    const std::string nineW(9, 'W');
    ColumnLayout cols;
    cols.alignFive = true;
    cols.x[0] = e.LeftMargin;
    cols.x[1] = e.LeftMargin + e.Width(std::string(13, 'W'));
    cols.x[5] = canvas.PageWidth() - e.RightMargin - e.Width(nineW);
    cols.x[4] = cols.x[5] - e.Width(".00WW");
    cols.x[3] = cols.x[4] - e.Width("WWW0000");
    cols.x[2] = cols.x[3] - e.Width(nineW);
    switch (IDR_Sort) {
    case 0:
        SortItemsByShopCategory();
        break;
    case 1:
        SortItemsByCategory();
        break;
    case 2:
        Items.Sort(ItemsByProduct);
        break;
    default:
        break; // the present order
    }

    const auto heading = [&] {
        e.PrintRow(cols, {"Product", "Brand", "Category", "Size", "Price", "Shop"});
        e.LineNo += 1;
        e.PrintRule();
    };
    e.LineNo = 1;
    heading();
    const int count = Items.Count();
    for (int i = 0; i < count; ++i) {
        const TShopItem &item = *Items[i];
        Tell(options, i + 1, count);
        if (!e.LineFits()) {
            e.NewPage();
            heading();
        }
        const TShopCat *category = CategoryOf(item);
        e.PrintRow(cols, {ProductName(item), item.Brand, category ? category->Name : Star,
                          SizeText(item), Money(item.Price), item.Shop ? item.Shop->Name : Star});
        e.LineNo += 1;
        if (!IDR_Errors)
            continue;
        AddedStyle bold(canvas, ReportFont::Bold);
        bool printed = false;
        const auto errorLine = [&](const char *text) {
            canvas.TextOut(e.LeftMargin, e.LineTop(), text);
            e.LineNo += 1;
            printed = true;
        };
        if (!item.Product)
            errorLine("This item does not have a product type.");
        else if (!category)
            errorLine("This item does not have a category.");
        if (!item.Shop)
            errorLine("This item does not have a shop.");
        if (category && item.Shop) {
            bool hasAisle = false;
            for (const auto &aisle : item.Shop->Aisle)
                hasAisle = hasAisle || aisle->Category == category;
            if (!hasAisle)
                errorLine("This shop does not have an aisle for this category.");
        }
        if (printed)
            e.LineNo += 1;
    }
    e.End();
    return true;
}

bool PrintReport(Report report, ReportCanvas &canvas, const ReportOptions &options) {
    switch (report) {
    case Report::ShoppingList:
        return PrintShoppingList(canvas, options);
    case Report::FridgeList:
        return PrintFridgeList(canvas, options);
    case Report::ItemList:
        return PrintItemList(canvas, options);
    }
    return true;
}
