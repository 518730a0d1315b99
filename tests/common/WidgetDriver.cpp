#include "WidgetDriver.h"

#include "catalogue/Regional.h"
#include "ui/WindowFont.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPaintEngine>
#include <QPixmap>
#include <QTest>
#include <QTimer>

#include <algorithm>

void SetUpWindowTests() {
    ui::SetUpApplication(*qApp);
    SetCurrentRegional(Regional::EnglishUS());
}

QStringList Entries(const QAbstractItemView *list) {
    QStringList texts;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        texts << list->model()->index(row, 0).data().toString();
    return texts;
}

int RowOf(const QAbstractItemView *list, const QString &text) {
    return int(Entries(list).indexOf(text));
}

bool ClickRow(QAbstractItemView *list, int row, Qt::MouseButton button) {
    if (row < 0 || row >= list->model()->rowCount())
        return false;
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), button, {}, rect.center());
    return true;
}

bool ClickEntry(QAbstractItemView *list, const QString &text, Qt::MouseButton button) {
    return ClickRow(list, RowOf(list, text), button);
}

void Retype(QLineEdit *edit, const QString &text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void TypeText(QWidget *widget, const QString &text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

bool AltKey(QWidget *window, Qt::Key key) {
    QTest::keyClick(window, key, Qt::AltModifier);
    const QList<QAbstractButton *> buttons = window->findChildren<QAbstractButton *>();
    return QTest::qWaitFor([&] {
        return std::none_of(buttons.begin(), buttons.end(),
                            [](const QAbstractButton *b) { return b->isDown(); });
    });
}

bool ShowActive(QWidget *window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

QStringList TabChain(QWidget *first) {
    QStringList names;
    first->setFocus();
    QWidget *w = first;
    do {
        names << w->objectName();
        QTest::keyClick(w, Qt::Key_Tab);
        w = QApplication::focusWidget();
    } while (w && w != first && names.size() < 20);
    return names;
}

QStringList FocusOrder(QWidget *first) {
    QStringList names;
    QWidget *w = first;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty() &&
            !w->objectName().startsWith(QLatin1String("qt_")))
            names << w->objectName();
        w = w->nextInFocusChain();
    } while (w && w != first && names.size() < 40);
    return names;
}

bool RunModal(QDialog *dialog, const std::function<void()> &open,
              const std::function<void()> &act) {
    bool modal = false;
    QTimer::singleShot(0, dialog, [&] {
        modal = QTest::qWaitForWindowActive(dialog) && QApplication::activeModalWidget() == dialog;
        act();
        if (dialog->isVisible())
            dialog->reject();
    });
    open();
    return modal;
}

namespace {

// A paint device that keeps the texts drawn on it and nothing else.
class TextRecorder : public QPaintDevice, private QPaintEngine {
public:
    explicit TextRecorder(QWidget *widget) : QPaintEngine(AllFeatures), widget_(widget) {}
    QPaintEngine *paintEngine() const override { return const_cast<TextRecorder *>(this); }

    QList<DrawnText> texts;

private:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
            return widget_->width();
        case PdmHeight:
            return widget_->height();
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return widget_->logicalDpiX(); // fonts measure as on screen
        case PdmWidthMM:
            return widget_->widthMM();
        case PdmHeightMM:
            return widget_->heightMM();
        case PdmDepth:
            return widget_->depth();
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 0;
        }
    }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState &state) override {
        if (state.state() & DirtyTransform)
            transform_ = state.transform();
    }
    // Shapes and pictures are not kept.
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath &) override {}
    void drawTextItem(const QPointF &at, const QTextItem &item) override {
        const QRectF box(at.x(), at.y() - item.ascent(), item.width(),
                         item.ascent() + item.descent());
        texts.push_back({item.text(), transform_.mapRect(box)});
    }

    QWidget *widget_;
    QTransform transform_;
};

} // namespace

QList<DrawnText> DrawnTexts(QWidget *widget) {
    // As the screen would show it: lists lay their rows out when the events come round.
    QCoreApplication::processEvents();
    TextRecorder recorder(widget);
    widget->render(&recorder, {}, {}, QWidget::DrawChildren);
    return recorder.texts;
}

QString ShotsFolder() {
    return qEnvironmentVariable("TM_SHOTS");
}

bool SaveShot(QWidget *widget, const QString &name, int scale) {
    if (ShotsFolder().isEmpty())
        return true;
    const QPixmap picture = widget->grab();
    return picture.scaled(picture.size() * scale).save(ShotsFolder() + "/" + name + ".png");
}
