// The interface language: the choice from the locale, and every text of the main window and the dialogs
// in English and in Chinese, the Chinese exactly the catalogue's source of the English shown.
#include "AppTestSupport.h"

#include "app/HelpPage.h"
#include "app/ProgramWiring.h"
#include "app/RecoveryOffer.h"
#include "app/SheetWidget.h"
#include "app/TForm13.h"
#include "document/Document.h"
#include "document/TextFormRules.h"
#include "editor/Tformularymain.h"
#include "editor/Toperationbuttonform.h"
#include "expr/LatexReader.h"
#include "expr/Limits.h"
#include "expr/ParseLimits.h"
#include "expr/Validation.h"
#include "i18n/Language.h"
#include "i18n/Translation.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <limits>

namespace quorvel::app {
namespace {

using i18n::Language;

TEST(InterfaceLanguage, EnglishOnlyWhenTheMessagesLocaleIsEnglish) {
    struct Case {
        i18n::LocaleEnvironment environment; // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        Language expected;
    };
    const Case cases[] = {
        {{"", "", "", ""}, Language::Chinese},
        {{"", "", "", "C"}, Language::Chinese},
        {{"", "", "", "POSIX"}, Language::Chinese},
        {{"en", "", "", "C.UTF-8"}, Language::Chinese}, // C ignores LANGUAGE
        {{"", "", "", "zh_CN.UTF-8"}, Language::Chinese},
        {{"", "", "", "de_DE.UTF-8"}, Language::Chinese},
        {{"", "", "", "en_US.UTF-8"}, Language::English},
        {{"en", "", "", "en_US.UTF-8"}, Language::English},
        {{"en", "", "", "zh_CN.UTF-8"}, Language::English},
        {{"zh_CN:en", "", "", "en_US.UTF-8"}, Language::Chinese},
        {{"fr:en_GB", "", "", "fr_FR.UTF-8"}, Language::English},
        {{"", "zh_TW.UTF-8", "", "en_US.UTF-8"}, Language::Chinese}, // LC_ALL first
        {{"", "", "en_GB.UTF-8", "zh_CN.UTF-8"}, Language::English}, // then LC_MESSAGES
    };
    for (const Case& c : cases)
        EXPECT_EQ(i18n::languageFor(c.environment), c.expected)
            << c.environment.language << "|" << c.environment.lcAll << "|" << c.environment.lcMessages << "|"
            << c.environment.lang;
}

bool hasChinese(const QString& text) {
    static const QRegularExpression cjk(
        QStringLiteral("[\\x{3000}-\\x{303f}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(cjk);
}

// What a user reads in root: titles, captions, tips and the names screen readers say, in a fixed order.
// Fields and lists hold content (formulas, names, font names) and count only by their names and tips.
QStringList shownTexts(QWidget* root) {
    QStringList out;
    const auto add = [&out](const QObject* o, const char* what, const QString& text) {
        if (!text.trimmed().isEmpty())
            out << o->objectName() + QLatin1Char('.') + QLatin1String(what) + QLatin1Char('\t') + text;
    };
    add(root, "title", root->windowTitle());
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisible()) continue;
        add(w, "tip", w->toolTip());
        add(w, "name", w->accessibleName());
        // A tool button that shows an action shows its text, which the actions below give.
        auto* tool = qobject_cast<QToolButton*>(w);
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && !(tool && tool->defaultAction()))
            add(w, "text", b->text());
        if (auto* l = qobject_cast<QLabel*>(w)) add(w, "text", l->text());
        if (auto* g = qobject_cast<QGroupBox*>(w)) add(w, "title", g->title());
    }
    for (QAction* a : root->findChildren<QAction*>()) {
        add(a, "text", a->text());
        if (a->toolTip() != QString(a->text()).remove(QLatin1Char('&'))) add(a, "tip", a->toolTip());
    }
    return out;
}

// Walks the main window (the pointer over the sheet) and every dialog in the current language.
struct Walk {
    QStringList texts;
    std::string misnamed; // controls whose accessible name does not follow the caption

    void visit(QWidget* root) {
        texts << shownTexts(root);
        const std::string wrong = apptest::namesOtherThanCaptions(root);
        if (!wrong.empty()) misnamed += wrong + "\n";
    }
    void visitShown(QWidget* dialog) {
        dialog->show();
        apptest::WindowFixture::settle();
        visit(dialog);
        dialog->hide();
    }
    // Visits the modal window command opens, then closes it.
    void visitModal(const std::function<void()>& command) {
        QTimer::singleShot(0, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            visit(modal);
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        });
        command();
    }
};

