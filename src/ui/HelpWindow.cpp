#include "ui/HelpWindow.h"

#include "help/HelpMarkup.h"
#include "ui/Builder.h"
#include "ui/Pictures.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

namespace ui {
namespace {

constexpr auto TopicScheme = "topic";

// The viewer's own help: how to find one's way in a help window.
const char *const UsingHelpMarkup =
    R"(This window shows the help of Trolleymind. It stays open beside the program, so you can read a topic while you work in the window it describes.

# Finding a topic
- *Contents* shows the list of help topics. Click a title to read that topic.
- *Index* lists the keywords of the help file. Type the first letters of a word in the box at the top: the list keeps only the keywords that begin with them, or that have a word beginning with them. Click a keyword to see the topics that carry it in the lower list, then press *Display*, press Enter or double-click the topic.
- Underlined words in a topic lead to another topic: click one to go there.
- *Back* returns to the page you saw before.

# Help from the program
- *F1* in the main window, or Help › Help contents, opens these contents.
- *Ctrl+F1*, or Help › Search for help on..., opens the keyword index.
- The *Help* button of each window opens the topic about that window.
- *F1* in a help window shows this page.

# Good to know
- You can select text in a topic with the mouse and copy it with *Ctrl+C*.
- The help windows close by themselves when Trolleymind ends.)";

} // namespace

HelpWindow::HelpWindow(const QString &path) : QWidget(nullptr, Qt::Window), path_(path) {
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(ProgramIcon());
    setWindowTitle(QStringLiteral("Help"));

    // The window grows with its layouts; the buttons along the top keep at least their
    // standard width.
    ui::Builder b(this);
    ContentsBtn = b.Button("ContentsBtn", "&Contents").LaidOut(75);
    IndexBtn = b.Button("IndexBtn", "&Index").LaidOut(75);
    BackBtn = b.Button("BackBtn", "&Back").LaidOut(75).Disabled();
    TopicView = b.Add<QTextBrowser>("TopicView");
    TopicView->setOpenLinks(false);
    QFont text = font();
    text.setPointSize(9);
    TopicView->setFont(text);
    TopicView->document()->setDefaultStyleSheet(QStringLiteral(
        "h2 { font-size: 12pt; color: #1f3f7f; } h3 { font-size: 10pt; margin-top: 10px; } "
        "a { color: #0b5d1e; }"));

    IndexPage = b.Add<QWidget>("IndexPage");
    b.On(IndexPage);
    KeywordEdit = b.Add<QLineEdit>("KeywordEdit");
    KeywordList = b.Add<QListWidget>("KeywordList");
    TopicList = b.Add<QListWidget>("TopicList");
    KeywordLabel =
        b.Label("KeywordLabel", "&Type the first letters of the word you are looking for:")
            .Buddy(KeywordEdit);
    KeywordListLabel = b.Label("KeywordListLabel", "&Keywords:").Buddy(KeywordList);
    TopicListLabel = b.Label("TopicListLabel", "T&opics with this keyword:").Buddy(TopicList);
    DisplayBtn = b.Button("DisplayBtn", "&Display").LaidOut();
    b.On(this);
    Pages = b.Add<QStackedWidget>("Pages");

    auto *index = new QVBoxLayout(IndexPage);
    index->setContentsMargins(0, 0, 0, 0);
    index->addWidget(KeywordLabel);
    index->addWidget(KeywordEdit);
    index->addSpacing(4);
    index->addWidget(KeywordListLabel);
    index->addWidget(KeywordList, 3);
    index->addSpacing(4);
    index->addWidget(TopicListLabel);
    index->addWidget(TopicList, 1);
    auto *display = new QHBoxLayout;
    display->addStretch();
    display->addWidget(DisplayBtn);
    index->addLayout(display);

    Pages->addWidget(TopicView);
    Pages->addWidget(IndexPage);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {ContentsBtn, IndexBtn, BackBtn})
        buttons->addWidget(button);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(buttons);
    layout->addWidget(Pages, 1);
    resize(460, 480);

    // F1 in a help window explains the help window itself.
    auto *usingHelp = new QAction(this);
    usingHelp->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(usingHelp);
    connect(usingHelp, &QAction::triggered, this, &HelpWindow::ShowHelpOnHelp);

    connect(ContentsBtn, &QPushButton::clicked, this, &HelpWindow::ContentsBtnClick);
    connect(IndexBtn, &QPushButton::clicked, this, &HelpWindow::IndexBtnClick);
    connect(BackBtn, &QPushButton::clicked, this, &HelpWindow::BackBtnClick);
    connect(KeywordEdit, &QLineEdit::textChanged, this, &HelpWindow::KeywordEditChange);
    connect(KeywordEdit, &QLineEdit::returnPressed, this, &HelpWindow::DisplayBtnClick);
    connect(KeywordList, &QListWidget::currentRowChanged, this, &HelpWindow::KeywordListChange);
    connect(KeywordList, &QListWidget::itemDoubleClicked, this, &HelpWindow::KeywordListDblClick);
    connect(TopicList, &QListWidget::itemDoubleClicked, this, &HelpWindow::DisplayBtnClick);
    connect(TopicList, &QListWidget::itemActivated, this, &HelpWindow::DisplayBtnClick);
    connect(DisplayBtn, &QPushButton::clicked, this, &HelpWindow::DisplayBtnClick);
    connect(TopicView, &QTextBrowser::anchorClicked, this, &HelpWindow::TopicViewAnchorClick);
}

