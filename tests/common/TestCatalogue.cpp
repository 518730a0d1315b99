#include "TestCatalogue.h"

#include <sys/stat.h>

#include <QFile>

#include <csignal>
#include <memory>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

template <> char *QTest::toString(const TRect &r) {
    return qstrdup(QByteArray::number(r.Left) + "," + QByteArray::number(r.Top) + "," +
                   QByteArray::number(r.Right) + "," + QByteArray::number(r.Bottom));
}

QByteArray ReadAll(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void WriteAll(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

bool WithFileSizeLimit(long bytes, const std::function<bool()> &write) {
    // Past the limit a write fails instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    if (getrlimit(RLIMIT_FSIZE, &saved) != 0)
        qFatal("getrlimit failed");
    rlimit small = saved;
    small.rlim_cur = static_cast<rlim_t>(bytes);
    if (setrlimit(RLIMIT_FSIZE, &small) != 0)
        qFatal("setrlimit failed");
    const bool written = write();
    setrlimit(RLIMIT_FSIZE, &saved);
    return written;
}

bool AsOrdinaryUser(const std::function<bool()> &write) {
    if (geteuid() != 0)
        return write();
    // Root's file access goes by its filesystem ids; under another id the kernel drops
    // the capabilities that override permissions, until the id is root's again.
    constexpr uid_t nobody = 65534;
    setfsgid(nobody);
    setfsuid(nobody);
    if (setfsuid(nobody) != nobody)
        qFatal("setfsuid failed");
    const bool written = write();
    setfsuid(0);
    setfsgid(0);
    return written;
}

TShopAisle *AddAisle(TRecordList<TShopAisle> &plan, TRect rect, TShopCat *category) {
    auto aisle = std::make_unique<TShopAisle>();
    aisle->Rect = rect;
    aisle->Category = category;
    return plan.Add(std::move(aisle));
}

void BuildExampleCatalogue() {
    ClearCatalogue();
    TShopCat *dairy = Categories.Add(std::make_unique<TShopCat>("Dairy"));
    TShopProd *milk = ProductTypes.Add(std::make_unique<TShopProd>("Milk", "l", dairy));
    TShopShop *corner = Shops.Add(std::make_unique<TShopShop>("Corner"));
    AddAisle(corner->Aisle, R(10, 20, 110, 60), dairy);
    Items.Add(std::make_unique<TShopItem>(milk, "Acme", 2.0f, 1.5f, corner))->Quantity = 3;
}

bool MakeSpecialFile(const QString &path, const QString &kind) {
    if (kind == QLatin1String("fifo"))
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    return kind == QLatin1String("zero") && QFile::link(QStringLiteral("/dev/zero"), path);
}

QByteArray ExampleCatalogueBytes() {
    return QByteArray::fromHex("0B54726F6C6C65796D696E64"
                               "CDCC8C3F"
                               "0100"
                               "054461697279"
                               "0100"
                               "044D696C6B"
                               "016C"
                               "0000"
                               "0100"
                               "0000"
                               "0441636D65"
                               "00000040"
                               "0000C03F"
                               "0000"
                               "0300"
                               "0100"
                               "06436F726E6572"
                               "0100"
                               "0A000000140000006E0000003C000000"
                               "0000"
                               "0000");
}

bool RecordingUser::AskYesNo(const std::string &text) {
    questions << QString::fromStdString(text);
    if (answers.empty())
        return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void RecordingUser::ShowError(const std::string &text) {
    errors << QString::fromStdString(text);
}
