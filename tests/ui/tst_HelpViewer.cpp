// The help viewer: the help windows driven offscreen on the built help files, on missing and
// damaged files, and beside a modal window.

#include "HelpSamples.h"
#include "TestCatalogue.h"
#include "WidgetDriver.h"
#include "help/HelpDocument.h"
#include "ui/HelpViewer.h"
#include "ui/HelpWindow.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

Q_DECLARE_METATYPE(ui::HelpCommand)

namespace {

ui::HelpWindow *OnlyWindow() {
    const QList<ui::HelpWindow *> windows = ui::HelpViewer::Windows();
    return windows.size() == 1 ? windows.first() : nullptr;
}

} // namespace

class TestHelpViewer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { SetUpWindowTests(); }
    void cleanup() {
        ui::HelpViewer::Execute({}, ui::HelpCommand::Quit, 0, {});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void contextShowsItsTopic_data() {
        QTest::addColumn<unsigned>("context");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("text");
        QTest::newRow("floor plan") << 6u << "topic:floor-plan"
                                    << "The floor plan editor";
        QTest::newRow("getting started") << 2u << "topic:getting-started"
                                         << "Getting started";
        QTest::newRow("price update") << 12u << "topic:price-update"
                                      << "Update prices";
        QTest::newRow("no such number") << 9u << "message"
                                        << "no topic with the number 9";
    }
    void contextShowsItsTopic() {
        QFETCH(unsigned, context);
        QFETCH(QString, page);
        QFETCH(QString, text);
        ui::HelpViewer::Execute(Shopping, ui::HelpCommand::Context, context, {});
        ui::HelpWindow *w = OnlyWindow();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Trolleymind Help"));
        QCOMPARE(w->PageId(), page);
        QCOMPARE(w->Pages->currentWidget(), w->TopicView);
        QVERIFY(w->TopicView->toPlainText().contains(text));
    }

    // A topic too long to lay out in a second shows its first whole lines and says how much
    // was left out, in time that does not grow with the topic (a 4 MB paragraph took 9 s).
    void hugeTopicShowsWhatFits() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Shopping.hlp"));
        const QByteArray line = "Line of a *very* long topic, see [[contents]].\n";
        const int lines = 4'000'000 / int(line.size());
        QByteArray body;
        for (int i = 0; i < lines; ++i)
            body += QByteArray::number(i) + " " + line;
        WriteAll(path, "TROLLEYMIND-HELP 1\n@topic contents\n@title All\nIndex.\n"
                       "@topic long 6\n@title Long\n" +
                           body);
        QElapsedTimer timer;
        timer.start();
        ui::HelpViewer::Execute(path, ui::HelpCommand::Context, 6, {});
        ui::HelpWindow *w = OnlyWindow();
        QVERIFY(w && w->isVisible());
        QCoreApplication::processEvents();
        QVERIFY2(timer.elapsed() < 4000, qPrintable(QString::number(timer.elapsed())));
        const QString text = w->TopicView->toPlainText();
        // Whole lines up to the limit, then the note with the count of the rest.
        static const QRegularExpression note(
            QStringLiteral("see All\\.\\s+This topic is too long to show in full: the rest of it, "
                           "(\\d+) characters, was left out\\.\\s*$"));
        const QRegularExpressionMatch m = note.match(text);
        QVERIFY2(m.hasMatch(), qPrintable(text.right(300)));
        const qsizetype rest = m.captured(1).toLongLong();
        QVERIFY(rest > body.size() - HelpDocument::MaxShownBody - 2);
        QVERIFY(rest < body.size() - HelpDocument::MaxShownBody + line.size() + 8);
        QVERIFY(text.contains(QStringLiteral("\n0 Line of a very long topic")) ||
                text.contains(QStringLiteral(" 0 Line of a very long topic")));
    }

    void partialKeyNarrowsAsTheUserTypes() {
        ui::HelpViewer::Execute(Shopping, ui::HelpCommand::PartialKey, 0, QString());
        ui::HelpWindow *w = OnlyWindow();
        QVERIFY(w);
        QCOMPARE(w->PageId(), QStringLiteral("index"));
        QCOMPARE(w->Pages->currentWidget(), w->IndexPage);
        QCOMPARE(w->KeywordEdit->text(), QString());
        const int all = int(w->Document().Index().size());
        QCOMPARE(w->KeywordList->count(), all);

        QTest::keyClicks(w->KeywordEdit, QStringLiteral("ais"));
        const QStringList narrowed = Entries(w->KeywordList);
        QVERIFY(!narrowed.isEmpty() && narrowed.size() < all);
        for (const QString &k : narrowed)
            QVERIFY2(k.startsWith("ais", Qt::CaseInsensitive) || k.contains(" ais"), qPrintable(k));
        QTest::keyClicks(w->KeywordEdit, QStringLiteral("le or"));
        QCOMPARE(Entries(w->KeywordList), QStringList{"aisle order"});
        QCOMPARE(Entries(w->TopicList), QStringList{"The floor plan editor"});
        QTest::keyClick(w->KeywordEdit, Qt::Key_Return); // shows the chosen topic
        QCOMPARE(w->PageId(), QStringLiteral("topic:floor-plan"));

        w->BackBtn->click(); // the index as it was left
        QCOMPARE(w->PageId(), QStringLiteral("index"));
        QCOMPARE(w->KeywordEdit->text(), QStringLiteral("aisle or"));
        w->KeywordEdit->clear();
        QCOMPARE(w->KeywordList->count(), all);
        QTest::keyClicks(w->KeywordEdit, QStringLiteral("zzz"));
        QCOMPARE(w->KeywordList->count(), 0);
        QCOMPARE(w->TopicList->count(), 0);
        w->DisplayBtn->click(); // nothing to show
        QCOMPARE(w->PageId(), QStringLiteral("index"));

        // A keyword with several topics lets the user choose one.
        ui::HelpViewer::Execute(Shopping, ui::HelpCommand::PartialKey, 0,
                                QStringLiteral("product types"));
        QCOMPARE(w->PageId(), QStringLiteral("index"));
        QCOMPARE(w->KeywordEdit->text(), QStringLiteral("product types"));
        QCOMPARE(w->KeywordList->currentItem()->text(), QStringLiteral("product types"));
        QVERIFY(w->TopicList->count() > 1);
        w->TopicList->setCurrentRow(1);
        w->DisplayBtn->click();
        QCOMPARE(w->PageId(),
                 QStringLiteral("topic:") +
                     w->Document().ById(w->TopicList->item(1)->data(Qt::UserRole).toString())->id);
        // A keyword that names a single topic shows it at once.
        ui::HelpViewer::Execute(Shopping, ui::HelpCommand::PartialKey, 0,
                                QStringLiteral("WALKING ORDER"));
        QCOMPARE(w->PageId(), QStringLiteral("topic:floor-plan"));
        QCOMPARE(ui::HelpViewer::Windows().size(), 1); // the same window each time
    }

    void linksContentsAndBack() {
        ui::HelpViewer::Execute(Shopping, ui::HelpCommand::Contents, 0, {});
        ui::HelpWindow *w = OnlyWindow();
        QCOMPARE(w->PageId(), QStringLiteral("topic:contents"));
        QVERIFY(!w->BackBtn->isEnabled());
        w->TopicViewAnchorClick(QUrl(QStringLiteral("topic:shop-editor")));
        QCOMPARE(w->PageId(), QStringLiteral("topic:shop-editor"));
        w->TopicViewAnchorClick(QUrl(QStringLiteral("topic:no-such-topic")));
        QCOMPARE(w->PageId(), QStringLiteral("message"));
        QVERIFY(w->TopicView->toPlainText().contains("no topic called \"no-such-topic\""));
        w->BackBtn->click();
        QCOMPARE(w->PageId(), QStringLiteral("topic:shop-editor"));
        w->BackBtn->click();
        QCOMPARE(w->PageId(), QStringLiteral("topic:contents"));
        QVERIFY(!w->BackBtn->isEnabled());
        w->IndexBtn->click();
        QCOMPARE(w->PageId(), QStringLiteral("index"));
        w->ContentsBtn->click();
        QCOMPARE(w->PageId(), QStringLiteral("topic:contents"));
    }

    void helpOnHelpIsBuiltIn_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("with the help file") << Shopping;
        QTest::newRow("without a help file") << QStringLiteral("/nonexistent/Shopping.hlp");
    }
    void helpOnHelpIsBuiltIn() {
        QFETCH(QString, file);
        ui::HelpViewer::Execute(file, ui::HelpCommand::HelpOnHelp, 0, {});
        ui::HelpWindow *w = OnlyWindow();
        QCOMPARE(w->PageId(), QStringLiteral("using-help"));
        QVERIFY(w->TopicView->toPlainText().startsWith("Using help"));
        QVERIFY(w->TopicView->toPlainText().contains("Ctrl+F1"));
    }

    void unreadableFileIsReported_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all; "fifo", "zero": special
        QTest::addColumn<ui::HelpCommand>("command");
        QTest::addColumn<QString>("reason");
        const std::pair<const char *, ui::HelpCommand> commands[] = {
            {"contents", ui::HelpCommand::Contents},
            {"index", ui::HelpCommand::PartialKey},
            {"context", ui::HelpCommand::Context}};
        for (const auto &[name, command] : commands)
            QTest::addRow("missing, %s", name)
                << QByteArray() << command << "the file does not exist";
        // The reason is shown as written: its backslash, stars and brackets are no markup.
        QTest::newRow("damaged") << QByteArray("TROLLEYMIND-HELP 1\n@topic a\n@oops\n")
                                 << ui::HelpCommand::Contents
                                 << "line 3: \"@oops\" is not a line this format knows "
                                    "(write \"\\@\" for a text that starts with @).";
        QTest::newRow("a FIFO in its place")
            << QByteArray("fifo") << ui::HelpCommand::Contents << "it is not a file.";
        QTest::newRow("a link to /dev/zero in its place")
            << QByteArray("zero") << ui::HelpCommand::Contents << "it is not a file.";
        QTest::newRow("marks in the quoted text")
            << QByteArray("TROLLEYMIND-HELP 1\n@topic a *b*\n") << ui::HelpCommand::Contents
            << "line 2: \"*b*\" is not a context number.";
        QTest::newRow("link in the quoted text")
            << QByteArray("TROLLEYMIND-HELP [[x]]\n") << ui::HelpCommand::Contents
            << "it is written in help file format [[x]], which";
    }
    void unreadableFileIsReported() {
        QFETCH(QByteArray, bytes);
        QFETCH(ui::HelpCommand, command);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Shopping.hlp"));
        if (bytes == "fifo" || bytes == "zero")
            QVERIFY(MakeSpecialFile(path, bytes));
        else if (!bytes.isEmpty())
            WriteAll(path, bytes);
        ui::HelpViewer::Execute(path, command, 6, {});
        ui::HelpWindow *w = OnlyWindow();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Help"));
        QCOMPARE(w->PageId(), QStringLiteral("message"));
        const QString text = w->TopicView->toPlainText();
        QVERIFY2(text.contains("Help is not available"), qPrintable(text));
        QVERIFY2(text.contains(path + " cannot be shown: " + reason), qPrintable(text));
        QVERIFY(!w->ContentsBtn->isEnabled());
        QVERIFY(!w->IndexBtn->isEnabled());

        // Once the file is there, the same window reads it.
        QVERIFY(QFile::copy(Shopping, path + ".new"));
        QFile::remove(path);
        QVERIFY(QFile::rename(path + ".new", path));
        ui::HelpViewer::Execute(path, ui::HelpCommand::Context, 6, {});
        QCOMPARE(OnlyWindow(), w);
        QCOMPARE(w->PageId(), QStringLiteral("topic:floor-plan"));
        QVERIFY(w->ContentsBtn->isEnabled());

        // A file replaced while its window is open: the index shows the new keywords,
        // never entries that point into the old file's index.
        ui::HelpViewer::Execute(path, ui::HelpCommand::PartialKey, 0, {});
        QFile::remove(path);
        WriteAll(path, Small);
        ui::HelpViewer::Execute(path, ui::HelpCommand::Contents, 0, {});
        w->IndexBtn->click();
        QCOMPARE(Entries(w->KeywordList),
                 QStringList({"adding a shop", "aisles", "floor plan", "Shopping list", "shops"}));
    }

    void filesAreFoundBesideTheProgram() {
        const QString beside = QCoreApplication::applicationDirPath();
        QCOMPARE(ui::HelpViewer::Resolve(QStringLiteral("Shopping.hlp")),
                 beside + QStringLiteral("/Shopping.hlp"));
        QCOMPARE(ui::HelpViewer::Resolve(Shopping), Shopping);
        // A name in other capitals finds the file that is there.
        QTemporaryDir dir;
        WriteAll(dir.filePath(QStringLiteral("catalog.hlp")), "x");
        QCOMPARE(ui::HelpViewer::Resolve(dir.filePath(QStringLiteral("CATALOG.HLP"))),
                 dir.filePath(QStringLiteral("catalog.hlp")));
        QCOMPARE(ui::HelpViewer::Resolve(dir.filePath(QStringLiteral("None.hlp"))),
                 dir.filePath(QStringLiteral("None.hlp")));
    }

    void quitClosesEveryHelpWindow() {
        ui::HelpViewer::Execute(Shopping, ui::HelpCommand::Contents, 0, {});
        ui::HelpViewer::Execute(Catalog, ui::HelpCommand::Contents, 0, {});
        const QList<ui::HelpWindow *> windows = ui::HelpViewer::Windows();
        QCOMPARE(windows.size(), 2);
        QCOMPARE(windows[1]->windowTitle(), QStringLiteral("Trolleymind Tips and Ideas"));
        QPointer<ui::HelpWindow> first = windows[0], second = windows[1];
        ui::HelpViewer::Execute(QStringLiteral("Shopping.hlp"), ui::HelpCommand::Quit, 0, {});
        QVERIFY(ui::HelpViewer::Windows().isEmpty());
        QVERIFY(!first->isVisible() && !second->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first && !second); // released, not just hidden
        // Help opens again afterwards.
        ui::HelpViewer::Execute(Shopping, ui::HelpCommand::Contents, 0, {});
        QVERIFY(OnlyWindow() && OnlyWindow()->isVisible());
    }

    // Help asked for from a modal window must take input beside it.
    void helpBesideAModalWindow() {
        QDialog modal;
        QString page;
        QTimer::singleShot(0, &modal, [&] {
            const auto done = qScopeGuard([&] { modal.reject(); });
            ui::HelpViewer::Execute(Shopping, ui::HelpCommand::Contents, 0, {});
            ui::HelpWindow *w = OnlyWindow();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            // Through the window system, where a blocked window loses the click.
            QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {},
                              w->IndexBtn->mapTo(w, w->IndexBtn->rect().center()));
            page = w->PageId();
        });
        modal.exec();
        QCOMPARE(page, QStringLiteral("index"));
    }

    // The window's layouts size its buttons: each caption whole, at its style's height, the
    // buttons along the top at least the standard width.
    void buttonsSizedByTheLayout() {
        ui::HelpViewer::Execute(Shopping, ui::HelpCommand::PartialKey, 0, {});
        ui::HelpWindow *w = OnlyWindow();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        for (QPushButton *b : {w->ContentsBtn, w->IndexBtn, w->BackBtn, w->DisplayBtn})
            QCOMPARE(b->size(), b->sizeHint().expandedTo({b == w->DisplayBtn ? 0 : 75, 0}));
    }

    void screenshots() {
        if (ShotsFolder().isEmpty())
            QSKIP("set TM_SHOTS to a folder to save pictures of the help window");
        ui::HelpViewer::Execute(Shopping, ui::HelpCommand::Context, 6, {});
        ui::HelpWindow *w = OnlyWindow();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY(SaveShot(w, "help-topic"));
        ui::HelpViewer::Execute(Shopping, ui::HelpCommand::Contents, 0, {});
        QVERIFY(SaveShot(w, "help-contents"));
        ui::HelpViewer::Execute(Shopping, ui::HelpCommand::PartialKey, 0, {});
        QVERIFY(SaveShot(w, "help-index"));
        QTest::keyClicks(w->KeywordEdit, QStringLiteral("pri"));
        QVERIFY(SaveShot(w, "help-index-narrowed"));
        ui::HelpViewer::Execute(Shopping, ui::HelpCommand::HelpOnHelp, 0, {});
        QVERIFY(SaveShot(w, "help-using"));
        ui::HelpViewer::Execute(QStringLiteral("/nonexistent/Shopping.hlp"),
                                ui::HelpCommand::Contents, 0, {});
        QVERIFY(SaveShot(ui::HelpViewer::Windows()[1], "help-missing"));
        ui::HelpViewer::Execute(Catalog, ui::HelpCommand::Contents, 0, {});
        QVERIFY(SaveShot(ui::HelpViewer::Windows()[2], "help-catalog"));
    }
};

QTEST_MAIN(TestHelpViewer)
#include "tst_HelpViewer.moc"