void HelpWindow::Reload() {
    const QFileInfo info(path_);
    const QDateTime stamp = info.exists() ? info.lastModified() : QDateTime();
    const qint64 size = info.exists() ? info.size() : -1;
    if (loaded_ && stamp == stamp_ && size == size_)
        return;
    stamp_ = stamp;
    size_ = size;
    loaded_ = document_.Load(path_, &error_);
    if (!loaded_)
        document_ = HelpDocument();
    // The keyword lists point into the index they were filled from: fill them anew.
    KeywordEditChange(KeywordEdit->text());
    setWindowTitle(loaded_ ? document_.Title() : QStringLiteral("Help"));
    ContentsBtn->setEnabled(loaded_);
    IndexBtn->setEnabled(loaded_);
    history_.clear();
    BackBtn->setEnabled(false);
    current_ = {};
}

void HelpWindow::ShowContents() {
    if (!loaded_)
        return ShowLoadError();
    ShowTopic(document_.Contents()->id);
}

void HelpWindow::ShowIndex(const QString &keyword) {
    if (!loaded_)
        return ShowLoadError();
    // A keyword that leads to exactly one topic needs no choosing.
    if (!keyword.isEmpty()) {
        for (const HelpKeyword &k : document_.Index()) {
            if (k.keyword.compare(keyword, Qt::CaseInsensitive) == 0 && k.topics.size() == 1)
                return ShowTopic(document_.Topics()[k.topics.first()].id);
        }
    }
    Go({QStringLiteral("index"), {}});
    // Setting the text refills the list; an unchanged text must refill it too.
    if (KeywordEdit->text() == keyword)
        KeywordEditChange(keyword);
    else
        KeywordEdit->setText(keyword);
    KeywordEdit->selectAll();
    KeywordEdit->setFocus();
}

void HelpWindow::ShowContext(unsigned context) {
    if (!loaded_)
        return ShowLoadError();
    if (const HelpTopic *t = document_.ByContext(context))
        return ShowTopic(t->id);
    ShowMessage(QStringLiteral("Topic not found"),
                QStringLiteral("This help file has no topic with the number %1.\n\n"
                               "Look for the subject in the [[%2|contents]] or the index.")
                    .arg(context)
                    .arg(QLatin1String(HelpDocument::ContentsId)));
}

void HelpWindow::ShowTopic(const QString &id) {
    if (!loaded_)
        return ShowLoadError();
    const HelpTopic *t = document_.ById(id);
    if (!t) {
        QString name = id;
        name.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
        return ShowMessage(
            QStringLiteral("Topic not found"),
            QStringLiteral("This help file has no topic called \"%1\".\n\n"
                           "Look for the subject in the [[%2|contents]] or the index.")
                .arg(name, QLatin1String(HelpDocument::ContentsId)));
    }
    Go({QStringLiteral("topic:") + t->id, document_.TopicHtml(*t)});
}

