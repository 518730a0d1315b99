#pragma once
// The three printed reports: the shopping list (one section per shop in its walking
// order, with prices and totals), the fridge list (a checklist of every product type in
// columns) and the master item list (every item, optionally with lines that point out
// incomplete data). Each sorts its list of the catalogue in place before printing; the new
// order stays and is what the next save writes.

#include "reports/ReportCanvas.h"

#include <functional>
#include <string>

enum class Report { ShoppingList, FridgeList, ItemList };

struct ReportOptions {
    // The date in the shopping list's headings; empty: today in the short date format.
    std::string date;
    // Told how many records of how many are done, as the report goes.
    std::function<void(int done, int total)> progress;
};

// The name the job is listed under: "Shopping list", "Fridge list", "Item details".
std::string ReportTitle(Report report);
// True when the report would print nothing: no item on the shopping list, no product
// types, no items.
bool NothingToPrint(Report report);

// Each returns false only when the printer refused the job; with nothing to print it
// starts no job and returns true.
bool PrintShoppingList(ReportCanvas &canvas, const ReportOptions &options = {});
bool PrintFridgeList(ReportCanvas &canvas, const ReportOptions &options = {});
bool PrintItemList(ReportCanvas &canvas, const ReportOptions &options = {});
bool PrintReport(Report report, ReportCanvas &canvas, const ReportOptions &options = {});

// Today in the regional short date format.
std::string TodayText();
