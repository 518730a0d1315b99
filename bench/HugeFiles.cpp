// Start-up with files far larger than anyone keeps, but that the program must still open:
// a settings file of millions of keys and a catalogue of shops with the most aisles a shop
// can have. Time and peak memory are measured from outside (`/usr/bin/time -v`), so the
// program is started as main() starts it and ends as soon as its main window has been
// painted, before anything is saved.
//
// Usage: bench_hugefiles ini FOLDER MEGABYTES   writes FOLDER/Shopping.ini of about that size
//        bench_hugefiles dat FOLDER MEGABYTES   writes FOLDER/Shopping.dat of about that size
//        bench_hugefiles start FOLDER           starts the program in FOLDER, prints "shown"
//                                               (milliseconds) and "peak" (megabytes), ends

#include "suite/Program.h"

#include "app/Forms.h"
#include "app/MainUnit.h"
#include "app/ProgramFiles.h"
#include "catalogue/DataFile.h"
#include "ui/Application.h"
#include "ui/WindowFont.h"

#include <QDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

const auto programStart = std::chrono::steady_clock::now();

// Sections of a thousand short keys each, then the program's own two sections at the very end,
// where finding them costs a reader the most.
bool WriteSettingsFile(const std::string &path, long long megabytes) {
    std::ofstream out(path, std::ios::binary);
    const long long size = megabytes << 20;
    long long written = 0;
    std::string block;
    for (int section = 0; written < size; ++section) {
        block = "[Section" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 1000; ++key)
            block += "Key" + std::to_string(key) + "=" + std::to_string(key % 10) + "\r\n";
        block += "\r\n";
        out << block;
        written += static_cast<long long>(block.size());
    }
    out << "[Font]\r\nName=Arial\r\nSize=10\r\nColour=0,0,0\r\nStyle=\r\n\r\n"
           "[Prefs]\r\nClearQtys=Y\r\nDeleteCat=Y\r\nDeleteShop=Y\r\nIDR_Sort=0\r\n"
           "IDR_Errors=Y\r\nFL_Sort=0\r\nFL_Cat=Y\r\nItem_Sort=0\r\nList_Only=Y\r\n"
           "SL_CatSort=Y\r\nFPlan_ShowCat=N\r\nFPlan_ShowOrder=N\r\nFPlan_CatList=N\r\n"
           "MainBitMap=Y\r\n";
    return bool(out.flush());
}

// A household's categories, product types and items, then as many shops as make the size,
// each with as many aisles as the file can count. Written a shop at a time, so the generator
// never holds the catalogue.
bool WriteDataFileOfSize(const std::string &path, long long megabytes) {
    constexpr int categories = 40;
    constexpr int products = 400;
    constexpr int items = 3000;
    const long long shopBytes = 2 + 8 + 2 + 18LL * MaxRecords + 2 + 4 * 16;
    const int shops = static_cast<int>(
        std::min<long long>(MaxRecords, std::max(1LL, (megabytes << 20) / shopBytes)));

    std::ofstream out(path, std::ios::binary);
    const auto flush = [&out](FileWriter &file) {
        out.write(file.Bytes().data(), static_cast<std::streamsize>(file.Bytes().size()));
    };
    FileWriter head;
    WriteShortString(head, FileSignature);
    head.WriteSingle(FileVersion);
    head.WriteInt16(categories);
    for (int c = 0; c < categories; ++c)
        WriteShortString(head, "Category " + std::to_string(c));
    head.WriteInt16(products);
    for (int p = 0; p < products; ++p) {
        WriteShortString(head, "Product " + std::to_string(p));
        WriteShortString(head, "kg");
        head.WriteInt16(static_cast<int16_t>(p % categories));
    }
    head.WriteInt16(items);
    for (int i = 0; i < items; ++i) {
        head.WriteInt16(static_cast<int16_t>(i % products));
        WriteShortString(head, "Brand " + std::to_string(i % 97));
        head.WriteSingle(1.0f);
        head.WriteSingle(static_cast<float>(i % 500) / 100.0f);
        head.WriteInt16(static_cast<int16_t>(i % shops));
        head.WriteInt16(static_cast<int16_t>(i % 7 == 0 ? 1 : 0));
    }
    head.WriteInt16(static_cast<int16_t>(shops));
    flush(head);
    for (int s = 0; s < shops; ++s) {
        FileWriter shop(static_cast<std::size_t>(shopBytes));
        WriteShortString(shop, "Shop " + std::to_string(s));
        shop.WriteInt16(MaxRecords);
        for (int a = 0; a < MaxRecords; ++a) {
            const int32_t x = 20 + (a % 200) * 40;
            const int32_t y = 20 + (a / 200) * 140;
            shop.WriteInt32(x);
            shop.WriteInt32(y);
            shop.WriteInt32(x + 20);
            shop.WriteInt32(y + 120);
            shop.WriteInt16(static_cast<int16_t>(a % categories));
        }
        shop.WriteInt16(4);
        const int32_t w = 20 + 200 * 40;
        const int32_t h = 20 + (MaxRecords / 200 + 1) * 140;
        const int32_t sides[4][4] = {{0, 0, w, 0}, {w, 0, w, h}, {w, h, 0, h}, {0, h, 0, 0}};
        for (const auto &side : sides)
            for (const int32_t value : side)
                shop.WriteInt32(value);
        flush(shop);
    }
    return bool(out.flush());
}

int StartUp(const QString &folder) {
    bench::QuietResponder responder;
    ui::SetResponder(&responder);
    SetProgramDir(folder);
    CreateForms();
    bench::ShowPainted(MainForm);
    const double shown =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - programStart)
            .count();
    std::printf("shown %.0f\npeak %.0f\n", shown, bench::PeakResidentMegabytes());
    for (const QString &message : responder.messages)
        std::printf("message %s\n", qPrintable(message));
    std::fflush(stdout);
    // Gone at once: releasing a catalogue of this size is no part of start-up, and closing
    // would save it.
    std::_Exit(responder.messages.isEmpty() ? 0 : 1);
}

} // namespace

int main(int argc, char **argv) {
    const std::string command = argc > 2 ? argv[1] : "";
    if ((command == "ini" || command == "dat") && argc == 4) {
        QDir().mkpath(QString::fromLocal8Bit(argv[2]));
        const std::string folder = std::string(argv[2]) + "/";
        const long long megabytes = std::atoll(argv[3]);
        const bool ok = command == "ini" ? WriteSettingsFile(folder + "Shopping.ini", megabytes)
                                         : WriteDataFileOfSize(folder + "Shopping.dat", megabytes);
        return ok ? 0 : 1;
    }
    if (command == "start" && argc == 3) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        ui::Application app(argc, argv);
        ui::SetUpApplication(app);
        ui::LoadRegionalSettings();
        return StartUp(QString::fromLocal8Bit(argv[2]));
    }
    std::fprintf(stderr, "usage: %s ini|dat FOLDER MEGABYTES | start FOLDER\n", argv[0]);
    return 2;
}
