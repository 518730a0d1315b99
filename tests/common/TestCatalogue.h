#pragma once
// Helpers for tests: a program folder of their own, and small catalogues.

#include "catalogue/ShopData.h"

#include <QByteArray>
#include <QString>

// Reads a whole file (empty when it is missing).
QByteArray ReadAll(const QString &path);
void WriteAll(const QString &path, const QByteArray &bytes);

// The worked example: Dairy; Milk (l, Dairy); Acme 2 @ 1.5 x3 at Corner, whose plan has
// one Dairy aisle (10, 20, 110, 60). Fills the (cleared) global lists.
void BuildExampleCatalogue();
// Its 87 bytes as the file holds them.
QByteArray ExampleCatalogueBytes();
