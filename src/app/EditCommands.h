#pragma once

#include "app/ClipboardOffer.h"
#include "document/Document.h"
#include "graph/SheetMouse.h"

#include <QObject>

#include <functional>
#include <memory>

class QMimeData;

namespace quorvel::app {

class SheetInteraction;
class TForm1;

// What the system clipboard gets for a copied object; nullptr leaves it empty.
using ClipboardOfferFn =
    std::function<std::unique_ptr<QMimeData>(const document::Document&, document::ObjectRef, ItemHit)>;

// Select all, delete, cut, copy and paste from the menus, the pop-up menu and the keys, and
// the arrow-key nudge. Copy and cut work on the object under the last press; paste puts the internal
// clipboard's object there.
class EditCommands : public QObject {
    Q_OBJECT
public:
    EditCommands(TForm1& form1, SheetInteraction& interaction, ClipboardOfferFn offer);

    using SheetChange = graph::SheetChange;

    SheetChange selectAll();
    SheetChange remove();
    SheetChange copy();
    SheetChange cut();
    SheetChange paste();
    // The main menu's versions act only after a left press hit an object.
    SheetChange menuCopy();
    SheetChange menuCut();
    SheetChange menuPaste();
    // Paste is offered only while the internal clipboard holds an object.
    void syncPasteItems();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool lastPressHitObject() const;
    bool offerToSystemClipboard(document::ObjectRef copied, graph::HitKind how);
    void nudge(int dx, int dy);

    TForm1& form1_;
    SheetInteraction& interaction_;
    ClipboardOfferFn offer_;
};

// Connects the edit commands to their menu items, buttons and keys; a child of the window. Without an
// offer, copied objects go out as their pictures and markup (clipboardOffer).
EditCommands* installEditCommands(TForm1& form1, SheetInteraction& interaction, ClipboardOfferFn offer);

} // namespace quorvel::app
