#include "app/TForm6.h"
#include "i18n/Translation.h"

#include "app/FontColourDialog.h"
#include "app/FontConversion.h"
#include "document/Messages.h"
#include "document/TextFormRules.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvel::app {

namespace {

// A label that opens the font choice when clicked, as the button beside it does.
class ClickableLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> clicked;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLabel::mouseReleaseEvent(event);
        if (clicked) clicked();
    }
};

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(i18n::uiText(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(b->text());
    b->setAutoDefault(false);
    return b;
}

} // namespace

TForm6::TForm6(MessageSink& sink, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      sink_(sink), chooseFont_(&chooseFontWithColour) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(i18n::uiText("多行注释"));
    setAccessibleName(windowTitle());
    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize); // a fixed single border

    auto* groupBox1 = new QGroupBox(i18n::uiText("注释正文"), this);
    groupBox1->setObjectName(QStringLiteral("GroupBox1"));
    groupBox1->setAccessibleName(groupBox1->title());
    auto* textColumn = new QVBoxLayout(groupBox1);
    memo1_ = new QPlainTextEdit(groupBox1);
    memo1_->setObjectName(QStringLiteral("Memo1"));
    memo1_->setAccessibleName(i18n::uiText("注释正文"));
    memo1_->setLineWrapMode(QPlainTextEdit::NoWrap); // long lines stay lines
    memo1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo1_->setMinimumSize(420, 200);
    textColumn->addWidget(memo1_);
    column->addWidget(groupBox1);

    auto* groupBox2 = new QGroupBox(this);
    groupBox2->setObjectName(QStringLiteral("GroupBox2"));
    groupBox2->setAccessibleName(i18n::uiText("按钮"));
    auto* row = new QHBoxLayout(groupBox2);
    auto* label1 = new ClickableLabel(i18n::uiText("设置字体     "), groupBox2);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setAccessibleName(i18n::uiText("设置字体"));
    label1->setCursor(Qt::PointingHandCursor);
    QFont bold = label1->font();
    bold.setBold(true);
    label1->setFont(bold);
    label1->clicked = [this] { chooseFont(); };
    QPushButton* bitBtn3 = button("BitBtn3", UI_TEXT("设置字体"), groupBox2);
    connect(bitBtn3, &QPushButton::clicked, this, &TForm6::chooseFont);
    label1->setBuddy(bitBtn3);
    bitBtn1_ = button("BitBtn1", UI_TEXT("确定"), groupBox2);
    bitBtn1_->setDefault(true);
    connect(bitBtn1_, &QPushButton::clicked, this, &TForm6::accept);
    QPushButton* bitBtn2 = button("BitBtn2", UI_TEXT("取消"), groupBox2);
    connect(bitBtn2, &QPushButton::clicked, this, &TForm6::reject);
    row->addWidget(label1);
    row->addWidget(bitBtn3);
    row->addStretch(1);
    row->addWidget(bitBtn1_);
    row->addWidget(bitBtn2);
    column->addWidget(groupBox2);
    showFont(lastChosen_);
}

void TForm6::showFont(const document::FontSpec& font) {
    shown_ = font;
    memo1_->setFont(toQFont(font));
    QPalette palette = memo1_->palette();
    palette.setColor(QPalette::Text, fontColour(font));
    memo1_->setPalette(palette);
}

void TForm6::chooseFont() {
    if (!chooseFont_) return;
    if (const std::optional<document::FontSpec> font = chooseFont_(this, shown_)) {
        showFont(*font);
        lastChosen_ = *font;
    }
}

void TForm6::accept() {
    const std::string text = document::toCrLf(memo1_->toPlainText().toStdString());
    // A text the file could not carry would make the saved document unreadable.
    if (const std::optional<std::string> problem = document::annotationTextProblem(text)) {
        sink_.show(*problem, kCaptionHint, MessageIcon::Warning);
        return;
    }
    acceptedText_ = text;
    accepted_ = true;
    memo1_->clear();
    QDialog::accept();
}

void TForm6::reject() {
    memo1_->clear();
    QDialog::reject();
}

std::optional<document::REMARK> TForm6::run() {
    accepted_ = false;
    acceptedText_.clear();
    memo1_->setFocus();
    exec();
    bitBtn1_->setText(i18n::uiText("确定"));
    if (!accepted_) return std::nullopt;
    document::REMARK out;
    out.text = acceptedText_;
    out.font = shown_;
    return out;
}

std::optional<document::REMARK> TForm6::execNew(const QPoint& topLeftGlobal) {
    // A second request while the dialog is open (from events its loop ran) would take over the text
    // being written and end in a recursive exec: it is refused.
    if (isVisible()) return std::nullopt;
    memo1_->clear();
    showFont(lastChosen_);
    bitBtn1_->setText(i18n::uiText("确定"));
    // The size it will show at, so that the whole dialog stays on the screen.
    ensurePolished();
    layout()->activate();
    adjustSize();
    create(); // the window frame's margins are known once the window exists
    const QSize outer = frameGeometry().size();
    QPoint at = topLeftGlobal;
    const QScreen* screen = QGuiApplication::screenAt(topLeftGlobal);
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect free = screen->availableGeometry();
        at.setX(std::clamp(at.x(), free.left(), std::max(free.left(), free.right() + 1 - outer.width())));
        at.setY(std::clamp(at.y(), free.top(), std::max(free.top(), free.bottom() + 1 - outer.height())));
    }
    move(at);
    std::optional<document::REMARK> out = run();
    if (out && out->text.empty()) return std::nullopt;
    return out;
}

std::optional<document::REMARK> TForm6::execEdit(const document::REMARK& remark) {
    if (isVisible()) return std::nullopt;
    memo1_->setPlainText(QString::fromStdString(document::toCrLf(remark.text))
                             .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    showFont(remark.font);
    bitBtn1_->setText(i18n::uiText("修改"));
    std::optional<document::REMARK> out = run();
    if (out) {
        document::REMARK edited = remark;
        edited.text = out->text;
        edited.font = out->font;
        return edited;
    }
    return out;
}

} // namespace quorvel::app
