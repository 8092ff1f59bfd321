// Qt's own texts in the desktop's language, from Qt's translations; the window's own texts, and
// its pixels, the same in every language.
#include "QtTranslations.h"
#include "RecordingLauncher.h"
#include "Unit1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>

// Readable failures: GoogleTest would print a QString as a list of characters.
static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

// The desktop's language as a session gives it to the program: LC_ALL, which Qt's system locale
// reads anew, with no LANGUAGE list to override it. The environment is restored afterwards.
class DesktopLocale {
public:
    explicit DesktopLocale(const char* locale) {
        for (const char* name : {"LC_ALL", "LANGUAGE"})
            if (const char* value = std::getenv(name))
                saved_[name] = value;
        setenv("LC_ALL", locale, 1);
        unsetenv("LANGUAGE");
    }
    ~DesktopLocale() {
        for (const char* name : {"LC_ALL", "LANGUAGE"})
            if (const auto found = saved_.find(name); found != saved_.end())
                setenv(name, found->second.c_str(), 1);
            else
                unsetenv(name);
        QLocale::system(); // Qt reads the restored environment
    }

private:
    std::map<std::string, std::string> saved_;
};

// The window shown and active, as the program opens it.
std::unique_ptr<TForm1> openWindow(RecordingLauncher& launcher) {
    auto form = std::make_unique<TForm1>(launcher);
    form->show();
    QApplication::setActiveWindow(form.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    return form;
}

// Every text the window shows of its own, by control.
QStringList ownTexts(const TForm1& form) {
    QStringList texts{form.windowTitle()};
    for (const QWidget* w : form.findChildren<QWidget*>()) {
        const QString name = w->objectName() + QStringLiteral(": ");
        if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            texts << name + button->text();
        else if (const auto* label = qobject_cast<const QLabel*>(w))
            texts << name + label->text();
        else if (const auto* group = qobject_cast<const QGroupBox*>(w))
            texts << name + group->title();
        else if (const auto* edit = qobject_cast<const QLineEdit*>(w))
            texts << name + edit->text() + QLatin1Char('|') + edit->placeholderText();
        else if (const auto* dropDown = qobject_cast<const QComboBox*>(w))
            for (int i = 0; i < dropDown->count(); ++i)
                texts << name + dropDown->itemText(i);
    }
    return texts;
}

// The input file's chooser as it opens: the program's title and filter names, Qt's buttons.
struct Chooser {
    QString title;
    QStringList filters;
    QString accept;
    QString reject;
    Qt::LayoutDirection direction = Qt::LeftToRight;
};

Chooser inputChooser(TForm1& form) {
    std::optional<Chooser> seen;
    QTimer later;
    later.setSingleShot(true);
    QObject::connect(&later, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto* box = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        seen = Chooser{dialog->windowTitle(), dialog->nameFilters(), {}, {},
                       dialog->layoutDirection()};
        if (box) {
            for (QAbstractButton* button : box->buttons())
                (box->buttonRole(button) == QDialogButtonBox::AcceptRole ? seen->accept
                                                                         : seen->reject) =
                    button->text();
        }
        dialog->reject();
    });
    later.start(0);
    QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("Button2")), Qt::LeftButton);
    EXPECT_TRUE(seen.has_value()) << "no chooser opened";
    return seen.value_or(Chooser{});
}

// A field's context menu as a right click shows it: its entries without their shortcuts, and its
// direction.
struct Menu {
    QStringList entries;
    Qt::LayoutDirection direction = Qt::LeftToRight;
};

Menu contextMenu(const TForm1& form) {
    auto* field = form.findChild<QLineEdit*>(QStringLiteral("Edit01"));
    const QPoint at = field->rect().center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, field->mapToGlobal(at));
    QApplication::sendEvent(field, &click);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    EXPECT_NE(menu, nullptr) << "no context menu";
    if (!menu)
        return {};
    Menu shown{{}, menu->layoutDirection()};
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            shown.entries << action->text().section(QLatin1Char('\t'), 0, 0);
    menu->close();
    return shown;
}

