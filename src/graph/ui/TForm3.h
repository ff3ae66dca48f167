#pragma once

#include "base/MessageSink.h"
#include "graph/CurveCommands.h"

#include <QDialog>
#include <QImage>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvel::graph {

class ColourSwatch;

// The function editing dialog: name, parameters A, B, C, label font, curve colour and drawing domain of a
// template curve, both when it is made from the template bar and when it is reopened. The caption of the
// OK button is the mode ("确定" new curve, "修改" reopened curve). The commands drive it through
// FunctionDialog; its OK checks the input and writes it into the record it was shown for.
class TForm3 : public QDialog, public FunctionDialog {
    Q_OBJECT
public:
    static constexpr int kPreviewWidth = 209;
    static constexpr int kPreviewHeight = 49;

    // Runs the platform's colour dialog starting at a colour; nothing when it is cancelled.
    using ColourChooser = std::function<std::optional<int>(int current, QWidget* parent)>;

    explicit TForm3(MessageSink& sink, QWidget* parent = nullptr);

    // 1 when the dialog was last closed by its OK button, else 0.
    std::uint8_t dialogResult = 0;
    // The curve colour the swatch shows and OK stores; carries over from one use to the next.
    int pickedColour = document::kBlue;

    // Index of the first offered font named exactly name, or -1.
    int findFontIndex(const QString& name) const;
    // What the controls hold, as OK reads it (hidden parameter rows are not read).
    FunctionDialogInput currentInput() const;
    const QImage& previewImage() const { return preview_; }

    void setColourChooser(ColourChooser chooser) { chooseColour_ = std::move(chooser); }
    // What the "动态演示" button starts for the item in slot currentCurve. Without it the button stays
    // disabled and says why.
    void setDemonstrationHandler(std::function<void()> handler) { demonstration_ = std::move(handler); }

    // FunctionDialog
    std::string okCaption() const override;
    void setOkCaption(const std::string& caption) override;
    void setName(const std::string& name) override;
    void setRowVisible(int row, bool visible) override;
    void setRowText(int row, const std::string& text) override;
    void setFontSizeText(const std::string& text) override;
    void selectFont(const std::string& name) override;
    void setPickedColour(int colour) override;
    void setDomainTexts(const std::string& start, const std::string& end) override;
    void setPreview(std::string_view markup, const typeset::FormulaStyle& style) override;
    bool execFor(document::DEFINEFUN& target) override;

    // Event handlers.
    void FormCreate();
    void FormActivate();
    void ComboBox1Change();
    void Shape1MouseDown();
    void SpeedButton2Click(); // OK
    void SpeedButton5Click(); // cancel
    void SpeedButton4Click(); // dynamic demonstration

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();

    MessageSink& sink_;
    ColourChooser chooseColour_;
    std::function<void()> demonstration_;
    bool demonstrationRequested_ = false;
    document::DEFINEFUN* target_ = nullptr;
    std::array<bool, 3> rowShown_{true, true, true};
    QImage preview_;

    QLabel* image1_ = nullptr;
    QLineEdit* edit6_ = nullptr;
    std::array<QLabel*, 3> rowLabels_{};
    std::array<QLineEdit*, 3> rowEdits_{};
    QLineEdit* edit7_ = nullptr;
    QLabel* label11_ = nullptr;
    QComboBox* comboBox1_ = nullptr;
    ColourSwatch* shape1_ = nullptr;
    QLineEdit* edit8_ = nullptr;
    QLineEdit* edit9_ = nullptr;
    QPushButton* speedButton1_ = nullptr;
    QPushButton* speedButton2_ = nullptr;
    std::string okCaption_ = kNewCurveCaption; // the Chinese mode caption the commands compare
    QPushButton* speedButton4_ = nullptr;
    QPushButton* speedButton5_ = nullptr;
};

} // namespace quorvel::graph
