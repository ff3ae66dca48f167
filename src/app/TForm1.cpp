#include "app/TForm1.h"

#include "app/Captions.h"
#include "app/ErrorBox.h"
#include "app/HelpPage.h"
#include "app/QtMessageSink.h"
#include "app/SheetPrinting.h"
#include "app/SheetWidget.h"
#include "app/TForm13.h"
#include "app/TemplateBar.h"
#include "codec/FunFile.h"
#include "document/DocumentText.h"
#include "document/Messages.h"
#include "graph/GridCommands.h"
#include "graph/StatusText.h"
#include "typeset/qt/QtCanvas.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolBar>

#include <stdexcept>

namespace quorvel::app {

TForm1::TForm1(Services services, QWidget* parent) : QMainWindow(parent) {
    sink_ = services.sink;
    if (!sink_) {
        ownSink_ = std::make_unique<QtMessageSink>(this);
        sink_ = ownSink_.get();
    }
    dialogs_ = services.fileDialogs;
    if (!dialogs_) {
        ownDialogs_ = std::make_unique<QtFileDialogs>();
        dialogs_ = ownDialogs_.get();
    }
    textCache_ = std::make_shared<typeset::QtTextCache>();
    endProcess_ = services.endProcess ? services.endProcess : [](int code) { QCoreApplication::exit(code); };

    buildWindow();
    buildMenus();
    buildToolBar();
    connectBuiltInCommands();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::buildWindow() {
    setObjectName(QStringLiteral("Form1"));
    // Menus, bars and dialogs keep the desktop's interface font; the document face is for the sheet.
    setContextMenuPolicy(Qt::PreventContextMenu);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    panel2_ = new TemplateBar(central);
    for (QAction* action : panel2_->actions())
        registerItem(action);
    row->addWidget(panel2_);

    panel1_ = new QFrame(central);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel1_->setLineWidth(1);
    auto* fill = new QHBoxLayout(panel1_);
    fill->setContentsMargins(0, 0, 0, 0);
    image1_ = new SheetWidget(panel1_);
    fill->addWidget(image1_);
    row->addWidget(panel1_, 1);
    setCentralWidget(central);

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    statusPanel_ = new QLabel(status);
    statusPanel_->setObjectName(QStringLiteral("StatusPanel0"));
    statusPanel_->setMinimumWidth(50);
    status->addWidget(statusPanel_, 1);
    setStatusBar(status);

    connect(image1_, &SheetWidget::resized, this, &TForm1::onSheetResized);
    image1_->setFocus();

    // Below this the template bar's buttons would overlap one another.
    setMinimumSize(640, 480);
    // A sensible size before the window is first shown maximised, so the sheet starts with real extents.
    resize(1024, 720);
    if (layout()) layout()->activate();
    central->layout()->activate();
}

void TForm1::connectBuiltInCommands() {
    const auto bind = [this](std::initializer_list<const char*> names, auto method) {
        for (const char* name : names)
            setCommand(QString::fromUtf8(name), [this, method] { return (this->*method)(); });
    };
    bind({"N1", "SpeedButton20"}, &TForm1::N1Click);
    bind({"O1", "SpeedButton21"}, &TForm1::O1Click);
    for (const char* name : {"S2", "SpeedButton22"})
        setCommand(QString::fromUtf8(name), [this] {
            (void)S2Click();
            return graph::change::kNone;
        });
    for (const char* name : {"P1", "SpeedButton23"})
        setCommand(QString::fromUtf8(name), [this] {
            printWithDialog(printSource());
            return graph::change::kNone;
        });
    setCommand(QStringLiteral("P2"), [this] {
        previewPrint(printSource());
        return graph::change::kNone;
    });
    bind({"Q1", "SpeedButton24", "ToolButton1"}, &TForm1::Q1Click);
    bind({"A1", "SpeedButton28"}, &TForm1::A1Click);
    bind({"S1", "SpeedButton27"}, &TForm1::S1Click);
    bind({"N10", "N30"}, &TForm1::N10Click);
    bind({"N11", "N29"}, &TForm1::N11Click);
    bind({"N17", "N31"}, &TForm1::N17Click);
    bind({"N18", "N32"}, &TForm1::N18Click);
    bind({"Y1", "N49"}, &TForm1::Y1Click);
    bind({"N8"}, &TForm1::N8Click);
    bind({"M1"}, &TForm1::M1Click);
    bind({"N13", "SpeedButton25"}, &TForm1::N13Click);
    bind({"N15"}, &TForm1::N15Click);
}

// --- extension points ---

void TForm1::setCommand(const QString& name, Command command) {
    QAction* action = item(name);
    if (!action) throw std::logic_error("no menu item or button for the command " + name.toStdString());
    if (commands_.contains(name))
        throw std::logic_error("the command " + name.toStdString() + " is given twice");
    commands_.insert(name, std::move(command));
    action->setEnabled(true);
}

void TForm1::setItemEnabled(const QString& name, bool enabled) {
    if (QAction* action = item(name)) action->setEnabled(enabled && hasCommand(name));
}

QAction* TForm1::item(const QString& name) const {
    return items_.value(name, nullptr);
}

PrintSource TForm1::printSource() {
    const auto draw = [this](typeset::Canvas& canvas) {
        // Paper shows the work, not the screen's tools: no marks or traces, no unit handles, no selection.
        graph::SheetLayers paper = layers_;
        paper.screenOverlay = nullptr;
        graph::SheetGeometry geometry = sheetGeometry();
        geometry.unitHandles = false;
        const document::Selection kept = doc_.selection;
        doc_.selection.clear();
        graph::Draw_zuobiao(canvas, doc_.view, geometry, paper);
        doc_.selection = kept;
    };
    const QString name = fileName_.isEmpty() ? i18n::uiText(kUntitled) : QFileInfo(fileName_).fileName();
    return {this, image1_->sheetSize(), draw, textCache_, sink_, QString::fromUtf8(kPrintJobPrefix) + name};
}

graph::SheetGeometry TForm1::sheetGeometry() const {
    const QSize panel = panelSize();
    return {image1_->sheetSize().width(), image1_->sheetSize().height(), double(panel.width()),
            double(panel.height())};
}

QSize TForm1::panelSize() const {
    return panel1_->size();
}

// --- start, redraw, history ---

void TForm1::FormCreate() {
    const QSize panel = panelSize();
    sheetExtent_ = {double(panel.width()), double(panel.height())};
    doc_.resetForNew(sheetExtent_.width, sheetExtent_.height);
    history_.reset();
    image1_->fitBitmap();
    apply(graph::change::kEdit);
}

void TForm1::apply(graph::SheetChange change) {
    if (change.resample) resampleAll();
    if (change.redraw) Draw_zuobiao();
    if (change.record)
        document::record_history(doc_, history_);
    else if (change.unrecorded)
        history_.noteUnrecordedChange();
    updateUndoRedo();
    updateTitle();
    if (change.record || change.unrecorded) emit documentChanged();
}

void TForm1::Draw_zuobiao() {
    // Every change of the selection is followed by a redraw, so the items that act on it follow at once.
    syncSelectionItems();
    image1_->fitBitmap();
    {
        typeset::QtCanvas canvas(image1_->bitmap(), textCache_);
        canvas.setLineQuality(image1_->lineQuality());
        graph::Draw_zuobiao(canvas, doc_.view, sheetGeometry(), layers_);
    }
    image1_->update();
    emit sheetDrawn();
}

void TForm1::syncSelectionItems() {
    const bool selected = !doc_.selection.empty();
    setItemEnabled(QStringLiteral("D1"), selected);
    setItemEnabled(QStringLiteral("N46"), selected);
}

void TForm1::updateUndoRedo() {
    for (const char* name : {"A1", "SpeedButton28"})
        setItemEnabled(QString::fromUtf8(name), history_.canUndo());
    for (const char* name : {"S1", "SpeedButton27"})
        setItemEnabled(QString::fromUtf8(name), history_.canRedo());
}

void TForm1::resampleAll() {
    if (!resample_) return;
    for (int i = 0; i < doc_.curveCount(); ++i)
        resample_(doc_.curve(i));
}

void TForm1::syncViewControls() {
    const document::ViewSettings& v = doc_.view;
    const QString grid = i18n::uiText(v.gridShown == 1 ? kHideGrid : kShowGrid);
    const QString axes = i18n::uiText(v.axesShown == 1 ? kHideAxes : kShowAxes);
    item(QStringLiteral("N18"))->setText(grid);
    item(QStringLiteral("N32"))->setText(grid);
    item(QStringLiteral("Y1"))->setText(axes);
    item(QStringLiteral("N49"))->setText(axes);
    // The check mark follows the grid kind a document brings along.
    item(QStringLiteral("N10"))->setChecked(v.gridKind == document::GridSquare);
    item(QStringLiteral("N11"))->setChecked(v.gridKind == document::GridRectangular);
    item(QStringLiteral("N17"))->setChecked(v.gridKind == document::GridPolar);
}

void TForm1::runCommand(const Command& command) {
    try {
        apply(command());
    } catch (const std::exception& e) {
        showEscapedError(*sink_, &e);
    } catch (...) {
        showEscapedError(*sink_, nullptr);
    }
}

// --- sheet events ---

void TForm1::onSheetResized() {
    const BarToggleWatch::Resize resize = barWatch_.classify(panelSize());
    if (resize == BarToggleWatch::Resize::Ordinary) return FormResize();
    // After a bar toggle the sheet grows or shrinks around its origin, once the panel has its new size.
    image1_->fitBitmap();
    if (resize == BarToggleWatch::Resize::Pending) return;
    sheetExtent_ = {double(panelSize().width()), double(panelSize().height())};
    apply({.resample = true, .redraw = true});
}

void TForm1::FormResize() {
    image1_->fitBitmap();
    const QSize panel = panelSize();
    graph::keepOriginOnResize(doc_.view, sheetExtent_, panel.width(), panel.height());
    // Before the first change (the window being maximised at start, say) the first state follows the
    // view, so undoing back to it shows the sheet as the user first saw it.
    const bool firstState = history_.states() == 1 && !history_.changed();
    if (firstState) history_.reset();
    apply({.resample = true, .redraw = true, .record = firstState});
}

// --- history commands ---

graph::SheetChange TForm1::rebuildFromHistory(const std::string* text) {
    if (!text) return graph::change::kNone;
    doc_.open(*text, resample_);
    syncViewControls();
    return graph::change::kRedraw;
}

graph::SheetChange TForm1::A1Click() {
    // Rebuilding the document under a drag would pull the dragged objects away from the pointer.
    if (historyGate_ && !historyGate_()) return graph::change::kNone;
    return rebuildFromHistory(history_.undo());
}

graph::SheetChange TForm1::S1Click() {
    if (historyGate_ && !historyGate_()) return graph::change::kNone;
    return rebuildFromHistory(history_.redo());
}

// --- grid and axes ---

void TForm1::selectGrid(const char* checkedItem) {
    for (const char* name : {"N10", "N11", "N17"})
        item(QString::fromLatin1(name))->setChecked(qstrcmp(name, checkedItem) == 0);
}

graph::SheetChange TForm1::N10Click() {
    selectGrid("N10");
    return graph::selectSquareGrid(doc_.view);
}

graph::SheetChange TForm1::N11Click() {
    selectGrid("N11");
    return graph::selectRectangularGrid(doc_.view);
}

graph::SheetChange TForm1::N17Click() {
    selectGrid("N17");
    return graph::selectPolarGrid(doc_.view);
}

graph::SheetChange TForm1::N18Click() {
    const graph::SheetChange change = graph::toggleGrid(doc_.view);
    syncViewControls();
    return change;
}

graph::SheetChange TForm1::Y1Click() {
    const graph::SheetChange change = graph::toggleAxes(doc_.view);
    syncViewControls();
    return change;
}

// --- bars, help, about ---

graph::SheetChange TForm1::N8Click() {
    const bool hide = !toolBar1_->isHidden();
    item(QStringLiteral("N8"))->setText(i18n::uiText(hide ? kShowToolBar : kHideToolBar));
    barWatch_.toggle(toolBar1_, !hide, panelSize());
    return graph::change::kRedraw;
}

graph::SheetChange TForm1::M1Click() {
    const bool hide = !panel2_->isHidden();
    item(QStringLiteral("M1"))->setText(i18n::uiText(hide ? kShowTemplateBar : kHideTemplateBar));
    barWatch_.toggle(panel2_, !hide, panelSize());
    // The curves are sampled per pixel column, and the sheet changed its width.
    image1_->fitBitmap();
    return {.resample = true, .redraw = true};
}

graph::SheetChange TForm1::N13Click() {
    const QString path = helpPagePath(QCoreApplication::applicationDirPath());
    if (!QFileInfo(path).isFile()) {
        sink_->show(helpMissingMessage(QDir::toNativeSeparators(path).toStdString()), kCaptionHint,
                    MessageIcon::Information);
        return graph::change::kNone;
    }
    showHelpViewer(this, path);
    return graph::change::kNone;
}

graph::SheetChange TForm1::N15Click() {
    if (!aboutBox_) aboutBox_ = new TForm13(this);
    aboutBox_->exec();
    return graph::change::kNone;
}

} // namespace quorvel::app
