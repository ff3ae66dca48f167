#pragma once

#include "base/MessageSink.h"
#include "document/Records.h"

#include <QDialog>
#include <QPoint>

#include <functional>
#include <optional>

class QPlainTextEdit;
class QPushButton;

namespace quorvel::app {

// The annotation dialog "多行注释": the text and its font. It never writes into the document; the caller
// stores what it returns.
class TForm6 : public QDialog {
    Q_OBJECT
public:
    using FontChooser = std::function<std::optional<document::FontSpec>(QWidget*, const document::FontSpec&)>;

    explicit TForm6(MessageSink& sink, QWidget* parent = nullptr);

    // A new annotation: empty text in the last chosen annotation font, OK "确定", the dialog's top-left
    // corner at topLeftGlobal (kept on the screen). Text (CR LF breaks) and font on OK; nothing on
    // cancel or for an empty text.
    std::optional<document::REMARK> execNew(const QPoint& topLeftGlobal);
    // An existing annotation: its text in its own font, OK "修改". On OK the text and the font the text box
    // shows (its own unless another was chosen); an empty text comes back empty. Nothing on cancel.
    std::optional<document::REMARK> execEdit(const document::REMARK& remark);

    // The font last chosen with 设置字体; new annotations and function labels take it.
    const document::FontSpec& lastChosenFont() const { return lastChosen_; }
    void setFontChooser(FontChooser chooser) { chooseFont_ = std::move(chooser); }

private:
    void showFont(const document::FontSpec& font);
    void chooseFont();
    void accept() override;
    void reject() override;
    std::optional<document::REMARK> run();

    MessageSink& sink_;
    FontChooser chooseFont_;
    QPlainTextEdit* memo1_ = nullptr;
    QPushButton* bitBtn1_ = nullptr;
    document::FontSpec shown_;
    document::FontSpec lastChosen_ = document::FontSpec::annotationDefault();
    std::string acceptedText_;
    bool accepted_ = false;
};

} // namespace quorvel::app
