#pragma once
// Helpers for tests: files, small catalogues, and a user who answers the data file's questions.

#include "catalogue/DataFile.h"
#include "catalogue/ShopData.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTest>

#include <deque>
#include <functional>
#include <utility>
#include <vector>

Q_DECLARE_METATYPE(TRect)

namespace QTest {
// A failed comparison of two rectangles shows their edges.
template <> char *toString(const TRect &r);
} // namespace QTest

// Reads a whole file (empty when it is missing).
QByteArray ReadAll(const QString &path);
void WriteAll(const QString &path, const QByteArray &bytes);

// Puts a file that is no regular file at `path`: "fifo" a named pipe, "zero" a link to
// /dev/zero. False when it could not be made.
bool MakeSpecialFile(const QString &path, const QString &kind);

// Runs `write` while no file may grow beyond `bytes`, whoever writes it (root too): a disk
// that refuses part of a file. Returns what `write` returned.
bool WithFileSizeLimit(long bytes, const std::function<bool()> &write);

// Runs `write` with an ordinary user's file permissions, also when the tests run as root
// (whose permissions would never refuse anything): the files and folders it touches must
// then grant "others" what the write needs. Returns what `write` returned.
bool AsOrdinaryUser(const std::function<bool()> &write);

inline TRect R(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return TRect{left, top, right, bottom};
}

// Appends an aisle to a plan.
TShopAisle *AddAisle(TRecordList<TShopAisle> &plan, TRect rect, TShopCat *category = nullptr);

// The texts of a list's records in list order: names, or another text field.
template <class T> QStringList Names(const TRecordList<T> &list, std::string T::*field = &T::Name) {
    QStringList out;
    for (const auto &record : list)
        out << QString::fromStdString((*record).*field);
    return out;
}

// The worked example: Dairy; Milk (l, Dairy); Acme 2 @ 1.5 x3 at Corner, whose plan has
// one Dairy aisle (10, 20, 110, 60). Fills the (cleared) global lists.
void BuildExampleCatalogue();
// A week's shopping: three shops with aisles (Corner Store, Farm Shop, MegaMart, added out
// of name order), 28 items, 24 of them on the list, one unpriced at Farm Shop. The shop
// totals are 12.35, 17.40 and 63.07, the grand total 92.82.
void BuildShoppingTrip();
// Its 87 bytes as the file holds them.
QByteArray ExampleCatalogueBytes();

// Answers the data file's questions from a queue (No once it is empty) and records every box.
class RecordingUser : public DataFileUser {
public:
    std::deque<bool> answers;
    QStringList questions;
    QStringList errors;

    // Every report of a load's progress: bytes read, of the file's size.
    std::vector<std::pair<std::uint64_t, std::uint64_t>> progress;

    bool AskYesNo(const std::string &text) override;
    void ShowError(const std::string &text) override;
    void Progress(std::uint64_t done, std::uint64_t total) override {
        progress.emplace_back(done, total);
    }
};
