#include "graph/ui/TForm4.h"
#include "graph/ui/DialogWidgets.h"
#include "i18n/Translation.h"

#include "base/NumberFormat.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace quorvel::graph {

namespace {

constexpr std::array<const char*, 3> kNameCaptions{"A:", "B:", "C:"};
constexpr std::array<const char*, 3> kNameLabelNames{"Label1", "Label2", "Label3"};
constexpr std::array<const char*, 3> kTrackBarNames{"TrackBar1", "TrackBar2", "TrackBar3"};
constexpr std::array<const char*, 3> kStepEditNames{"Edit1", "Edit2", "Edit3"};
constexpr std::array<const char*, 3> kValueLabelNames{"Label4", "Label5", "Label6"};
constexpr const char* kDefaultStep = "0.1";

} // namespace

TForm4::TForm4(MessageSink& sink, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      sink_(sink) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(i18n::uiText("动态演示"));
    setModal(true);
    buildControls();
}

void TForm4::buildControls() {
    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);

    auto* grid = new QGridLayout;
    grid->addWidget(makeLabel(nullptr, UI_TEXT("参数调整："), this), 0, 0, 1, 6);
    grid->addWidget(makeLabel(nullptr, UI_TEXT("当前参数值："), this), 0, 6);
    for (std::size_t k = 0; k < kRows; ++k) {
        const int row = static_cast<int>(k) + 1;
        nameLabels_[k] = makeLabel(kNameLabelNames[k], kNameCaptions[k], this);
        nameLabels_[k]->setMinimumWidth(24);
        minusSigns_[k] = makeLabel(nullptr, "-", this);
        trackBars_[k] = new QSlider(Qt::Horizontal, this);
        trackBars_[k]->setObjectName(QString::fromUtf8(kTrackBarNames[k]));
        trackBars_[k]->setRange(0, kMaxPosition);
        trackBars_[k]->setSingleStep(1);
        trackBars_[k]->setValue(kMiddle);
        trackBars_[k]->setTickPosition(QSlider::NoTicks);
        trackBars_[k]->setFixedWidth(160);
        plusSigns_[k] = makeLabel(nullptr, "+", this);
        stepCaptions_[k] = makeLabel(nullptr, UI_TEXT("步长："), this);
        stepEdits_[k] = new QLineEdit(QString::fromUtf8(kDefaultStep), this);
        stepEdits_[k]->setObjectName(QString::fromUtf8(kStepEditNames[k]));
        stepEdits_[k]->setFixedWidth(60);
        valueLabels_[k] = makeLabel(kValueLabelNames[k], "", this);
        valueLabels_[k]->setMinimumWidth(100);

        grid->addWidget(nameLabels_[k], row, 0);
        grid->addWidget(minusSigns_[k], row, 1);
        grid->addWidget(trackBars_[k], row, 2);
        grid->addWidget(plusSigns_[k], row, 3);
        grid->addWidget(stepCaptions_[k], row, 4);
        grid->addWidget(stepEdits_[k], row, 5);
        grid->addWidget(valueLabels_[k], row, 6);
    }
    main->addLayout(grid);

    auto* choice = new QHBoxLayout;
    radioButton1_ = new QRadioButton(i18n::uiText("保存当前参数值 "), this);
    radioButton1_->setObjectName(QStringLiteral("RadioButton1"));
    radioButton1_->setChecked(true);
    radioButton2_ = new QRadioButton(i18n::uiText("不保存当前参数值"), this);
    radioButton2_->setObjectName(QStringLiteral("RadioButton2"));
    choice->addWidget(radioButton1_);
    choice->addWidget(radioButton2_);
    choice->addStretch(1);
    main->addLayout(choice);

    connect(trackBars_[0], &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    connect(trackBars_[1], &QSlider::valueChanged, this, [this] { TrackBar2Change(); });
    connect(trackBars_[2], &QSlider::valueChanged, this, [this] { TrackBar3Change(); });
}

document::DEFINEFUN* TForm4::target() const {
    if (!doc_ || slot_ < 0 || slot_ >= doc_->curveCount()) return nullptr;
    return &doc_->curve(slot_);
}

void TForm4::setRowsFor(int paramCount) {
    const int shown = shownRows(paramCount);
    for (std::size_t k = 0; k < kRows; ++k) {
        const bool visible = static_cast<int>(k) < shown;
        nameLabels_[k]->setVisible(visible || k == 0); // row A's name stays even without parameters
        minusSigns_[k]->setVisible(visible);
        trackBars_[k]->setVisible(visible);
        plusSigns_[k]->setVisible(visible);
        stepCaptions_[k]->setVisible(visible);
        stepEdits_[k]->setVisible(visible);
        valueLabels_[k]->setVisible(visible);
    }
}

SheetChange TForm4::execFor(document::Document& doc, int slot) {
    if (slot < 0 || slot >= doc.curveCount()) return change::kNone;
    doc_ = &doc;
    slot_ = slot;
    closing_ = {};
    setRowsFor(doc.curve(slot).paramCount);
    exec();
    doc_ = nullptr;
    slot_ = -1;
    return closing_;
}

void TForm4::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TForm4::FormActivate() {
    const document::DEFINEFUN* item = target();
    if (!item) return;
    activate(*item, {trackBars_[0]->value(), trackBars_[1]->value(), trackBars_[2]->value()});
    for (std::size_t k = 0; k < static_cast<std::size_t>(shownRows(item->paramCount)); ++k) {
        nameLabels_[k]->setText(QString::fromStdString(item->paramNames[k]));
        valueLabels_[k]->setText(QString::fromStdString(formatGeneral(item->paramValues[k])));
    }
}

void TForm4::trackBarChange(int row) {
    document::DEFINEFUN* item = target();
    if (!item) return;
    const auto k = static_cast<std::size_t>(row);
    switch (slide(*item, row, trackBars_[k]->value(), stepEdits_[k]->text().toStdString())) {
    case SweepChange::Ignored:
        return;
    case SweepChange::Refused:
        sink_.show(kStepNotNumberMessage, kStepMessageCaption, MessageIcon::None);
        stepEdits_[k]->setFocus();
        return;
    case SweepChange::Applied:
        break;
    }
    valueLabels_[k]->setText(QString::fromStdString(formatGeneral(item->paramValues[k])));
    if (sheet_.refresh) sheet_.refresh(slot_);
    if (sheet_.drawNow) sheet_.drawNow();
}

void TForm4::done(int result) {
    if (isVisible()) FormClose();
    QDialog::done(result);
}

void TForm4::FormClose() {
    active = 0;
    for (QSlider* trackBar : trackBars_)
        trackBar->setValue(kMiddle);
    document::DEFINEFUN* item = target();
    if (!item) return;
    if (!radioButton2_->isChecked()) {
        closing_ = change::kEdit;
        return;
    }
    restore(*item);
    if (sheet_.refresh) sheet_.refresh(slot_);
    closing_ = change::kRedraw;
}

} // namespace quorvel::graph
