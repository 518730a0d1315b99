// Shopping.ini: reading every kind of value, writing every key in its order, keeping the
// rest of the file, and refusing to damage it when it cannot be written.

#include "TestCatalogue.h"
#include "settings/IniFile.h"
#include "settings/Preferences.h"
#include "settings/Settings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <limits>
#include <malloc.h>
#include <map>
#include <utility>

Q_DECLARE_METATYPE(ReportFont)

namespace {

// The value of a preference by its key, booleans as 0 and 1.
int Pref(const QString &key) {
    const std::map<QString, int> values = {{"ClearQtys", ClearQtys},
                                           {"DeleteCat", DeleteCat},
                                           {"DeleteShop", DeleteShop},
                                           {"IDR_Errors", IDR_Errors},
                                           {"FL_Cat", FL_Cat},
                                           {"List_Only", List_Only},
                                           {"SL_CatSort", SL_CatSort},
                                           {"FPlan_ShowCat", FPlan_ShowCat},
                                           {"FPlan_ShowOrder", FPlan_ShowOrder},
                                           {"FPlan_CatList", FPlan_CatList},
                                           {"MainBitMap", MainBitMap},
                                           {"IDR_Sort", IDR_Sort},
                                           {"FL_Sort", FL_Sort},
                                           {"Item_Sort", Item_Sort}};
    return values.at(key);
}

// Every preference away from its default, so that reading must set each one.
void SetNonDefaults() {
    TheReportFont = {"Courier", 7, 0x123456, ReportFont::Italic};
    ClearQtys = DeleteCat = DeleteShop = IDR_Errors = FL_Cat = false;
    List_Only = SL_CatSort = MainBitMap = false;
    FPlan_ShowCat = FPlan_ShowOrder = FPlan_CatList = true;
    IDR_Sort = FL_Sort = Item_Sort = 9;
}

QByteArray Lines(std::initializer_list<const char *> lines, const char *eol = "\r\n") {
    QByteArray text;
    for (const char *line : lines)
        text += QByteArray(line) + eol;
    return text;
}

const std::initializer_list<const char *> kDefaultPrefs = {
    "[Prefs]",      "ClearQtys=Y",     "DeleteCat=Y",       "DeleteShop=Y",    "IDR_Sort=0",
    "IDR_Errors=Y", "FL_Sort=0",       "FL_Cat=Y",          "Item_Sort=0",     "List_Only=Y",
    "SL_CatSort=Y", "FPlan_ShowCat=N", "FPlan_ShowOrder=N", "FPlan_CatList=N", "MainBitMap=Y"};

// A settings file grown far beyond use: sections of a thousand short keys each, `before`
// ahead of them and `after` at the end, about ten bytes a line.
std::string LargeFile(const QByteArray &before, const QByteArray &after) {
    std::string text = before.toStdString();
    for (int section = 0; section < 250; ++section) {
        text += "[Section" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 1000; ++key)
            text += "Key" + std::to_string(key) + "=" + std::to_string(key % 10) + "\r\n";
    }
    return text + after.toStdString();
}

// The shortest of several runs of `work` and of `baseline`, taken in turn so that both meet
// the same load from other work, in nanoseconds.
std::pair<qint64, qint64> Fastest(const std::function<void()> &work,
                                  const std::function<void()> &baseline) {
    qint64 best[2] = {std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::max()};
    for (int run = 0; run < 7; ++run) {
        for (int i = 0; i < 2; ++i) {
            QElapsedTimer timer;
            timer.start();
            (i == 0 ? work : baseline)();
            best[i] = std::min(best[i], timer.nsecsElapsed());
        }
    }
    return {best[0], best[1]};
}

