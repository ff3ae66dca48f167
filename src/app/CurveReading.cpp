#include "app/CurveReading.h"
#include "i18n/Translation.h"

#include "app/SheetWidget.h"
#include "app/TForm1.h"
#include "app/ValueTableDialog.h"
#include "base/NumberFormat.h"

#include <QAccessible>
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

namespace quorvel::app {

namespace {

int sheetWidth(TForm1& form1) {
    return form1.sheet()->sheetSize().width();
}

// The reading words in the interface language, looked up once.
graph::ReadingWords translatedWords() {
    graph::ReadingWords words;
    for (std::string* word :
         {&words.zero, &words.minimum, &words.maximum, &words.yIntercept, &words.intersection, &words.trace,
          &words.traceUndefined, &words.traceAlong, &words.traceAlongUndefined})
        *word = i18n::uiText(word->c_str()).toStdString();
    return words;
}

} // namespace

CurveReading::CurveReading(TForm1& form1) : QObject(&form1), form1_(form1) {
    marks_.setWords(translatedWords());
    trace_.setWords(translatedWords());
    form1.sheetLayers().screenOverlay = [this](typeset::Canvas& canvas) {
        const document::Document& doc = form1_.document();
        marks_.update(doc, sheetWidth(form1_));
        marks_.draw(canvas, doc.view);
        trace_.draw(canvas, doc);
    };
    // After the pointer's own handling, so the label and the trace have the last word in the status bar.
    connect(form1.sheet(), &SheetWidget::mouseMoved, this, &CurveReading::pointerMoved);
    form1.sheet()->installEventFilter(this);
    connect(&form1, &TForm1::documentReset, this, [this] { trace_.stop(); });
    table_ = new ValueTableDialog(form1);
}

void CurveReading::showStatus(const std::string& text) {
    QLabel* status = form1_.statusPanel();
    status->setText(i18n::uiMessage(text));
    // Screen readers hear what the status bar says now.
    status->setAccessibleName(status->text());
    QAccessibleEvent changed(status, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

void CurveReading::startTrace() {
    const QPoint pointer = form1_.sheet()->mapFromGlobal(QCursor::pos());
    const bool inside = form1_.sheet()->rect().contains(pointer);
    const double x = inside ? pointer.x() : sheetWidth(form1_) / 2.0;
    const double y = inside ? pointer.y() : form1_.sheet()->height() / 2.0;
    if (!trace_.start(form1_.document(), x, y)) {
        showStatus(UI_TEXT("没有可以追踪的曲线"));
        return;
    }
    form1_.sheet()->setFocus(Qt::ShortcutFocusReason);
    form1_.drawNow();
    showStatus(trace_.statusText(form1_.document()));
}

void CurveReading::pointerMoved(QMouseEvent* event) {
    const document::Document& doc = form1_.document();
    const QPointF at = event->position();
    if (trace_.active() && !(event->buttons() & Qt::LeftButton)) {
        trace_.follow(doc, at.x(), at.y());
        form1_.drawNow();
        showStatus(trace_.statusText(doc));
        return;
    }
    const std::optional<int> over = marks_.markAt(doc.view, at.x(), at.y());
    if (over != marks_.hovered()) {
        marks_.setHovered(over);
        form1_.drawNow();
    }
    if (over) showStatus(marks_.describe(*over, doc.view));
}

bool CurveReading::eventFilter(QObject* watched, QEvent* event) {
    if (watched != form1_.sheet()) return false;
    if (event->type() == QEvent::KeyPress && trace_.active()) {
        auto* key = static_cast<QKeyEvent*>(event);
        return traceKey(key->key(), key->modifiers() & Qt::ShiftModifier, key->text());
    }
    if (event->type() != QEvent::MouseButtonPress) return false;
    auto* press = static_cast<QMouseEvent*>(event);
    const document::ViewSettings& view = form1_.document().view;
    const std::optional<int> on = marks_.markAt(view, press->position().x(), press->position().y());
    if (!on) {
        // Any other press lets go of a kept label, and the pointer goes on as usual.
        if (marks_.pinned()) {
            marks_.setPinned(std::nullopt);
            form1_.drawNow();
        }
        return false;
    }
    // A press on a dot reads it, and is not also a press on the curve or the sheet below.
    if (press->button() == Qt::RightButton) {
        copyCoordinates(*on, press->globalPosition().toPoint());
        return true;
    }
    marks_.setPinned(on);
    form1_.drawNow();
    showStatus(marks_.describe(*on, view));
    return true;
}

void CurveReading::copyCoordinates(int mark, const QPoint& globalPos) {
    QMenu menu(form1_.sheet());
    menu.setObjectName(QStringLiteral("MarkMenu"));
    const QString coordinates = QString::fromStdString(marks_.coordinates(mark));
    QAction* copy = menu.addAction(i18n::uiText("复制坐标 ") + coordinates);
    copy->setObjectName(QStringLiteral("CopyCoordinates"));
    connect(copy, &QAction::triggered, this,
            [coordinates] { QGuiApplication::clipboard()->setText(coordinates); });
    menu.exec(globalPos);
}

bool CurveReading::traceKey(int key, bool shifted, const QString& text) {
    document::Document& doc = form1_.document();
    const int width = sheetWidth(form1_);
    switch (key) {
    case Qt::Key_Escape:
        trace_.stop();
        form1_.drawNow();
        showStatus("");
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        trace_.step(doc, (key == Qt::Key_Left ? -1 : 1) * (shifted ? 10 : 1));
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        trace_.nextCurve(doc, key == Qt::Key_Up ? -1 : 1);
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        trace_.toEdge(doc, width, key == Qt::Key_End);
        break;
    default:
        // A number typed on the sheet opens the box for an x, starting with what was typed.
        if (text.size() == 1 &&
            (text[0].isDigit() || text[0] == QLatin1Char('-') || text[0] == QLatin1Char('.'))) {
            jumpByTypedNumber(text);
            return true;
        }
        return false;
    }
    form1_.drawNow();
    showStatus(trace_.statusText(doc));
    return true;
}

void CurveReading::jumpByTypedNumber(const QString& typed) {
    bool ok = false;
    const QString entered = QInputDialog::getText(&form1_, i18n::uiText("求值"),
                                                  QString::fromUtf8(trace_.variableName(form1_.document())) +
                                                      QStringLiteral(" ="),
                                                  QLineEdit::Normal, typed, &ok);
    if (!ok) return;
    const std::optional<double> x = parseDecimal(entered.trimmed().toStdString());
    if (!x) {
        showStatus(fillTemplate(UI_TEXT("请输入一个数：%1"), {entered.toStdString()}));
        return;
    }
    trace_.moveTo(*x);
    form1_.drawNow();
    showStatus(trace_.statusText(form1_.document()));
}

CurveReading* installCurveReading(TForm1& form1) {
    auto* reading = new CurveReading(form1);
    for (const char* name : {"N61", "SpeedButton61"})
        form1.setCommand(QString::fromLatin1(name), [reading] {
            reading->startTrace();
            return graph::change::kNone;
        });
    for (const char* name : {"N62", "SpeedButton62"})
        form1.setCommand(QString::fromLatin1(name), [reading] {
            reading->table()->showFor();
            return graph::change::kNone;
        });
    return reading;
}

} // namespace quorvel::app
