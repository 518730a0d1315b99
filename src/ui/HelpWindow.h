#pragma once
// One help window: the topics of one help file, its contents, its keyword index with an
// entry that narrows the keywords as the user types, links between topics and a way back.
// It stays open beside the program's windows, also beside a modal one.

#include "help/HelpDocument.h"

#include <QDateTime>
#include <QList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStackedWidget;
class QTextBrowser;
class QUrl;

namespace ui {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString &path);

    QString Path() const { return path_; }
    // Reads the file again when it changed (or could not be read before).
    void Reload();
    const HelpDocument &Document() const { return document_; }

    void ShowContents();
    // The keyword index with `keyword` in the entry; a keyword that names exactly one
    // topic shows that topic at once.
    void ShowIndex(const QString &keyword);
    void ShowContext(unsigned context);
    void ShowTopic(const QString &id);
    void ShowHelpOnHelp();
    // Shows the window in front; when a modal window is open it becomes the help
    // window's owner, so that the help window takes input beside it.
    void Present();

    // What the window shows: "topic:<id>", "index", "using-help" or "message".
    QString PageId() const { return current_.id; }

    QPushButton *ContentsBtn = nullptr;
    QPushButton *IndexBtn = nullptr;
    QPushButton *BackBtn = nullptr;
    QStackedWidget *Pages = nullptr;
    QTextBrowser *TopicView = nullptr;
    QWidget *IndexPage = nullptr;
    QLabel *KeywordLabel = nullptr;
    QLineEdit *KeywordEdit = nullptr;
    QLabel *KeywordListLabel = nullptr;
    QListWidget *KeywordList = nullptr;
    QLabel *TopicListLabel = nullptr;
    QListWidget *TopicList = nullptr;
    QPushButton *DisplayBtn = nullptr;

public Q_SLOTS:
    void ContentsBtnClick();
    void IndexBtnClick();
    void BackBtnClick();
    void KeywordEditChange(const QString &text);
    void KeywordListChange();
    void KeywordListDblClick(QListWidgetItem *item);
    void DisplayBtnClick();
    void TopicViewAnchorClick(const QUrl &url);

private:
    struct Page {
        QString id;   // as PageId()
        QString html; // for topic and message pages
    };
    void Go(const Page &page);
    void Display(const Page &page);
    void ShowMessage(const QString &title, const QString &markup);
    void ShowLoadError();

    QString path_;
    HelpDocument document_;
    bool loaded_ = false;
    QString error_;
    QDateTime stamp_;
    qint64 size_ = -1;
    Page current_;
    QList<Page> history_;
};

} // namespace ui