void HelpWindow::ShowHelpOnHelp() {
    Go({QStringLiteral("using-help"),
        QStringLiteral("<h2>Using help</h2>\n") +
            HelpMarkupToHtml(QString::fromUtf8(UsingHelpMarkup), nullptr)});
}

void HelpWindow::ShowMessage(const QString &title, const QString &markup) {
    Go({QStringLiteral("message"), QStringLiteral("<h2>%1</h2>\n").arg(title.toHtmlEscaped()) +
                                       HelpMarkupToHtml(markup, &document_)});
}

void HelpWindow::ShowLoadError() {
    // The path and the reason are shown as they are: a reason quotes the damaged line,
    // whose stars, brackets and backslashes are no markup of ours.
    const QString path = QDir::toNativeSeparators(path_).toHtmlEscaped();
    Go({QStringLiteral("message"),
        QStringLiteral("<h2>Help is not available</h2>\n"
                       "<p>The help file <b>%1</b> cannot be shown: %2.</p>\n"
                       "<p>Trolleymind goes on working without it. The help files "
                       "Shopping.hlp and CATALOG.HLP come with the program; installing "
                       "the program again puts them back.</p>\n")
            .arg(path, error_.toHtmlEscaped())});
}

void HelpWindow::Go(const Page &page) {
    if (!current_.id.isEmpty() && current_.id != page.id)
        history_.append(current_);
    Display(page);
}

void HelpWindow::Display(const Page &page) {
    current_ = page;
    BackBtn->setEnabled(!history_.isEmpty());
    if (page.id == QLatin1String("index")) {
        Pages->setCurrentWidget(IndexPage);
        return;
    }
    TopicView->setHtml(page.html);
    Pages->setCurrentWidget(TopicView);
}

void HelpWindow::Present() {
    // A window blocked by a modal one takes no input; owned by the modal window it does.
    QWidget *modal = QApplication::activeModalWidget();
    winId();
    if (modal && modal != this)
        windowHandle()->setTransientParent(modal->windowHandle());
    else
        windowHandle()->setTransientParent(nullptr);
    show();
    raise();
    activateWindow();
}

void HelpWindow::ContentsBtnClick() {
    ShowContents();
}

void HelpWindow::IndexBtnClick() {
    if (!loaded_)
        return ShowLoadError();
    // The index keeps what was typed last.
    Go({QStringLiteral("index"), {}});
    if (KeywordList->count() == 0 && KeywordEdit->text().isEmpty())
        KeywordEditChange({});
    KeywordEdit->setFocus();
}

void HelpWindow::BackBtnClick() {
    if (history_.isEmpty())
        return;
    Display(history_.takeLast());
}

void HelpWindow::KeywordEditChange(const QString &text) {
    const QList<int> matches = document_.MatchKeywords(text);
    KeywordList->clear();
    QStringList shown;
    shown.reserve(matches.size());
    for (int i : matches)
        shown.append(document_.Index()[i].keyword);
    KeywordList->addItems(shown);
    for (int row = 0; row < matches.size(); ++row)
        KeywordList->item(row)->setData(Qt::UserRole, matches[row]);
    if (KeywordList->count() > 0)
        KeywordList->setCurrentRow(0);
    else
        KeywordListChange();
}

void HelpWindow::KeywordListChange() {
    TopicList->clear();
    const QListWidgetItem *item = KeywordList->currentItem();
    if (!item)
        return;
    const HelpKeyword &k = document_.Index()[item->data(Qt::UserRole).toInt()];
    for (int t : k.topics) {
        auto *entry = new QListWidgetItem(document_.Topics()[t].title, TopicList);
        entry->setData(Qt::UserRole, document_.Topics()[t].id);
    }
    TopicList->setCurrentRow(0);
}

void HelpWindow::KeywordListDblClick(QListWidgetItem *) {
    DisplayBtnClick();
}

void HelpWindow::DisplayBtnClick() {
    const QListWidgetItem *topic = TopicList->currentItem();
    if (!topic)
        return;
    ShowTopic(topic->data(Qt::UserRole).toString());
}

void HelpWindow::TopicViewAnchorClick(const QUrl &url) {
    if (url.scheme() == QLatin1String(TopicScheme))
        ShowTopic(url.path());
}

} // namespace ui
