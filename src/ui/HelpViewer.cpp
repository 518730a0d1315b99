#include "ui/HelpViewer.h"

#include "ui/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>

namespace ui {
namespace {

// The open help windows; each deletes itself when closed.
QList<QPointer<HelpWindow>> &Open() {
    static QList<QPointer<HelpWindow>> windows;
    windows.removeAll(nullptr);
    return windows;
}

HelpWindow *WindowFor(const QString &path) {
    for (HelpWindow *w : HelpViewer::Windows())
        if (w->Path() == path)
            return w;
    auto *w = new HelpWindow(path);
    Open().append(w);
    return w;
}

QString &Folder() {
    static QString folder;
    return folder;
}

} // namespace

void HelpViewer::SetFolder(const QString &folder) {
    Folder() = folder;
}

QString HelpViewer::Resolve(const QString &file) {
    const QString folder = Folder().isEmpty() ? QCoreApplication::applicationDirPath() : Folder();
    const QString path =
        QDir::cleanPath(QFileInfo(file).isAbsolute() ? file : QDir(folder).filePath(file));
    if (QFileInfo::exists(path))
        return path;
    // Help files came from a system that ignores the case of file names: "catalog.hlp"
    // in the help folder is the file asked for as "CATALOG.HLP".
    const QFileInfo info(path);
    const QString name = info.fileName();
    for (const QString &entry : info.dir().entryList(QDir::Files))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return info.dir().filePath(entry);
    return path;
}

QList<HelpWindow *> HelpViewer::Windows() {
    // A closed window is on its way out, even while it waits to be deleted.
    QList<HelpWindow *> out;
    for (const QPointer<HelpWindow> &w : Open())
        if (w->isVisible())
            out.append(w.data());
    return out;
}

void HelpViewer::Execute(const QString &file, HelpCommand command, unsigned context,
                         const QString &keyword) {
    if (command == HelpCommand::Quit) {
        for (HelpWindow *w : Windows())
            w->close();
        return;
    }
    HelpWindow *w = WindowFor(Resolve(file));
    w->Reload();
    switch (command) {
    case HelpCommand::Contents:
        w->ShowContents();
        break;
    case HelpCommand::PartialKey:
        w->ShowIndex(keyword);
        break;
    case HelpCommand::Context:
        w->ShowContext(context);
        break;
    case HelpCommand::HelpOnHelp:
        w->ShowHelpOnHelp();
        break;
    case HelpCommand::Quit:
        break;
    }
    w->Present();
}

} // namespace ui
