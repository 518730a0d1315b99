// The help files and their viewer: the file format and its faults, the keyword index and
// its narrowing, the markup, the built help files, and the help windows driven offscreen.

#include "TestCatalogue.h"
#include "WidgetDriver.h"
#include "help/HelpDocument.h"
#include "help/HelpMarkup.h"
#include "ui/HelpViewer.h"
#include "ui/HelpWindow.h"

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

#include <set>

Q_DECLARE_METATYPE(ui::HelpCommand)

namespace {

const QString Shopping = QStringLiteral(TM_BIN_DIR "/Shopping.hlp");
const QString Catalog = QStringLiteral(TM_BIN_DIR "/CATALOG.HLP");

const QByteArray Small = "TROLLEYMIND-HELP 1\n"
                         "@title Small Help\n"
                         "\n"
                         "@topic contents\n"
                         "@title Contents\n"
                         "See [[shops]] and [[plan|the plan]].\n"
                         "\n"
                         "@topic shops 10\n"
                         "@title Shops\n"
                         "@keywords shops; Shopping list; adding a shop\n"
                         "\n"
                         "Shops text.\n"
                         "\n"
                         "\n"
                         "@topic plan 6\n"
                         "@title Floor plan\n"
                         "@keywords SHOPS; aisles; floor plan\n"
                         "Plan text.\n";

HelpDocument Parsed(const QByteArray &bytes) {
    HelpDocument d;
    QString error;
    if (!d.Parse(bytes, &error))
        qWarning() << error;
    return d;
}

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

