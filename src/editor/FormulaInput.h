#pragma once

#include <QPlainTextEdit>

namespace quorvel::editor {

// The editor's input box. A paste of LaTeX (copied from a web page, a paper or another program) is read
// into markup; any other paste, and LaTeX the reader refuses, goes in as it is, so that nothing pasted is
// lost and the checks under the input say what is wrong.
class FormulaInput : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void insertFromMimeData(const QMimeData* source) override;
};

} // namespace quorvel::editor
