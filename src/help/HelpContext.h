#pragma once
// The topics of Shopping.hlp that the program's windows open by number. The numbers are
// the help file's context numbers (`@topic <name> <number>`), so they never change.

#include <array>

// The contexts, written once: the enum and the list of all of them are both made from it,
// so a test going through the list goes through the enum itself.
#define TM_HELP_CONTEXTS(X)                                                                        \
    X(GettingStarted, 2)                                                                           \
    X(PriceAnalysis, 3)                                                                            \
    X(CategoryEditor, 4)                                                                           \
    X(ShopCopy, 5)                                                                                 \
    X(FloorPlanEditor, 6)                                                                          \
    X(ItemEditor, 7)                                                                               \
    X(Preferences, 8)                                                                              \
    X(ShopEditor, 10)                                                                              \
    X(ShoppingList, 11)                                                                            \
    X(PriceUpdate, 12)

enum class HelpContext : unsigned {
#define TM_HELP_CONTEXT_VALUE(name, number) name = number,
    TM_HELP_CONTEXTS(TM_HELP_CONTEXT_VALUE)
#undef TM_HELP_CONTEXT_VALUE
};

// Every value of HelpContext, in the order above.
inline constexpr std::array AllHelpContexts = {
#define TM_HELP_CONTEXT_ITEM(name, number) HelpContext::name,
    TM_HELP_CONTEXTS(TM_HELP_CONTEXT_ITEM)
#undef TM_HELP_CONTEXT_ITEM
};