    void parseFaults_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error"); // empty: the file is read
        const QByteArray head = "TROLLEYMIND-HELP 1\n";
        const QByteArray topic = "@topic a 2\n@title A\ntext\n";
        const struct {
            const char *name;
            QByteArray bytes;
            const char *error;
        } rows[] = {
            {"good", head + topic, ""},
            {"CR LF and byte-order mark",
             "\xEF\xBB\xBF" + QByteArray(head + topic).replace("\n", "\r\n"), ""},
            {"another kind of file", "[Prefs]\n", "not a Trolleymind"},
            {"empty file", "", "not a Trolleymind"},
            {"newer format", "TROLLEYMIND-HELP 2\n" + topic, "format 2"},
            {"text before the first topic", head + "\nstray\n" + topic,
             "line 3: text before the first @topic"},
            {"no topics", head + "@title T\n", "holds no topics"},
            {"topic without a title", head + "@topic a\ntext\n@topic b\n@title B\n",
             "line 2: the topic \"a\""},
            {"context used twice", head + topic + "@topic b 2\n@title B\n",
             "line 5: context number 2"},
            {"name used twice, other capitals", head + topic + "@topic A\n@title B\n",
             "line 5: the topic name \"A\""},
            {"context not a number", head + "@topic a six\n@title A\n",
             "\"six\" is not a context number"},
            {"context too large", head + "@topic a 4294967296\n@title A\n", "not a context number"},
            {"largest context", head + "@topic a 4294967295\n@title A\n", ""},
            {"name with a blank part", head + "@topic a b c\n@title A\n", "line 2: a topic line"},
            {"unknown directive", head + topic + "@see a\n", "line 5: \"@see\""},
            {"escaped directive is text", head + topic + "\\@see a\n", ""},
            {"not UTF-8", head + "@topic a\n@title caf\xE9\n", "not UTF-8"},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.bytes << QString(r.error);
    }
    void parseFaults() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        HelpDocument d;
        QString reason;
        const bool ok = d.Parse(bytes, &reason);
        if (error.isEmpty()) {
            QVERIFY2(ok, qPrintable(reason));
            QVERIFY(d.ById(QStringLiteral("a")));
        } else {
            QVERIFY(!ok);
            QVERIFY2(reason.contains(error), qPrintable(reason));
            QVERIFY(d.Topics().isEmpty());
        }
    }

    void topicsAndContexts() {
        const HelpDocument d = Parsed(Small);
        QCOMPARE(d.Title(), QStringLiteral("Small Help"));
        QCOMPARE(d.Topics().size(), 3);
        QCOMPARE(d.ByContext(6)->id, QStringLiteral("plan"));
        QCOMPARE(d.ByContext(10)->title, QStringLiteral("Shops"));
        QVERIFY(!d.ByContext(0)); // the contents has no number
        QVERIFY(!d.ByContext(7));
        QCOMPARE(d.ById(QStringLiteral("PLAN"))->context, std::optional<unsigned>(6));
        QCOMPARE(d.Contents()->id, QStringLiteral("contents"));
        // Blank lines around a topic's text are not part of it.
        QCOMPARE(d.ById(QStringLiteral("shops"))->body, QStringLiteral("Shops text."));
        QCOMPARE(d.ById(QStringLiteral("plan"))->keywords,
                 (QStringList{"SHOPS", "aisles", "floor plan"}));
        QVERIFY(d.UnresolvedLinks().isEmpty());

        // Without a topic called "contents" the first topic is the contents.
        const HelpDocument bare = Parsed("TROLLEYMIND-HELP 1\n@topic x\n@title X\n[[nowhere]]\n");
        QCOMPARE(bare.Contents()->id, QStringLiteral("x"));
        QCOMPARE(bare.Title(), QStringLiteral("Help"));
        QCOMPARE(bare.UnresolvedLinks(), QStringList{"x -> nowhere"});
    }

    void keywordIndex() {
        const HelpDocument d = Parsed(Small);
        QStringList keywords;
        for (const HelpKeyword &k : d.Index())
            keywords << k.keyword;
        // One entry per keyword whatever its capitals, sorted without regard to case.
        QCOMPARE(keywords,
                 (QStringList{"adding a shop", "aisles", "floor plan", "Shopping list", "shops"}));
        QCOMPARE(d.Index()[4].topics, (QList<int>{1, 2}));
    }

    void narrowing_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("empty shows all")
            << "" << QStringList{"adding a shop", "aisles", "floor plan", "Shopping list", "shops"};
        QTest::newRow("first letters") << "fl" << QStringList{"floor plan"};
        QTest::newRow("other capitals") << "SHOPP" << QStringList{"Shopping list"};
        QTest::newRow("a later word")
            << "shop" << QStringList{"adding a shop", "Shopping list", "shops"};
        QTest::newRow("blanks around") << "  aisl " << QStringList{"aisles"};
        QTest::newRow("two words") << "floor p" << QStringList{"floor plan"};
        QTest::newRow("middle of a word is no match") << "isle" << QStringList{};
        QTest::newRow("nothing") << "zz" << QStringList{};
    }
    void narrowing() {
        QFETCH(QString, typed);
        QFETCH(QStringList, shown);
        const HelpDocument d = Parsed(Small);
        QStringList got;
        for (int i : d.MatchKeywords(typed))
            got << d.Index()[i].keyword;
        QCOMPARE(got, shown);
    }

    void markup_data() {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("html");
        const char *const rows[][3] = {
            {"lines join into a paragraph", "one\ntwo\n\nthree", "<p>one two</p>\n<p>three</p>\n"},
            {"heading", "# Adding\ntext", "<h3>Adding</h3>\n<p>text</p>\n"},
            {"bullets with a continued item", "- a\n  more\n- b\nafter",
             "<ul>\n<li>a more</li>\n<li>b</li>\n</ul>\n<p>after</p>\n"},
            {"numbered", "1. a\n2. b", "<ol>\n<li>a</li>\n<li>b</li>\n</ol>\n"},
            {"list kind changes", "- a\n1. b",
             "<ul>\n<li>a</li>\n</ul>\n<ol>\n<li>b</li>\n</ol>\n"},
            {"bold", "press *Add* now", "<p>press <b>Add</b> now</p>\n"},
            {"lone stars stay", "2 * 3 and *", "<p>2 * 3 and *</p>\n"},
            {"escapes", "\\*not bold\\* \\[[x]] \\\\", "<p>*not bold* [[x]] \\</p>\n"},
            {"escaped bullet and heading", "\\- a\n\\# b", "<p>- a # b</p>\n"},
            {"html is text", "<b>&", "<p>&lt;b&gt;&amp;</p>\n"},
            {"link shows the title", "see [[plan]]",
             "<p>see <a href=\"topic:plan\">Floor plan</a></p>\n"},
            {"link with its own text", "[[shops|the *shops*]]",
             "<p><a href=\"topic:shops\">the *shops*</a></p>\n"},
            {"bold link", "*[[shops]]*", "<p><b><a href=\"topic:shops\">Shops</a></b></p>\n"},
            {"link to no topic shows its name", "[[gone]]",
             "<p><a href=\"topic:gone\">gone</a></p>\n"},
            {"unclosed link", "[[shops", "<p>[[shops</p>\n"},
        };
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]);
    }
    void markup() {
        QFETCH(QString, markup);
        QFETCH(QString, html);
        const HelpDocument d = Parsed(Small);
        QCOMPARE(HelpMarkupToHtml(markup, &d), html);
    }

    // The files the build puts beside the program.
    void builtFiles_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QList<unsigned>>("contexts");
        QTest::newRow("Shopping.hlp")
            << Shopping << QList<unsigned>{2, 3, 4, 5, 6, 7, 8, 10, 11, 12};
        QTest::newRow("CATALOG.HLP") << Catalog << QList<unsigned>{};
    }
    void builtFiles() {
        QFETCH(QString, path);
        QFETCH(QList<unsigned>, contexts);
        HelpDocument d;
        QString error;
        QVERIFY2(d.Load(path, &error), qPrintable(error));
        QCOMPARE(d.Contents()->id, QStringLiteral("contents"));
        for (unsigned c : contexts) {
            const HelpTopic *t = d.ByContext(c);
            QVERIFY2(t, qPrintable(QString::number(c)));
            QVERIFY(t->body.size() > 400);
            QVERIFY(!t->keywords.isEmpty());
        }
        QCOMPARE(d.UnresolvedLinks(), QStringList{});
        // Every topic can be reached: from the contents, or from a topic that can.
        std::set<QString> reached{d.Contents()->id};
        for (bool grew = true; grew;) {
            grew = false;
            for (const HelpTopic &t : d.Topics())
                if (reached.count(t.id))
                    for (const HelpTopic &u : d.Topics())
                        if (t.body.contains("[[" + u.id + "]]") ||
                            t.body.contains("[[" + u.id + "|"))
                            grew |= reached.insert(u.id).second;
        }
        QCOMPARE(int(reached.size()), int(d.Topics().size()));
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
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<ui::HelpCommand>("command");
        QTest::addColumn<QString>("reason");
        const std::pair<const char *, ui::HelpCommand> commands[] = {
            {"contents", ui::HelpCommand::Contents},
            {"index", ui::HelpCommand::PartialKey},
            {"context", ui::HelpCommand::Context}};
        for (const auto &[name, command] : commands)
            QTest::addRow("missing, %s", name)
                << QByteArray() << command << "the file does not exist";
        QTest::newRow("damaged") << QByteArray("TROLLEYMIND-HELP 1\n@topic a\n@oops\n")
                                 << ui::HelpCommand::Contents << "line 3:";
    }
    void unreadableFileIsReported() {
        QFETCH(QByteArray, bytes);
        QFETCH(ui::HelpCommand, command);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Shopping.hlp"));
        if (!bytes.isEmpty())
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

    void screenshots() {
        if (ShotsFolder().isEmpty())
            QSKIP("set TM_SHOTS to a folder to save pictures of the help window");
        ui::HelpViewer::Execute(Shopping, ui::HelpCommand::Context, 6, {});
        ui::HelpWindow *w = OnlyWindow();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        SaveShot(w, "help-topic");
        ui::HelpViewer::Execute(Shopping, ui::HelpCommand::Contents, 0, {});
        SaveShot(w, "help-contents");
        ui::HelpViewer::Execute(Shopping, ui::HelpCommand::PartialKey, 0, {});
        SaveShot(w, "help-index");
        QTest::keyClicks(w->KeywordEdit, QStringLiteral("pri"));
        SaveShot(w, "help-index-narrowed");
        ui::HelpViewer::Execute(Shopping, ui::HelpCommand::HelpOnHelp, 0, {});
        SaveShot(w, "help-using");
        ui::HelpViewer::Execute(QStringLiteral("/nonexistent/Shopping.hlp"),
                                ui::HelpCommand::Contents, 0, {});
        SaveShot(ui::HelpViewer::Windows()[1], "help-missing");
        ui::HelpViewer::Execute(Catalog, ui::HelpCommand::Contents, 0, {});
        SaveShot(ui::HelpViewer::Windows()[2], "help-catalog");
    }
};

QTEST_MAIN(TestHelpViewer)
#include "tst_HelpViewer.moc"
