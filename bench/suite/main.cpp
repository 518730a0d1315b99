// The program's speed in one table: every measured action, several runs each, with the
// median, the minimum and the ratio to a plain baseline where there is one.
//
// Usage: bench_suite [--runs N] [--only TEXT] [--smoke]
//   --only   just the actions whose names hold TEXT (and their baselines)
//   --smoke  the household catalogue, every action once: a quick check that all still works.

#include "Harness.h"
#include "Program.h"
#include "Suite.h"

#include "ui/Application.h"
#include "ui/WindowFont.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

// Qt's notes about what the offscreen platform lacks would break up the table.
void QuietMessages(QtMsgType type, const QMessageLogContext &, const QString &text) {
    if (type == QtDebugMsg || text.contains(QStringLiteral("does not support")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace

int main(int argc, char **argv) {
    qInstallMessageHandler(QuietMessages);
    // The same drawing everywhere, with or without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::Application app(argc, argv);
    ui::SetUpApplication(app);
    ui::LoadRegionalSettings();

    bool smoke = false;
    int runs = 7;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--startup" && i + 2 < argc)
            return bench::StartUpChild(QString::fromLocal8Bit(argv[i + 1]),
                                       std::stoll(argv[i + 2]));
        if (arg == "--memory" && i + 1 < argc)
            return bench::MemoryChild(QString::fromLocal8Bit(argv[i + 1]));
        if (arg == "--first-plan" && i + 2 < argc)
            return bench::FirstPlanChild(QString::fromLocal8Bit(argv[i + 1]),
                                         std::atoi(argv[i + 2]));
        if (arg == "--smoke") {
            smoke = true;
        } else if (arg == "--only" && i + 1 < argc) {
            only = argv[++i];
        } else if (arg == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: %s [--runs N] [--only TEXT] [--smoke]\n", argv[0]);
            return 2;
        }
    }
    if (smoke)
        runs = 1;

    try {
        bench::Suite suite(smoke);
        std::fprintf(stderr, "%s\n", suite.Heading().c_str());
        const auto rows = bench::RunAll(bench::Only(suite.Table(), only), runs, stderr);
        std::printf("%s\n\n%s", suite.Heading().c_str(), bench::FormatTable(rows).c_str());
        for (const auto &row : rows)
            if (!row.Failure.empty())
                return 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
