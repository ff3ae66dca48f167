#pragma once

namespace quorvel::graph {

// What the main window keeps beside the document while the user works on the sheet: the last press,
// the drag in progress, what was hit, and the pending annotation placement. None of it is stored in
// the document text.
struct InteractionState {
    double mouseX = 0; // last press on the sheet; pasted objects go there
    double mouseY = 0;
    int hitIndex = 0;      // slot of the object last pressed
    int selKind = 0;       // 1: the last left press hit an annotation, 2: a graph item
    int popupKind = 0;     // what the last right press hit (1 nothing, 2 annotation, 3 box, 4 curve line)
    int remarkMode = 0;    // 1 while a new annotation waits for its place
    int dragging = 0;      // 1 from a left press to its release
    int dragTarget = 0;    // 0 x-unit marker, 1 pan, 2 y-unit marker, 3 annotation, 4 graph item
    int dragUnit = 0;      // 1 while a unit marker is dragged
    int dragMoved = 0;     // something moved since the press
    int skipNextPress = 0; // the press that follows a double click is ignored

    // New experiment and open both start from a quiet sheet.
    void reset() { *this = InteractionState{}; }
};

} // namespace quorvel::graph
