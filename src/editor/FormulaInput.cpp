#include "editor/FormulaInput.h"

#include "editor/EditorWidgets.h"
#include "expr/LatexReader.h"

#include <QMimeData>

namespace quorvel::editor {

void FormulaInput::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText()) {
        const std::string text = source->text().toStdString();
        if (expr::looksLikeLatex(text)) {
            const expr::LatexReading reading = expr::readLatex(text);
            if (reading.ok()) {
                insertPlainText(qs(reading.markup));
                return;
            }
        }
    }
    QPlainTextEdit::insertFromMimeData(source);
}

} // namespace quorvel::editor