// The Qt texts a language shows, and where Qt's translations come from for it: Qt's own folder,
// or an empty one, as where qt6-translations-l10n is not installed.
struct LanguageCase {
    const char* name;
    const char* locale;
    bool translationsInstalled;
    const char* accept;
    const char* reject;
    QStringList menu;
};

void PrintTo(const LanguageCase& c, std::ostream* os) {
    *os << c.name;
}

class QtTextsTest : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(QtTextsTest, InTheDesktopsLanguageWithTheWindowsOwnTextsUnchanged) {
    const LanguageCase& c = GetParam();
    RecordingLauncher launcher;
    std::unique_ptr<TForm1> form = openWindow(launcher);
    const QStringList english = ownTexts(*form);
    const Chooser englishChooser = inputChooser(*form);
    form.reset();

    const DesktopLocale desktop(c.locale);
    QTemporaryDir noTranslations;
    const std::unique_ptr<quendra::ui::QtTranslations> qtTexts =
        c.translationsInstalled
            ? std::make_unique<quendra::ui::QtTranslations>()
            : std::make_unique<quendra::ui::QtTranslations>(QLocale::system(),
                                                            noTranslations.path());
    ASSERT_EQ(qtTexts->installed(), c.translationsInstalled)
        << "Qt's translations (qt6-translations-l10n) are not installed";
    form = openWindow(launcher);

    EXPECT_EQ(ownTexts(*form), english);
    const Chooser chooser = inputChooser(*form);
    EXPECT_EQ(chooser.title, englishChooser.title);
    EXPECT_EQ(chooser.filters, englishChooser.filters);
    EXPECT_EQ(chooser.accept, QString::fromUtf8(c.accept));
    EXPECT_EQ(chooser.reject, QString::fromUtf8(c.reject));
    EXPECT_EQ(contextMenu(*form).entries, c.menu);
}

const QStringList kEnglishMenu{"&Undo", "&Redo",   "Cu&t",      "&Copy",
                               "&Paste", "Delete", "Select All"};

INSTANTIATE_TEST_SUITE_P(
    Languages, QtTextsTest,
    ::testing::Values(
        LanguageCase{"German", "de_DE.UTF-8", true, "&Öffnen", "Abbrechen",
                     QStringList{"&Rückgängig", "Wieder&herstellen", "&Ausschneiden",
                                 "&Kopieren", "Einf&ügen", "Löschen", "Alles auswählen"}},
        LanguageCase{"GermanWithoutTranslations", "de_DE.UTF-8", false, "&Open", "Cancel",
                     kEnglishMenu}),
    [](const ::testing::TestParamInfo<LanguageCase>& info) { return info.param.name; });

// Arabic turns Qt's own dialogs and menus right to left, as in every other Qt program on that desktop, but
// the window's English captions, marks and controls stay where they are.
TEST(QtTextsRightToLeftTest, TurnQtsDialogsAndMenusButNeverTheWindow) {
    RecordingLauncher launcher;
    const QImage english = openWindow(launcher)->grab().toImage();

    const DesktopLocale desktop("ar_EG.UTF-8");
    const quendra::ui::QtTranslations qtTexts;
    ASSERT_TRUE(qtTexts.installed())
        << "Qt's translations (qt6-translations-l10n) are not installed";
    ASSERT_EQ(QGuiApplication::layoutDirection(), Qt::RightToLeft);
    const std::unique_ptr<TForm1> form = openWindow(launcher);

    EXPECT_TRUE(form->grab().toImage() == english)
        << "the window under Arabic differs from the English window";
    EXPECT_EQ(inputChooser(*form).direction, Qt::RightToLeft);
    EXPECT_EQ(contextMenu(*form).direction, Qt::RightToLeft);
}

} // namespace
