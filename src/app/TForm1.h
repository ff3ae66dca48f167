#pragma once

#include "app/BarToggleWatch.h"
#include "app/FileDialogs.h"
#include "app/SheetPrinting.h"
#include "base/MessageSink.h"
#include "document/Document.h"
#include "document/HistoryRing.h"
#include "graph/SheetChange.h"
#include "graph/SheetGeometry.h"
#include "graph/SheetPainter.h"
#include "graph/SheetResize.h"

#include <QHash>
#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

namespace quorvel::typeset {
class QtTextCache;
}

class QAction;
class QDialog;
class QFrame;
class QLabel;
class QMenu;
class QToolBar;

namespace quorvel::app {

class SheetWidget;
class TemplateBar;

// What the main window talks to outside itself; tests put recording versions in place.
struct MainWindowServices {
    MessageSink* sink = nullptr;         // default: message boxes
    FileDialogs* fileDialogs = nullptr;  // default: the platform's file dialogs
    std::function<void(int)> endProcess; // default: leave the event loop with that code
};

// The main window: the sheet with the template bar, the tool bar, the menus and the status bar. It owns
// the one document, its history and the state of the sheet, and runs the commands of the menus.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    using DEFINEFUN = document::DEFINEFUN;
    using REMARK = document::REMARK;

    using Services = MainWindowServices;

