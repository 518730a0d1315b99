#pragma once
// Purging product types that no item uses.

// Removes every product type that no item names (a category or units alone are no use),
// keeping the others in their order. Returns how many were removed.
int DeleteUnusedProducts();
