// Qt's own texts in the desktop's language, from Qt's translations; the window's own texts, and
// its pixels, the same in every language.
#include "QtTranslations.h"
#include "RecordingLauncher.h"
#include "Unit1.h"

#include <QAbstractButton>
#include <QByteArray>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <utility>

// Readable failures: GoogleTest would print a QString as a list of characters.
static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

// The desktop's language as a session gives it to the program: LC_ALL, which Qt's system locale
// reads anew, with no LANGUAGE list to override it; the environment restored afterwards.
class DesktopLocale {
public:
    explicit DesktopLocale(const char* locale) {
        qputenv("LC_ALL", locale);
        qunsetenv("LANGUAGE");
    }
    ~DesktopLocale() {
        for (const auto& [name, value] : saved_)
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
        QLocale::system(); // Qt reads the restored environment
    }

private:
    const std::pair<const char*, QByteArray> saved_[2] = {{"LC_ALL", qgetenv("LC_ALL")},
                                                          {"LANGUAGE", qgetenv("LANGUAGE")}};
};

// The window shown and active, as the program opens it.
std::unique_ptr<TForm1> openWindow(RecordingLauncher& launcher) {
    auto form = std::make_unique<TForm1>(launcher);
    form->show();
    QApplication::setActiveWindow(form.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    return form;
}

// What Qt shows of its own: the texts of the input file chooser's buttons (accepting, then
// rejecting) or of a field's context menu (without the shortcuts), and the direction.
struct QtTexts {
    QStringList texts;
    Qt::LayoutDirection direction = Qt::LeftToRight;
};

QtTexts inputChooser(TForm1& form) {
    QtTexts seen;
    QTimer later;
    later.setSingleShot(true);
    QObject::connect(&later, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* box = dialog ? dialog->findChild<QDialogButtonBox*>() : nullptr;
        if (!box)
            return;
        seen.direction = dialog->layoutDirection();
        for (auto role : {QDialogButtonBox::AcceptRole, QDialogButtonBox::RejectRole})
            for (QAbstractButton* button : box->buttons())
                if (box->buttonRole(button) == role)
                    seen.texts << button->text();
        dialog->reject();
    });
    later.start(0);
    QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("Button2")), Qt::LeftButton);
    return seen;
}

QtTexts contextMenu(const TForm1& form) {
    auto* field = form.findChild<QLineEdit*>(QStringLiteral("Edit01"));
    const QPoint at = field->rect().center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, field->mapToGlobal(at));
    QApplication::sendEvent(field, &click);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return {};
    QtTexts seen{{}, menu->layoutDirection()};
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            seen.texts << action->text().section(QLatin1Char('\t'), 0, 0);
    menu->close();
    return seen;
}

// A desktop's language, whether Qt's translations are installed (else an empty folder stands in
// for Qt's), and what Qt then shows.
struct LanguageCase {
    const char* name;
    const char* locale;
    bool translationsInstalled;
    Qt::LayoutDirection direction;
    QStringList chooserButtons;
    QStringList menu;
};

void PrintTo(const LanguageCase& c, std::ostream* os) {
    *os << c.name;
}

class QtTextsTest : public ::testing::TestWithParam<LanguageCase> {};

// Qt's own dialogs and menus follow the language, right to left too, as in every other Qt
// program on that desktop; the window, its texts English, stays as it is to the pixel.
TEST_P(QtTextsTest, FollowTheDesktopsLanguageAroundTheUnchangedWindow) {
    const LanguageCase& c = GetParam();
    RecordingLauncher launcher;
    const QImage english = openWindow(launcher)->grab().toImage();

    const DesktopLocale desktop(c.locale);
    const QTemporaryDir noTranslations;
    std::optional<quendra::ui::QtTranslations> qtTexts;
    if (c.translationsInstalled)
        qtTexts.emplace(); // the program's own start
    else
        qtTexts.emplace(QLocale::system(), noTranslations.path());
    ASSERT_EQ(qtTexts->installed(), c.translationsInstalled)
        << "Qt's translations (qt6-translations-l10n) are not installed";
    const std::unique_ptr<TForm1> form = openWindow(launcher);

    EXPECT_TRUE(form->grab().toImage() == english) << "the window differs from the English one";
    const QtTexts chooser = inputChooser(*form);
    EXPECT_EQ(chooser.texts, c.chooserButtons);
    EXPECT_EQ(chooser.direction, c.direction);
    const QtTexts menu = contextMenu(*form);
    EXPECT_EQ(menu.texts, c.menu);
    EXPECT_EQ(menu.direction, c.direction);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, QtTextsTest,
    ::testing::Values(
        LanguageCase{"German",
                     "de_DE.UTF-8",
                     true,
                     Qt::LeftToRight,
                     {"&Öffnen", "Abbrechen"},
                     {"&Rückgängig", "Wieder&herstellen", "&Ausschneiden", "&Kopieren", "Einf&ügen",
                      "Löschen", "Alles auswählen"}},
        LanguageCase{"GermanWithoutTranslations",
                     "de_DE.UTF-8",
                     false,
                     Qt::LeftToRight,
                     {"&Open", "Cancel"},
                     {"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All"}},
        LanguageCase{"Arabic",
                     "ar_EG.UTF-8",
                     true,
                     Qt::RightToLeft,
                     {"ا&فتح", "ألغِ"},
                     {"&تراجع", "أ&عد", "&قصّ", "ا&نسخ", "أل&صق", "احذف", "حدّد الكلّ"}}),
    [](const ::testing::TestParamInfo<LanguageCase>& info) { return info.param.name; });

} // namespace
