#pragma once
// The topics of Shopping.hlp that the program's windows open by number. The numbers are
// the help file's context numbers (`@topic <name> <number>`), so they never change.

#include <array>

enum class HelpContext : unsigned {
    GettingStarted = 2,
    PriceAnalysis = 3,
    CategoryEditor = 4,
    ShopCopy = 5,
    FloorPlanEditor = 6,
    ItemEditor = 7,
    Preferences = 8,
    ShopEditor = 10,
    ShoppingList = 11,
    PriceUpdate = 12,
};

// Every context above, so a test can check that the built help file has each topic.
inline constexpr std::array AllHelpContexts = {
    HelpContext::GettingStarted, HelpContext::PriceAnalysis,   HelpContext::CategoryEditor,
    HelpContext::ShopCopy,       HelpContext::FloorPlanEditor, HelpContext::ItemEditor,
    HelpContext::Preferences,    HelpContext::ShopEditor,      HelpContext::ShoppingList,
    HelpContext::PriceUpdate,
};
