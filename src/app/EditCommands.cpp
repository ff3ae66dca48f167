#include "app/EditCommands.h"

#include "app/SheetInteraction.h"
#include "app/SheetWidget.h"
#include "app/TForm1.h"
#include "graph/SheetEdit.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>

namespace quorvel::app {

using document::ObjectRef;

EditCommands::EditCommands(TForm1& form1, SheetInteraction& interaction, ClipboardOfferFn offer)
    : QObject(&form1), form1_(form1), interaction_(interaction), offer_(std::move(offer)) {
    form1.sheet()->installEventFilter(this);
    connect(&form1, &TForm1::documentReset, this, [this] { syncPasteItems(); });
}

bool EditCommands::lastPressHitObject() const {
    return interaction_.mouse().lastPress().kind != graph::HitKind::Nothing;
}

void EditCommands::syncPasteItems() {
    // Paste has nothing to give while the internal clipboard is empty.
    const bool filled = form1_.document().clipKind() != document::ClipNone;
    form1_.setItemEnabled(QStringLiteral("N24"), filled);
    form1_.setItemEnabled(QStringLiteral("N47"), filled);
}

EditCommands::SheetChange EditCommands::selectAll() {
    return graph::selectAll(form1_.document());
}

EditCommands::SheetChange EditCommands::remove() {
    return graph::removeSelected(form1_.document());
}

bool EditCommands::offerToSystemClipboard(ObjectRef copied, graph::HitKind how) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const ItemHit hit = how == graph::HitKind::CurveLine ? ItemHit::Line : ItemHit::Box;
    std::unique_ptr<QMimeData> data =
        copied.type != ObjectRef::None && offer_ ? offer_(form1_.document(), copied, hit) : nullptr;
    if (!data) {
        clipboard->clear();
        return false;
    }
    clipboard->setMimeData(data.release());
    return true;
}

EditCommands::SheetChange EditCommands::copy() {
    const graph::SheetPoint at = interaction_.mouse().anchor();
    const graph::SheetHit hit = interaction_.mouse().pressHit(at.x, at.y);
    const ObjectRef copied = graph::copyObject(form1_.document(), hit);
    offerToSystemClipboard(copied, hit.kind);
    if (copied.type == ObjectRef::None) return graph::change::kNone;
    syncPasteItems();
    return graph::change::kRedraw; // the selection kept only its last entry
}

EditCommands::SheetChange EditCommands::cut() {
    document::Document& doc = form1_.document();
    const graph::SheetPoint at = interaction_.mouse().anchor();
    const graph::SheetHit hit = interaction_.mouse().pressHit(at.x, at.y);
    const ObjectRef copied = graph::copyObject(doc, hit);
    // The pictures are made while the object still exists.
    offerToSystemClipboard(copied, hit.kind);
    if (copied.type == ObjectRef::None) return graph::change::kNone;
    syncPasteItems();
    graph::removeObject(doc, copied);
    return graph::change::kEdit;
}

EditCommands::SheetChange EditCommands::paste() {
    return graph::pasteAt(form1_.document(), interaction_.mouse().pastePosition(), form1_.resampler());
}

EditCommands::SheetChange EditCommands::menuCopy() {
    return lastPressHitObject() ? copy() : graph::change::kNone;
}
EditCommands::SheetChange EditCommands::menuCut() {
    return lastPressHitObject() ? cut() : graph::change::kNone;
}
EditCommands::SheetChange EditCommands::menuPaste() {
    return lastPressHitObject() ? paste() : graph::change::kNone;
}

void EditCommands::nudge(int dx, int dy) {
    form1_.runCommand([&] { return graph::nudgeSelected(form1_.document(), dx, dy); });
}

bool EditCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched != form1_.sheet() || event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // The keys act whatever the menu items say: copy and cut after a press on an object, paste while
    // the internal clipboard holds one.
    if (key->matches(QKeySequence::Copy)) {
        if (lastPressHitObject()) form1_.runCommand([this] { return copy(); });
        return true;
    }
    if (key->matches(QKeySequence::Cut)) {
        if (lastPressHitObject()) form1_.runCommand([this] { return cut(); });
        return true;
    }
    if (key->matches(QKeySequence::Paste)) {
        if (form1_.document().clipKind() != document::ClipNone) form1_.runCommand([this] { return paste(); });
        return true;
    }
    // Tab and Shift+Tab choose one object after another, Esc chooses none, as drawing programs do.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
        interaction_.chooseByKey(key->key() == Qt::Key_Tab ? 1 : -1);
        return true;
    }
    if (key->modifiers() & ~(Qt::KeypadModifier)) return false;
    switch (key->key()) {
    case Qt::Key_Escape:
        return interaction_.chooseByKey(0);
    case Qt::Key_Delete:
        form1_.runCommand([this] { return remove(); });
        return true;
    case Qt::Key_Left:
        nudge(-2, 0);
        return true;
    case Qt::Key_Right:
        nudge(2, 0);
        return true;
    case Qt::Key_Up:
        nudge(0, -2);
        return true;
    case Qt::Key_Down:
        nudge(0, 2);
        return true;
    default:
        return false;
    }
}

EditCommands* installEditCommands(TForm1& form1, SheetInteraction& interaction, ClipboardOfferFn offer) {
    if (!offer)
        offer = [&form1](const document::Document& doc, ObjectRef target, ItemHit hit) {
            return clipboardOffer(doc, target, hit, form1.sheet()->sheetSize().width(), form1.textCache());
        };
    auto* edit = new EditCommands(form1, interaction, std::move(offer));
    // Undo and redo wait while a drag is under way: the rebuilt document would pull the dragged objects
    // away from the pointer.
    form1.setHistoryGate([&interaction] { return !interaction.mouse().dragging(); });
    const struct {
        std::initializer_list<const char*> names;
        graph::SheetChange (EditCommands::*run)();
    } commands[] = {
        {{"N16"}, &EditCommands::selectAll}, {{"D1", "N25"}, &EditCommands::remove},
        {{"N22"}, &EditCommands::copy},      {{"N23"}, &EditCommands::cut},
        {{"N24"}, &EditCommands::paste},     {{"N46"}, &EditCommands::menuCopy},
        {{"N45"}, &EditCommands::menuCut},   {{"N47"}, &EditCommands::menuPaste},
    };
    for (const auto& command : commands)
        for (const char* name : command.names)
            form1.setCommand(QString::fromLatin1(name), [edit, run = command.run] { return (edit->*run)(); });
    // The sheet takes Ctrl+C, Ctrl+X and Ctrl+V itself (their rules differ from the menu items'); the menu
    // still shows the keys.
    for (const char* name : {"N45", "N46", "N47"})
        form1.item(QString::fromLatin1(name))->setShortcutContext(Qt::WidgetShortcut);
    // Redo keeps Ctrl+S and also answers the desktop's usual redo keys.
    QList<QKeySequence> redoKeys{QKeySequence(QStringLiteral("Ctrl+S")),
                                 QKeySequence(QStringLiteral("Ctrl+Y"))};
    for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Redo))
        if (!redoKeys.contains(key)) redoKeys += key;
    form1.item(QStringLiteral("S1"))->setShortcuts(redoKeys);
    edit->syncPasteItems();
    form1.apply(graph::change::kRedraw); // the items that follow the selection
    return edit;
}

} // namespace quorvel::app
