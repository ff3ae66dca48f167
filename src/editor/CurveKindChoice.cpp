#include "editor/CurveKindChoice.h"

#include "base/UiText.h"
#include "document/Records.h"
#include "editor/EditorWidgets.h"
#include "i18n/Translation.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <array>

namespace quorvel::editor {

namespace {

struct KindEntry {
    int kind;
    const char* caption;
    const char* rangeCaption;
    const char* variable;
    const char* defaultStart;
    const char* defaultEnd;
    bool hasRange;
};

constexpr std::array<KindEntry, 4> kEntries{{
    {document::KindCustomFunction, UI_TEXT("函数"), UI_TEXT("绘制曲线的定义域"), "x:", "-9999", "9999", true},
    {document::KindParametric, UI_TEXT("参数方程"), UI_TEXT("参数 t 的范围"), "t:", "0", "2π", true},
    {document::KindPolar, UI_TEXT("极坐标方程"), UI_TEXT("参数 θ 的范围"), "θ:", "0", "2π", true},
    {document::KindImplicit, UI_TEXT("隐函数/不等式"), UI_TEXT("绘制曲线的定义域"), "x:", "", "", false},
}};

int entryOf(int kind) {
    if (kind == document::KindRegion) kind = document::KindImplicit;
    for (std::size_t i = 0; i < kEntries.size(); ++i)
        if (kEntries[i].kind == kind) return static_cast<int>(i);
    return 0;
}

} // namespace

CurveKindChoice::CurveKindChoice(QWidget* parent, QGroupBox* rangeBox, QLabel* variable, QLineEdit* start,
                                 QLineEdit* end)
    : QObject(parent), box_(new QComboBox(parent)), label_(new QLabel(i18n::uiText("曲线类型："), parent)),
      rangeBox_(rangeBox), variable_(variable), start_(start), end_(end) {
    box_->setObjectName(QStringLiteral("CurveKindBox"));
    box_->setAccessibleName(i18n::uiText("曲线类型"));
    label_->setObjectName(QStringLiteral("CurveKindLabel"));
    label_->setBuddy(box_);
    for (const KindEntry& entry : kEntries)
        box_->addItem(i18n::uiText(entry.caption));
    connect(box_, &QComboBox::activated, this, [this](int entry) { picked(entry); });
}

void CurveKindChoice::start(bool enabled, int kind, const std::string& rangeStart,
                            const std::string& rangeEnd) {
    pickedByHand_ = false;
    box_->setEnabled(enabled);
    show(entryOf(kind), false);
    start_->setText(qs(rangeStart));
    end_->setText(qs(rangeEnd));
    if (!enabled) {
        start_->setEnabled(false);
        end_->setEnabled(false);
    }
}

int CurveKindChoice::chosenKind() const {
    return kEntries[static_cast<std::size_t>(entry_)].kind;
}

void CurveKindChoice::follow(int formulaKind) {
    if (pickedByHand_ || !box_->isEnabled()) return;
    const int entry = entryOf(formulaKind);
    if (entry != entry_) show(entry, true);
}

void CurveKindChoice::picked(int entry) {
    pickedByHand_ = true;
    if (entry != entry_) show(entry, true);
}

void CurveKindChoice::show(int entry, bool keepBounds) {
    const KindEntry& was = kEntries[static_cast<std::size_t>(entry_)];
    const KindEntry& now = kEntries[static_cast<std::size_t>(entry)];
    // Bounds the user typed stay; the defaults of the kind left are replaced by those of the new one.
    if (keepBounds && start_->text() == qs(was.defaultStart) && end_->text() == qs(was.defaultEnd)) {
        start_->setText(qs(now.defaultStart));
        end_->setText(qs(now.defaultEnd));
    }
    entry_ = entry;
    box_->setCurrentIndex(entry);
    rangeBox_->setTitle(i18n::uiText(now.rangeCaption));
    variable_->setText(qs(now.variable));
    start_->setEnabled(now.hasRange);
    end_->setEnabled(now.hasRange);
    start_->setAccessibleName(
        i18n::uiText(now.hasRange && entry != 0 ? UI_TEXT("参数范围起点") : UI_TEXT("定义域起点")));
    end_->setAccessibleName(
        i18n::uiText(now.hasRange && entry != 0 ? UI_TEXT("参数范围终点") : UI_TEXT("定义域终点")));
}

} // namespace quorvel::editor
