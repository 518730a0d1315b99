#include "Program.h"

#include "Catalogue.h"

#include "app/AboutUnit.h"
#include "app/Forms.h"
#include "app/MainUnit.h"
#include "app/PrefUnit.h"
#include "app/ProgramFiles.h"
#include "catalogue/ShopData.h"
#include "editors/CatEditU.h"
#include "editors/ItemEdit.h"
#include "editors/ShopCopy.h"
#include "editors/ShopEdit.h"
#include "floorplan/FloorPla.h"
#include "settings/Preferences.h"
#include "shopping/Analysis.h"
#include "shopping/ShopLstU.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>

namespace bench {

ui::MsgResult QuietResponder::Message(ui::MsgKind, const QString &caption, const QString &text,
                                      ui::MsgButtons buttons) {
    messages << caption + ": " + text;
    return buttons == ui::MsgButtons::YesNo ? ui::MsgResult::No : ui::MsgResult::Ok;
}

void QuietResponder::ExpectSilence() {
    if (!messages.isEmpty()) {
        const QString first = messages.first();
        messages.clear();
        throw std::runtime_error("unexpected message box: " + first.toStdString());
    }
    if (beeps > 0) {
        beeps = 0;
        throw std::runtime_error("unexpected beep");
    }
}

namespace {

// Notes the first paint of one window.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

double StatusMegabytes(const char *key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray wanted = QByteArray(key) + ':';
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(wanted))
            return line.mid(wanted.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

} // namespace

void Settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void ShowPainted(QWidget *window, const std::function<void()> &open) {
    PaintWatch watch;
    window->installEventFilter(&watch);
    if (open)
        open();
    else
        window->show();
    for (int i = 0; i < 1000 && !watch.painted; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    window->removeEventFilter(&watch);
    if (!watch.painted)
        throw std::runtime_error(window->objectName().toStdString() + " was never painted");
}

double ResidentMegabytes() {
    return StatusMegabytes("VmRSS");
}

double PeakResidentMegabytes() {
    // The kernel brings the peak up to date only now and then: it may lag the present figure.
    return std::max(StatusMegabytes("VmHWM"), ResidentMegabytes());
}

std::map<std::string, double> RunChild(const QStringList &arguments) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(300000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0)
        throw std::runtime_error("the child process failed: " + arguments.join(' ').toStdString());
    std::map<std::string, double> values;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 2)
            values[parts[0].toStdString()] = parts[1].toDouble();
    }
    return values;
}

namespace {

// The start of the program as main() does it, in `folder`; false when a box was shown.
bool StartProgram(const QString &folder, QuietResponder &responder) {
    ui::SetResponder(&responder);
    SetProgramDir(folder);
    CreateForms();
    ShowPainted(MainForm);
    return responder.messages.isEmpty();
}

} // namespace

int StartUpChild(const QString &folder, long long since) {
    QuietResponder responder;
    if (!StartProgram(folder, responder))
        return 1;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::printf("shown %.3f\n",
                double(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() - since) /
                    1e6);
    const auto start = std::chrono::steady_clock::now();
    MainForm->close();
    const double close =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("close %.3f\n", close);
    DestroyForms();
    return responder.messages.isEmpty() ? 0 : 1;
}

int MemoryChild(const QString &folder) {
    QuietResponder responder;
    if (!StartProgram(folder, responder))
        return 1;
    Settle();
    std::printf("loaded %.1f\n", ResidentMegabytes());

    const auto openAndClose = [](QWidget *window) {
        ShowPainted(window);
        window->close();
        Settle();
    };
    openAndClose(CatEditForm);
    openAndClose(ItemEditForm);
    ShowPainted(ShopEditForm);
    ShopEditForm->ShopListBox->SelectRow(0);
    ShopEditForm->ListBoxClick();
    ShowPainted(FloorPlanEditForm);
    FloorPlanEditForm->close();
    ShopEditForm->close();
    Settle();
    openAndClose(CopyShop);
    for (const bool prices : {false, true}) {
        ShopListForm->PriceMode = prices;
        ShowPainted(ShopListForm);
        ShopListForm->ShopListBox->SelectRow(0);
        ShopListForm->ShopListBoxClick();
        Settle();
        ShopListForm->close();
        Settle();
    }
    AnalForm->StartPending = true;
    openAndClose(AnalForm);
    openAndClose(PrefForm);
    openAndClose(AboutForm);
    std::printf("after %.1f\n", ResidentMegabytes());
    std::printf("peak %.1f\n", PeakResidentMegabytes());
    MainForm->close();
    DestroyForms();
    return responder.messages.isEmpty() ? 0 : 1;
}

int FirstPlanChild(const QString &folder, int aisles) {
    QuietResponder responder;
    if (!StartProgram(folder, responder) || Shops.Empty())
        return 1;
    TShopShop *shop = Shops[0];
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    LayOutPlan(*shop, aisles, screen.width() - 40, screen.height() - 80);
    FPlan_ShowCat = true;
    FPlan_ShowOrder = true;
    FPlan_CatList = false;
    ShowPainted(ShopEditForm);
    ShopEditForm->ShopListBox->SelectRow(ShopEditForm->ShopListBox->RowOf(shop));
    ShopEditForm->ListBoxClick();
    Settle();
    const auto start = std::chrono::steady_clock::now();
    ShowPainted(FloorPlanEditForm, [] { ShopEditForm->FloorBtn->click(); });
    const double open =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (FloorPlanEditForm->PlanShop != shop)
        return 1;
    std::printf("open %.3f\n", open);
    // Gone without closing: nothing of the changed plan is saved.
    DestroyForms();
    return responder.messages.isEmpty() ? 0 : 1;
}

} // namespace bench