    explicit TForm1(Services services = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // Windows created after this one at start.
    void setAboutBox(QDialog* form13) { aboutBox_ = form13; }

    // A command returns what it changed; the window applies that (apply).
    using Command = std::function<graph::SheetChange()>;

    // --- extension points for the commands other windows bring ---
    // Connects a command to the menu item or button with that name and enables it. Items without a
    // command stay disabled. A name is given a command once, and only a name the window has an item for:
    // anything else is a wiring fault and throws std::logic_error.
    void setCommand(const QString& name, Command command);
    bool hasCommand(const QString& name) const { return commands_.contains(name); }
    // Enables or disables an item; one without a command stays disabled.
    void setItemEnabled(const QString& name, bool enabled);
    // A menu item, tool button or template button by its name.
    QAction* item(const QString& name) const;
    // Graph items and annotations drawn above the coordinate system.
    void setSheetLayers(graph::SheetLayers layers) { layers_ = std::move(layers); }
    graph::SheetLayers& sheetLayers() { return layers_; }
    // Samples one graph item for the current view (confirm_funvalue).
    void setResampler(document::ResampleHook resample) { resample_ = std::move(resample); }
    const document::ResampleHook& resampler() const { return resample_; }

    document::Document& document() { return doc_; }
    document::HistoryRing& history() { return history_; }
    const graph::SheetExtent& sheetExtent() const { return sheetExtent_; }
    graph::SheetGeometry sheetGeometry() const;
    SheetWidget* sheet() const { return image1_; }
    QFrame* sheetPanel() const { return panel1_; }
    TemplateBar* templateBar() const { return panel2_; }
    QToolBar* toolBar() const { return toolBar1_; }
    QMenu* popupMenu() const { return popupMenu1_; }
    QLabel* statusPanel() const { return statusPanel_; }
    MessageSink& sink() { return *sink_; }
    // Text metrics shared by every drawing of the sheet.
    const std::shared_ptr<typeset::QtTextCache>& textCache() const { return textCache_; }
    const QString& fileName() const { return fileName_; }
    // The sheet as printing draws it.
    PrintSource printSource();

    // Brings captions and check marks in line with the view settings (after a read, undo or toggle).
    void syncViewControls();

    // --- the one road after a change ---
    // Brings the sheet up to date after a change, always in this order: every graph item is sampled for
    // the view, the sheet is drawn, the document becomes one history entry; undo and redo follow.
    void apply(graph::SheetChange change);
    // Draws the sheet in the middle of a command: before a modal dialog opens over a changed selection,
    // while the demonstration's sliders move.
    void drawNow() { Draw_zuobiao(); }
    // Undo and redo wait while this says no (a drag in progress would lose its objects).
    void setHistoryGate(std::function<bool()> open) { historyGate_ = std::move(open); }

    // The save command; true when the file was written.
    bool S2Click();
    // The open command after its dialog (also used for a file named on the command line). Returns true
    // when the file was read completely.
    bool openFile(const QString& path);
    // Runs a command and applies what it changed; an error escaping it is shown in the standard error
    // box and the program goes on.
    void runCommand(const Command& command);
    // New, open and recovery: the document becomes incoming, named fileName (empty: untitled), sampled
    // and drawn for the sheet, with a fresh history whose first state is it; changed marks it as not
    // saved (recovered work).
    void replaceDocument(document::Document incoming, const QString& fileName, bool changed = false);

signals:
    // New and open replaced the document: drags, pending placements and the last press are forgotten.
    void documentReset();
    // The document changed (recorded or not); recovery data follows it.
    void documentChanged();
    // The document was written to its file.
    void documentSaved();
    // A document file was opened or saved (the recent files follow).
    void fileUsed(const QString& path);
    // The window closes after the user's answer (a normal exit).
    void closing();
    // The sheet was drawn again (after a change, while a slider of the demonstration moves, …).
    void sheetDrawn();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The window's own commands; they run through runCommand, which applies what they changed.
    graph::SheetChange N1Click();  // new experiment
    graph::SheetChange O1Click();  // open
    graph::SheetChange Q1Click();  // exit
    graph::SheetChange A1Click();  // undo
    graph::SheetChange S1Click();  // redo
    graph::SheetChange N10Click(); // square grid
    graph::SheetChange N11Click(); // rectangular grid
    graph::SheetChange N17Click(); // polar grid
    graph::SheetChange N18Click(); // show or hide the grid
    graph::SheetChange Y1Click();  // show or hide the coordinate system
    graph::SheetChange N8Click();  // show or hide the tool bar
    graph::SheetChange M1Click();  // show or hide the template bar
    graph::SheetChange N13Click(); // help
    graph::SheetChange N15Click(); // about

    void buildWindow();
    void buildMenus();
    void buildToolBar();
    void connectBuiltInCommands();
    void FormCreate();
    void FormResize();
    void onSheetResized();
    QAction* newItem(const QString& name, const QString& caption, QObject* parent);
    void registerItem(QAction* action);
    // Asks before the current document is discarded; true when the caller may go on.
    bool confirmDiscard(const char* question);
    // 删除 and 复制 are offered exactly while something is selected.
    void syncSelectionItems();
    graph::SheetChange rebuildFromHistory(const std::string* text);
    void Draw_zuobiao();
    void resampleAll();
    void updateUndoRedo();
    void updateTitle();
    void selectGrid(const char* checkedItem);
    QSize panelSize() const;

    std::unique_ptr<MessageSink> ownSink_;
    std::unique_ptr<FileDialogs> ownDialogs_;
    MessageSink* sink_ = nullptr;
    FileDialogs* dialogs_ = nullptr;
    std::function<void(int)> endProcess_;

    document::Document doc_;
    document::HistoryRing history_;
    graph::SheetExtent sheetExtent_;
    graph::SheetLayers layers_;
    document::ResampleHook resample_;
    std::shared_ptr<typeset::QtTextCache> textCache_;
    QString fileName_;

    QToolBar* toolBar1_ = nullptr;
    TemplateBar* panel2_ = nullptr;
    QFrame* panel1_ = nullptr;
    SheetWidget* image1_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    QMenu* popupMenu1_ = nullptr;
    QDialog* aboutBox_ = nullptr;

    QHash<QString, QAction*> items_;
    QHash<QString, Command> commands_;
    std::function<bool()> historyGate_;
    BarToggleWatch barWatch_{this};
    bool exitConfirmed_ = false;
};

} // namespace quorvel::app
