#pragma once
// Copying a shop with its floor plan and items: what the shop copy dialog does to the
// catalogue once the user has chosen a shop and a new name.

#include <string>

class TShopShop;

// Appends a shop named `name` with copies of `source`'s aisles (same rectangles and
// categories, same order) and outline lines, and a copy of each of its items at the new
// shop with quantity 0. Returns the new shop, or none (nothing changed) when Shops or
// Items would grow past what the data file can count.
TShopShop *CopyShopWithItems(const TShopShop &source, std::string name);