std::size_t HeapInUse() {
    const struct mallinfo2 heap = mallinfo2();
    return heap.uordblks + heap.hblkhd;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private:
    QTemporaryDir *dir = nullptr;
    QString ini() const { return dir->filePath(QStringLiteral("Shopping.ini")); }

private Q_SLOTS:
    void init() {
        dir = new QTemporaryDir();
        QVERIFY(dir->isValid());
        ResetPreferences();
    }
    void cleanup() {
        delete dir;
        dir = nullptr;
    }

    void noFileGivesDefaultsAndWritesEveryKey() {
        SetNonDefaults();
        ReadSettings(ini());
        QCOMPARE(TheReportFont, (ReportFont{"Arial", 10, 0, 0}));
        for (const char *key : {"ClearQtys", "DeleteCat", "DeleteShop", "IDR_Errors", "FL_Cat",
                                "List_Only", "SL_CatSort", "MainBitMap"})
            QVERIFY2(Pref(key) == 1, key);
        for (const char *key : {"FPlan_ShowCat", "FPlan_ShowOrder", "FPlan_CatList", "IDR_Sort",
                                "FL_Sort", "Item_Sort"})
            QVERIFY2(Pref(key) == 0, key);

        QVERIFY(WriteSettings(ini()));
        QCOMPARE(ReadAll(ini()),
                 Lines({"[Font]", "Name=Arial", "Size=10", "Colour=0,0,0", "Style="}) +
                     Lines(kDefaultPrefs));
    }

    void writesFontAsRead_data() {
        QTest::addColumn<ReportFont>("font");
        QTest::addColumn<QByteArray>("fontLines");
        QTest::newRow("bold 12 pt dark red")
            << ReportFont{"Arial", 12, 128, ReportFont::Bold}
            << Lines({"[Font]", "Name=Arial", "Size=12", "Colour=128,0,0", "Style=Bold"});
        QTest::newRow("bold and strikeout")
            << ReportFont{"Times New Roman", 9, 0x0080FF, ReportFont::Bold | ReportFont::Strikeout}
            << Lines({"[Font]", "Name=Times New Roman", "Size=9", "Colour=255,128,0",
                      "Style=Bold,Strikeout"});
        QTest::newRow("every style, white")
            << ReportFont{"Arial", 10, 0xFFFFFF, 15}
            << Lines({"[Font]", "Name=Arial", "Size=10", "Colour=255,255,255",
                      "Style=Bold,Italic,Underline,Strikeout"});
        QTest::newRow("blue and underline")
            << ReportFont{"Arial", 10, 0x010203, ReportFont::Underline}
            << Lines({"[Font]", "Name=Arial", "Size=10", "Colour=3,2,1", "Style=Underline"});
    }
    void writesFontAsRead() {
        QFETCH(ReportFont, font);
        QFETCH(QByteArray, fontLines);
        TheReportFont = font;
        QVERIFY(WriteSettings(ini()));
        QCOMPARE(ReadAll(ini()), fontLines + Lines(kDefaultPrefs));
        TheReportFont = {};
        ReadSettings(ini());
        QCOMPARE(TheReportFont, font);
    }

    void readsFont_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<ReportFont>("font");
        const auto colour = [](uint32_t c) { return ReportFont{"Arial", 10, c, 0}; };
        const auto style = [](uint8_t s) { return ReportFont{"Arial", 10, 0, s}; };
        const auto size = [](int points) { return ReportFont{"Arial", points, 0, 0}; };
        QTest::newRow("colour of two parts") << Lines({"[Font]", "Colour=255,128"}) << colour(0);
        QTest::newRow("colour of four parts")
            << Lines({"[Font]", "Colour=255,128,0,7"}) << colour(255 + 128 * 256);
        QTest::newRow("colour part above 255") << Lines({"[Font]", "Colour=256,0,0"}) << colour(0);
        QTest::newRow("colour part below 0") << Lines({"[Font]", "Colour=0,-1,0"}) << colour(0);
        QTest::newRow("colour blanks after commas")
            << Lines({"[Font]", "Colour=10, 20, 30"}) << colour(10 + 20 * 256 + 30 * 65536);
        QTest::newRow("colour blank before comma")
            << Lines({"[Font]", "Colour=10 ,20,30"}) << colour(0);
        QTest::newRow("colour with signs")
            << Lines({"[Font]", "Colour=+10,-0,1"}) << colour(10 + 65536);
        QTest::newRow("colour empty part") << Lines({"[Font]", "Colour=10,,30"}) << colour(0);
        QTest::newRow("colour empty") << Lines({"[Font]", "Colour="}) << colour(0);
        QTest::newRow("colour in hexadecimal") << Lines({"[Font]", "Colour=0x10,1,1"}) << colour(0);
        // Only the first 60 characters count: cut there, the third part is zeros only.
        const QByteArray colour60 = "Colour=1,2," + QByteArray(55, '0') + "3";
        QTest::newRow("colour of 60 characters")
            << Lines({"[Font]", colour60.constData()}) << colour(1 + 2 * 256 + 3 * 65536);
        const QByteArray colour61 = "Colour=1,2," + QByteArray(56, '0') + "3";
        QTest::newRow("colour cut at 60")
            << Lines({"[Font]", colour61.constData()}) << colour(1 + 2 * 256);
        QTest::newRow("style in any case") << Lines({"[Font]", "Style=bold,ITALIC"})
                                           << style(ReportFont::Bold | ReportFont::Italic);
        QTest::newRow("style with blank after comma")
            << Lines({"[Font]", "Style=Bold, Italic"}) << style(ReportFont::Bold);
        QTest::newRow("style names unknown and repeated")
            << Lines({"[Font]", "Style=strikeout,Heavy,underline,bold,Bold"})
            << style(ReportFont::Strikeout | ReportFont::Underline | ReportFont::Bold);
        const QByteArray style60 = "Style=Bold" + QByteArray(50, ',') + "Italic";
        QTest::newRow("style of 60 characters") << Lines({"[Font]", style60.constData()})
                                                << style(ReportFont::Bold | ReportFont::Italic);
        const QByteArray style61 = "Style=Bold" + QByteArray(51, ',') + "Italic";
        QTest::newRow("style cut at 60")
            << Lines({"[Font]", style61.constData()}) << style(ReportFont::Bold);
        QTest::newRow("size in hexadecimal") << Lines({"[Font]", "Size=0x0C"}) << size(12);
        QTest::newRow("size not a number") << Lines({"[Font]", "Size=12pt"}) << size(10);
        QTest::newRow("size only 0x") << Lines({"[Font]", "Size=0x"}) << size(10);
        QTest::newRow("size too large") << Lines({"[Font]", "Size=2147483648"}) << size(10);
        QTest::newRow("size empty") << Lines({"[Font]", "Size="}) << size(10);
        QTest::newRow("name present but empty")
            << Lines({"[Font]", "Name="}) << ReportFont{"", 10, 0, 0};
        const QByteArray longName = "Name=" + QByteArray(300, 'A');
        QTest::newRow("name cut to 255") << Lines({"[Font]", longName.constData()})
                                         << ReportFont{std::string(255, 'A'), 10, 0, 0};
        QTest::newRow("section and keys in other case, blanks around")
            << Lines({"[ FONT ]", "  name = Courier New ", "SIZE=9", "colour=1,2,3"}, "\n")
            << ReportFont{"Courier New", 9, 0x030201, 0};
        QTest::newRow("keys of another section")
            << Lines({"[Prefs]", "Size=20", "[Font]"}) << size(10);
    }
    void readsFont() {
        QFETCH(QByteArray, file);
        QFETCH(ReportFont, font);
        WriteAll(ini(), file);
        SetNonDefaults();
        ReadSettings(ini());
        QCOMPARE(TheReportFont, font);
    }

    void readsPrefs_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("lower-case n is true") << QByteArray("ClearQtys=n") << "ClearQtys" << 1;
        QTest::newRow("empty is true") << QByteArray("ClearQtys=") << "ClearQtys" << 1;
        QTest::newRow("No is true") << QByteArray("ClearQtys=No") << "ClearQtys" << 1;
        QTest::newRow("N is false") << QByteArray("ClearQtys=N") << "ClearQtys" << 0;
        QTest::newRow("missing, default off") << QByteArray() << "FPlan_ShowCat" << 0;
        QTest::newRow("anything on for default off")
            << QByteArray("FPlan_CatList=yes") << "FPlan_CatList" << 1;
        QTest::newRow("hexadecimal choice") << QByteArray("IDR_Sort=0x2") << "IDR_Sort" << 2;
        QTest::newRow("low byte kept") << QByteArray("IDR_Sort=258") << "IDR_Sort" << 2;
        QTest::newRow("no button for it") << QByteArray("IDR_Sort=5") << "IDR_Sort" << 5;
        QTest::newRow("negative, low byte") << QByteArray("FL_Sort=-1") << "FL_Sort" << 255;
        QTest::newRow("hexadecimal, low byte")
            << QByteArray("Item_Sort=0X1FF") << "Item_Sort" << 255;
        QTest::newRow("not a number") << QByteArray("Item_Sort=two") << "Item_Sort" << 0;
        QTest::newRow("eight hex digits") << QByteArray("FL_Sort=0xFFFFFF01") << "FL_Sort" << 1;
        QTest::newRow("nine hex digits") << QByteArray("FL_Sort=0x1FFFFFF01") << "FL_Sort" << 0;
    }
    void readsPrefs() {
        QFETCH(QByteArray, line);
        QFETCH(QString, key);
        QFETCH(int, expected);
        WriteAll(ini(), "[prefs]\r\n" + line + "\r\n");
        SetNonDefaults();
        ReadSettings(ini());
        QCOMPARE(Pref(key), expected);
    }

    void keepsTheRestOfTheFile_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("comments, other sections, spelling of keys")
            << Lines({"; kept as it is", "[Window]", "Left=10", "", "[font]", "NAME=Courier",
                      "Extra=a, b", "", "[Other]", "Size=99"},
                     "\n")
            << Lines({"; kept as it is", "[Window]", "Left=10", "", "[font]", "NAME=Courier",
                      "Extra=a, b", "Size=10", "Colour=0,0,0", "Style=", "", "[Other]", "Size=99"},
                     "\n") +
                   Lines(kDefaultPrefs, "\n");
        QTest::newRow("last line without its end")
            << QByteArray("[Prefs]\r\nMainBitMap=N\r\nIDR_Sort=1")
            << Lines({"[Prefs]",         "MainBitMap=N",      "IDR_Sort=1",      "ClearQtys=Y",
                      "DeleteCat=Y",     "DeleteShop=Y",      "IDR_Errors=Y",    "FL_Sort=0",
                      "FL_Cat=Y",        "Item_Sort=0",       "List_Only=Y",     "SL_CatSort=Y",
                      "FPlan_ShowCat=N", "FPlan_ShowOrder=N", "FPlan_CatList=N", "[Font]",
                      "Name=Arial",      "Size=10",           "Colour=0,0,0",    "Style="});
    }
    void keepsTheRestOfTheFile() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        WriteAll(ini(), before);
        ReadSettings(ini());
        QVERIFY(WriteSettings(ini()));
        QCOMPARE(ReadAll(ini()), after);
    }

    void unwritableTargetLeavesOldFile_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("name taken by a folder") << "folder";
        QTest::newRow("folder missing") << "missing";
        QTest::newRow("disk refuses the bytes") << "refused";
        QTest::newRow("a FIFO in its place") << "fifo";
        QTest::newRow("a link to /dev/zero in its place") << "zero";
    }
    void unwritableTargetLeavesOldFile() {
        QFETCH(QString, how);
        const QByteArray old = Lines({"[Prefs]", "IDR_Sort=1"});
        QString path = ini();
        if (how == "folder")
            QVERIFY(QDir(dir->path()).mkdir("Shopping.ini"));
        else if (how == "missing")
            path = dir->filePath("gone/Shopping.ini");
        else if (how == "fifo" || how == "zero")
            QVERIFY(MakeSpecialFile(path, how));
        else
            WriteAll(path, old);
        const bool special = how == "fifo" || how == "zero";
        if (special) {
            ReadSettings(path); // neither waits for a writer nor reads for ever: all defaults
            QCOMPARE(Pref("IDR_Sort"), 0);
        }
        SetNonDefaults();
        const auto write = [&] { return WriteSettings(path); };
        QVERIFY(!(how == "refused" ? WithFileSizeLimit(16, write) : write()));
        if (how == "refused")
            QCOMPARE(ReadAll(path), old);
        else
            QVERIFY(!QFileInfo(path).isFile());
        // No half-written temporary file is left behind, and what was there stays.
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::System | QDir::Hidden),
                 how == "refused" || special ? QStringList{"Shopping.ini"} : QStringList{});
        if (special)
            QVERIFY(!QFileInfo(path).isFile());
    }

    void iniFileValues_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("value");
        const QByteArray longValue(1500, 'x');
        QTest::newRow("value read to 1023 characters")
            << "[S]\nK=" + longValue << "K" << true << QByteArray(1023, 'x');
        QTest::newRow("one pair of quotes dropped, commas kept")
            << QByteArray("[S]\nK= \"\"a, b \"\" ") << "K" << true << QByteArray("\"a, b \"");
        QTest::newRow("single quotes dropped")
            << QByteArray("[S]\nK='x'") << "K" << true << QByteArray("x");
        QTest::newRow("quotes that do not match kept")
            << QByteArray("[S]\nK=\"x'") << "K" << true << QByteArray("\"x'");
        QTest::newRow("a lone quote kept")
            << QByteArray("[S]\nK=\"") << "K" << true << QByteArray("\"");
        QTest::newRow("CR-only line ends")
            << QByteArray("[S]\rJ=1\rK=2\r") << "K" << true << QByteArray("2");
        QTest::newRow("CR and LF are two line ends")
            << QByteArray("[S]\n\rK=2\n\r") << "K" << true << QByteArray("2");
        QTest::newRow("section after a byte-order mark")
            << QByteArray("\xEF\xBB\xBF[S]\r\nK=1") << "K" << true << QByteArray("1");
        QTest::newRow("equals sign in the value")
            << QByteArray("[S]\nK=a=b") << "k" << true << QByteArray("a=b");
        QTest::newRow("first of two keys")
            << QByteArray("[S]\nK=1\nk=2") << "K" << true << QByteArray("1");
        QTest::newRow("comment is no key")
            << QByteArray("[S]\n;K=1") << "K" << false << QByteArray();
        QTest::newRow("key before any section")
            << QByteArray("K=1\n[S]") << "K" << false << QByteArray();
        QTest::newRow("line without equals sign")
            << QByteArray("[S]\nK") << "K" << false << QByteArray();
    }
    void iniFileValues() {
        QFETCH(QByteArray, file);
        QFETCH(QString, key);
        QFETCH(bool, present);
        QFETCH(QByteArray, value);
        IniFile ini;
        ini.Parse(file.toStdString());
        const auto read = ini.Value("s", key.toStdString());
        QCOMPARE(read.has_value(), present);
        if (present)
            QCOMPARE(QByteArray::fromStdString(*read), value);
        // Rewriting a value changes only its own line.
        ini.WriteString("S", key.toStdString(), "new");
        QCOMPARE(QByteArray::fromStdString(*ini.Value("S", key.toStdString())), QByteArray("new"));
        if (present)
            QCOMPARE(QByteArray::fromStdString(ini.Text()).count('\n'), file.count('\n'));
    }

    // Writing keeps each line's own end and a byte-order mark; a new line takes the end
    // most lines have; a value that reading would change is written quoted.
    void iniFileWrites_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new key in a CR-only file")
            << QByteArray("[S]\rA=1\r") << "B" << QByteArray("2") << QByteArray("[S]\rA=1\rB=2\r");
        QTest::newRow("new key takes the most common end")
            << QByteArray("[S]\nA=1\r\nC=3\r\n") << "B" << QByteArray("2")
            << QByteArray("[S]\nA=1\r\nC=3\r\nB=2\r\n");
        // A CR written before a blank LF line would read back as one CRLF: the blank line
        // would be lost.
        QTest::newRow("new key before a blank LF line in a CR file")
            << QByteArray("[S]\rA=1\n\n[T]\rX=1\rY=2\r") << "B" << QByteArray("2")
            << QByteArray("[S]\rA=1\nB=2\r\n\n[T]\rX=1\rY=2\r");
        QTest::newRow("rewritten key keeps its end")
            << QByteArray("[S]\rA=1\r\nC=3\n") << "a" << QByteArray("9")
            << QByteArray("[S]\rA=9\r\nC=3\n");
        QTest::newRow("byte-order mark kept, section not repeated")
            << QByteArray("\xEF\xBB\xBF[S]\r\nA=1\r\n") << "A" << QByteArray("2")
            << QByteArray("\xEF\xBB\xBF[S]\r\nA=2\r\n");
        QTest::newRow("quoted value") << QByteArray("[S]\nA=1\n") << "A" << QByteArray("'x'")
                                      << QByteArray("[S]\nA=\"'x'\"\n");
        QTest::newRow("blanks around the value")
            << QByteArray("[S]\nA=1\n") << "A" << QByteArray(" x ")
            << QByteArray("[S]\nA=\" x \"\n");
    }
    void iniFileWrites() {
        QFETCH(QByteArray, before);
        QFETCH(QString, key);
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, after);
        IniFile ini;
        ini.Parse(before.toStdString());
        ini.WriteString("S", key.toStdString(), value.toStdString());
        QCOMPARE(QByteArray::fromStdString(ini.Text()), after);
        ini.Parse(ini.Text());
        QCOMPARE(QByteArray::fromStdString(*ini.Value("S", key.toStdString())), value);
    }

    // A file of a quarter of a million keys is read through once: finding, reading and
    // writing the preferences costs next to nothing beside that, however far down the file
    // they are, and the file is held in about three times its size.
    void largeFile_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<bool>("write");
        const QByteArray font =
            Lines({"[Font]", "Name=Arial", "Size=10", "Colour=0,0,0", "Style="});
        QTest::newRow("reading the preferences at the end")
            << QByteArray() << font + Lines(kDefaultPrefs) << false;
        QTest::newRow("rewriting the preferences at the end")
            << QByteArray() << font + Lines(kDefaultPrefs) << true;
        QTest::newRow("writing new keys into sections at the start")
            << Lines({"[Font]", "", "[Prefs]", ""}) << QByteArray() << true;
        QTest::newRow("writing new sections") << QByteArray() << QByteArray() << true;
    }
    void largeFile() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(bool, write);
        const std::string text = LargeFile(before, after);
        IniFile file;
        const auto useEveryPreference = [&] {
            for (const Preference &p : PreferenceTable()) {
                if (write)
                    file.WriteString(p.section, p.key, p.Text());
                else
                    p.Read(file.ReadString(p.section, p.key, p.defaultText));
            }
        };
        const auto [parseAndUse, parse] = Fastest(
            [&] {
                file.Parse(text);
                useEveryPreference();
            },
            [&] { file.Parse(text); });
        QVERIFY2(parseAndUse < 2 * parse,
                 qPrintable(QString("%1 ms against %2 ms for the file alone")
                                .arg(double(parseAndUse) / 1e6)
                                .arg(double(parse) / 1e6)));
        if (write) {
            file.Parse(text);
            useEveryPreference();
            file.Parse(file.Text());
            for (const Preference &p : PreferenceTable())
                QCOMPARE(file.Value(p.section, p.key), p.Text());
        }

        WriteAll(ini(), QByteArray::fromStdString(text));
        const std::size_t heapBefore = HeapInUse();
        IniFile loaded;
        QVERIFY(loaded.Load(ini()));
        const double held = (double(HeapInUse()) - double(heapBefore)) / double(text.size());
        QVERIFY2(held < 3, qPrintable(QString("%1 times the file").arg(held)));
    }

    // A folder that refuses new files: the writable settings file is written in place.
    void readOnlyFolderWritesInPlace() {
        const QByteArray old = Lines({"[Prefs]", "IDR_Sort=1"});
        WriteAll(ini(), old);
        // For everybody, as AsOrdinaryUser acts as "others" when the tests run as root.
        using P = QFileDevice;
        const auto read = P::ReadOwner | P::ReadUser | P::ReadGroup | P::ReadOther;
        const auto write = P::WriteOwner | P::WriteUser | P::WriteGroup | P::WriteOther;
        const auto enter = P::ExeOwner | P::ExeUser | P::ExeGroup | P::ExeOther;
        QVERIFY(QFile::setPermissions(ini(), read | write));
        QVERIFY(QFile::setPermissions(dir->path(), read | enter));
        ReadSettings(ini());
        const bool written = AsOrdinaryUser([&] { return WriteSettings(ini()); });
        QFile::setPermissions(dir->path(), read | write | enter);
        QVERIFY(written);
        QVERIFY(ReadAll(ini()).startsWith(old + Lines({"ClearQtys=Y"})));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Shopping.ini"});
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_Settings.moc"