Walk walkIn(Language language) {
    EXPECT_TRUE(i18n::useLanguage(language));
    Walk walk;
    apptest::WindowFixture w;
    const auto program = installProgram(*w.form, w.sink);
    QTest::mouseMove(w.form->sheet(), QPoint(120, 80));
    apptest::WindowFixture::settle();
    walk.visit(w.form.get());
    auto* editor = w.form->findChild<editor::Tformularymain*>();
    for (const char* command : {"N50", "N40", "N39"}) // formula picture, calculation, custom function
        walk.visitModal([&] { w.form->item(QString::fromLatin1(command))->trigger(); });
    walk.visitModal([&] { w.form->item(QStringLiteral("SpeedButton1"))->trigger(); }); // a template curve
    editor::Toperationbuttonform& palette = editor->operatorPalette();
    for (int g = 0; g < editor::kPaletteGroupCount; ++g) {
        palette.openGroup(static_cast<editor::PaletteGroup>(g), editor);
        apptest::WindowFixture::settle();
        walk.visit(&palette);
        palette.hide();
    }
    for (QDialog* dialog : w.form->findChildren<QDialog*>())
        if (dialog != editor) walk.visitShown(dialog);
    TForm13 about(w.form.get());
    walk.visitShown(&about);
    QWidget* help = showHelpViewer(w.form.get(), helpPagePath(QCoreApplication::applicationDirPath()));
    walk.visit(help);
    delete help;
    walk.visitModal([&] { (void)chooseRecovery(w.form.get(), {RecoveryRecord{}}); });
    w.form->setResampler({});
    w.form->setSheetLayers({});
    return walk;
}

// Messages the core layers compose reach the windows in Chinese; shown in English they keep their
// numbers and names.
TEST(InterfaceLanguage, ComposedMessagesAreTranslatedWithTheirArguments) {
    struct Case {
        std::string chinese;
        QString expected;
    };
    const auto check = [](std::string_view text) { return expr::findCheckFailure(text).value().message; };
    document::Document damaged;
    damaged.view.unitX = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {check("(x+1"),
         QStringLiteral("The numbers of opening and closing brackets differ; please correct it!")},
        {check("foo(x)"), QStringLiteral("There is no operator foo; please correct it!")},
        {check("x+（1）"),
         QStringLiteral(
             "The bracket at position 3 of the expression is a full-width bracket; please correct it!")},
        {expr::readLatex("\\frac{1}{").message,
         QStringLiteral("LaTeX at character 9: “{” has no matching “}”; please correct it!")},
        {document::documentProblem(damaged).value(),
         QStringLiteral(
             "Axes settings: A value is too large or not a valid number and cannot be saved; please "
             "correct it!")},
        {document::innerFieldProblem("a\nb", document::kExpressionField).value(),
         QStringLiteral("The expression must not contain a line break; please correct it!")},
        {expr::detail::tooLongMessage(),
         QStringLiteral("The expression is longer than %1 bytes; please correct it!")
             .arg(expr::kMaxTextBytes)},
    };
    ASSERT_TRUE(i18n::useLanguage(Language::English));
    for (const Case& c : cases)
        EXPECT_EQ(i18n::uiMessage(c.chinese).toStdString(), c.expected.toStdString()) << c.chinese;
    // Text the catalogue does not know, a file name say, stays as it is.
    EXPECT_EQ(i18n::uiMessage(std::string("函数.Fun")), QStringLiteral("函数.Fun"));
    EXPECT_TRUE(i18n::useLanguage(Language::Chinese));
    EXPECT_EQ(i18n::uiMessage(cases[0].chinese), QString::fromStdString(cases[0].chinese));
}

TEST(InterfaceLanguage, EveryShownTextIsTranslatedAndTheChineseIsTheSource) {
    const Walk chinese = walkIn(Language::Chinese);
    const Walk english = walkIn(Language::English);
    EXPECT_EQ(chinese.misnamed, "");
    EXPECT_EQ(english.misnamed, "");
    ASSERT_EQ(chinese.texts.size(), english.texts.size());
    for (qsizetype i = 0; i < english.texts.size(); ++i) {
        const QString zh = chinese.texts[i].section(QLatin1Char('\t'), 1);
        const QString en = english.texts[i].section(QLatin1Char('\t'), 1);
        EXPECT_FALSE(hasChinese(en)) << english.texts[i].toStdString();
        // Not catalogue texts as a whole: the title names the document ("未命名[*] - Quorvel"), the pointer's
        // coordinates follow the sheet's size, which the captions change.
        if (zh.contains(QStringLiteral("[*]")) ||
            chinese.texts[i].startsWith(QStringLiteral("StatusPanel0.")))
            continue;
        // A class button shows its class's name without 类 and with an arrow; a help button's tip adds its
        // shortcut in Qt's words.
        static const QRegularExpression arrow(QStringLiteral(" ▾$"));
        static const QRegularExpression shortcut(QStringLiteral(" \\(Alt\\+.*\\)$"));
        QString source = QString(zh).remove(shortcut);
        if (source.contains(arrow)) {
            source.remove(arrow);
            if (i18n::uiMessage(source) == source) source += QStringLiteral("类");
        }
        EXPECT_EQ(i18n::uiMessage(source).toStdString(),
                  QString(en).remove(arrow).remove(shortcut).toStdString())
            << chinese.texts[i].toStdString();
    }
    EXPECT_TRUE(i18n::useLanguage(Language::Chinese));
}

} // namespace
} // namespace quorvel::app
