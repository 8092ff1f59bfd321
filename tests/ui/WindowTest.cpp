#include "AppIdentity.h"
#include "FormActions.h"
#include "Placements.h"
#include "HoverHints.h"
#include "Roles.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGlyphRun>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointingDevice>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <map>
#include <memory>
#include <vector>

using quendra::form::PixelRect;

namespace {

// What the window shows of one control, for comparing before and after an action.
struct Shown {
    bool visible;
    bool enabled;
    bool checked;
    QString text;
    int value;
    bool operator==(const Shown& o) const {
        return visible == o.visible && enabled == o.enabled && checked == o.checked &&
               text == o.text && value == o.value;
    }
};

std::ostream& operator<<(std::ostream& os, const Shown& s) {
    return os << "{visible " << s.visible << ", enabled " << s.enabled << ", checked " << s.checked
              << ", \"" << s.text.toStdString() << "\", " << s.value << "}";
}

std::map<std::string, Shown> snapshot(const QWidget& form) {
    std::map<std::string, Shown> shown;
    for (const QWidget* w : form.findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (!name.contains(QRegularExpression(QStringLiteral("^[A-Z][A-Za-z]+\\d+(_\\d+)?$"))))
            continue;
        Shown s{w->isVisible(), w->isEnabled(), false, {}, 0};
        if (auto* button = qobject_cast<const QAbstractButton*>(w))
            s.checked = button->isChecked();
        if (auto* edit = qobject_cast<const QLineEdit*>(w))
            s.text = edit->text();
        if (auto* comboBox = qobject_cast<const QComboBox*>(w))
            s.text = comboBox->currentText();
        if (auto* slider = qobject_cast<const QSlider*>(w))
            s.value = slider->value();
        shown.emplace(name.toStdString(), s);
    }
    return shown;
}

// The glyphs a font lays the text out in.
QList<quint32> glyphsOf(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QList<quint32> glyphs;
    for (const QGlyphRun& run : layout.glyphRuns())
        glyphs += run.glyphIndexes();
    return glyphs;
}

class WindowTest : public WindowFixture {
protected:
    // A click on the mark of a check box or radio button, where a user would click.
    void click(const char* name) {
        QWidget* w = widget(name);
        ASSERT_NE(w, nullptr);
        ASSERT_TRUE(w->isVisible() && w->isEnabled()) << name;
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
    }

    void typeInto(const char* name, const QString& text) {
        QWidget* w = widget(name);
        w->setFocus();
        QTest::keyClicks(w, text);
    }

    QLineEdit* lineOf(const char* comboBox) const {
        return widget<QComboBox>(comboBox)->lineEdit();
    }
};

// --- start-up ---------------------------------------------------------------------------------

TEST_F(WindowTest, StartsWithTheAutomaticBitrateDropDownAndNoVbrSlider) {
    EXPECT_TRUE(widget("ComboBox4")->isVisible());
    EXPECT_TRUE(widget("Label04")->isVisible());
    for (const char* hidden : {"ComboBox2", "ComboBox3", "TrackBar1", "Label05", "Label06"})
        EXPECT_FALSE(widget(hidden)->isVisible()) << hidden;
}

TEST_F(WindowTest, StartsWithoutTheTwoLowerKhzLabels) {
    EXPECT_FALSE(widget("Label15")->isVisible());
    EXPECT_FALSE(widget("Label16")->isVisible());
    EXPECT_TRUE(widget("Label13")->isVisible());
    EXPECT_FALSE(widget("Label13")->isEnabled());
    EXPECT_TRUE(widget("Label14")->isVisible());
}

TEST_F(WindowTest, StartsWithTheCaretInTheInputField) {
    EXPECT_EQ(QApplication::focusWidget(), widget("Edit01"));
    EXPECT_TRUE(widget("Edit01")->hasFocus());
}

TEST_F(WindowTest, ShowsEveryValueOfTheModel) {
    const std::map<std::string, Shown> shown = snapshot(*form);
    for (const quendra::ControlState& c : form->model().controls()) {
        const auto it = shown.find(c.name);
        ASSERT_NE(it, shown.end()) << c.name;
        const Shown& s = it->second;
        EXPECT_EQ(s.visible, c.visible) << c.name;
        EXPECT_EQ(s.enabled, c.enabled) << c.name;
        if (c.kind == quendra::ControlKind::Edit || c.kind == quendra::ControlKind::DropDown) {
            EXPECT_EQ(s.text.toStdString(), c.text) << c.name;
        } else if (c.kind == quendra::ControlKind::CheckBox) {
            EXPECT_EQ(s.checked, c.checked) << c.name;
        } else if (c.kind == quendra::ControlKind::Slider) {
            EXPECT_EQ(s.value, c.position) << c.name;
        } else if (c.kind == quendra::ControlKind::RadioGroup) {
            for (std::size_t i = 0; i < c.items.size(); ++i)
                EXPECT_EQ(shown.at(c.name + "_" + std::to_string(i)).checked,
                          static_cast<int>(i) == c.itemIndex)
                    << c.name << " button " << i;
        }
    }
}

TEST_F(WindowTest, TwoWindowsAreIndependent) {
    RecordingLauncher other;
    TForm1 second(other);
    const auto fresh = snapshot(second);
    click("CheckBox01");
    click("RadioGroup1_1");
    EXPECT_EQ(snapshot(second), fresh);
    EXPECT_FALSE(second.model().enabled("Edit03"));
    EXPECT_EQ(second.model().itemIndex("RadioGroup1"), 0);
}

// --- frame ------------------------------------------------------------------------------------

TEST_F(WindowTest, CaptionIsExactAlongsideTheApplicationTitle) {
    quendra::ui::setApplicationIdentity();
    EXPECT_EQ(form->windowTitle().toStdString(),
              "Quendra orvo 1.1 Pro   -   Tamrik Edition   -   powered by LAME 3.97");
    EXPECT_EQ(QGuiApplication::applicationDisplayName().toStdString(), "Quendra orvo 1.1 Pro");
    EXPECT_EQ(QCoreApplication::applicationVersion().toStdString(), "1.1.0.4");
}

// The client area is the one the layout was drawn for, whatever frame the platform reports
// around it (2 pixels each side here, not the 4 by 19 the outer size of 642 by 692 was drawn
// around): the whole content shows, with no scroll bar.
TEST_F(WindowTest, OpensWithTheClientAreaTheLayoutWasDrawnForInsideAnyFrame) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->frameGeometry() != form->geometry(); }))
        << "this platform reports no frame";
    QTest::qWait(0);
    ASSERT_EQ(form->layoutScale(), 1.0);
    EXPECT_EQ(form->size(), QSize(634, 665));
    EXPECT_NE(form->frameGeometry().size(), QSize(642, 692));
    auto* scroll = widget<QScrollArea>("Form1Scroll");
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
}

TEST_F(WindowTest, OffersMinimizeAndCloseButNeverMaximizes) {
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    form->resize(500, 400);
    QTest::qWait(0);
    // Maximized by the platform, as Qt's own frame on Wayland does at a press of its button, and
    // then, back at its size, given another by the platform, as a compositor's answer to leaving
    // the maximized state may be: each time it goes back to the size it had.
    const auto back = [&] {
        return QTest::qWaitFor([&] { return !form->isMaximized(); }) &&
               QTest::qWaitFor([&] { return form->size() == QSize(500, 400); });
    };
    form->windowHandle()->setWindowStates(Qt::WindowMaximized);
    EXPECT_TRUE(back()) << form->width() << "x" << form->height();
    QTest::qWait(50); // the platform's events of the state change all handled
    EXPECT_EQ(form->size(), QSize(500, 400));
    form->windowHandle()->resize(600, 590);
    QTest::qWait(50);
    EXPECT_EQ(form->size(), QSize(500, 400));
}

// The largest the window grows is its content with both scroll bars, each as wide as the bar Qt
// shows: at that width only the vertical one shows on a short window, at that height only the
// horizontal one on a narrow window.
TEST_F(WindowTest, GrowsNoFurtherThanItsContentAndOneScrollBarLeavesTheOtherAway) {
    auto* scroll = widget<QScrollArea>("Form1Scroll");
    const QSize largest = form->maximumSize();
    EXPECT_EQ(largest - scroll->widget()->size(),
              QSize(scroll->verticalScrollBar()->sizeHint().width(),
                    scroll->horizontalScrollBar()->sizeHint().height()));
    const struct {
        QSize size;
        bool vertical;
        bool horizontal;
    } cases[] = {
        {{largest.width(), 400}, true, false},
        {{400, largest.height()}, false, true},
        {{largest.width() - 1, 400}, true, true},
        {{1000, 1000}, false, false},
    };
    for (const auto& c : cases) {
        form->resize(c.size);
        QTest::qWait(0);
        EXPECT_EQ(form->size(), c.size.boundedTo(largest));
        EXPECT_EQ(scroll->verticalScrollBar()->isVisible(), c.vertical) << c.size.width();
        EXPECT_EQ(scroll->horizontalScrollBar()->isVisible(), c.horizontal) << c.size.height();
    }
}

TEST_F(WindowTest, ResizingMovesNothingAndScrollsWhenTooSmall) {
    auto* scroll = widget<QScrollArea>("Form1Scroll");
    auto geometries = [&] {
        std::map<std::string, std::array<int, 4>> g;
        for (const auto& [name, shown] : snapshot(*form)) {
            const QRect r = widget(name.c_str())->geometry();
            g.emplace(name, std::array<int, 4>{r.x(), r.y(), r.width(), r.height()});
        }
        return g;
    };
    const auto before = geometries();
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());

    form->resize(300, 240);
    QTest::qWait(0);
    EXPECT_TRUE(scroll->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
    EXPECT_EQ(geometries(), before);

    form->resize(1000, 900);
    QTest::qWait(0);
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
    EXPECT_EQ(geometries(), before);
}

// Once the window is up, as after its start: two fingers on a touch screen pan what it shows.
TEST_F(WindowTest, TwoFingersPanTheContentOfAWindowTooSmallForIt) {
    static QPointingDevice* const touchScreen = QTest::createTouchDevice();
    auto* scroll = widget<QScrollArea>("Form1Scroll");
    form->resize(300, 240);
    QTest::qWait(0);
    QWidget* viewport = scroll->viewport();
    const QPoint first(100, 150);
    const QPoint second(140, 150);
    const QPoint up(0, -80);
    QTest::touchEvent(viewport, touchScreen).press(0, first).press(1, second);
    for (int step = 1; step <= 10; ++step)
        QTest::touchEvent(viewport, touchScreen)
            .move(0, first + up * step / 10)
            .move(1, second + up * step / 10);
    QTest::touchEvent(viewport, touchScreen).release(0, first + up).release(1, second + up);
    EXPECT_TRUE(QTest::qWaitFor([&] { return scroll->verticalScrollBar()->value() > 0; }, 1000));
}

// --- layout -----------------------------------------------------------------------------------

struct PlaceCase {
    const char* control;
    const char* parent;
    QRect rect;
};

TEST_F(WindowTest, TahomaAt96ppiLaysOutAtTheTablesPixels) {
    if (QFontInfo(form->font()).family() != QLatin1String("Tahoma"))
        GTEST_SKIP() << "Tahoma is not installed";
    ASSERT_EQ(form->layoutScale(), 1.0);
    const PlaceCase cases[] = {
        {"Image1", "Form1Client", {8, 8, 618, 102}},
        {"Image2", "Form1Client", {296, 456, 184, 122}},
        {"Edit01", "Form1Client", {8, 136, 185, 21}},
        {"Button2", "Form1Client", {200, 136, 25, 21}},
        {"ComboBox1", "Form1Client", {248, 136, 97, 21}},
        {"ComboBox3", "Form1Client", {400, 136, 57, 21}},
        {"ComboBox5", "Form1Client", {480, 280, 145, 21}},
        {"TrackBar2", "Form1Client", {240, 232, 225, 25}},
        {"Button1", "Form1Client", {296, 586, 184, 25}},
        {"RadioGroup2", "Form1Client", {8, 216, 129, 121}},
        {"GroupBox4", "Form1Client", {488, 328, 137, 217}},
        {"Edit15", "GroupBox1", {112, 96, 41, 21}},
        {"ComboBox7", "GroupBox1", {80, 24, 49, 21}},
        {"Edit14", "GroupBox2", {168, 120, 41, 21}},
        {"RadioGroup1_0", "RadioGroup1", {8, 15, 71, 15}},
        {"RadioGroup2_5", "RadioGroup2", {8, 99, 119, 17}},
        {"RadioGroup4_2", "RadioGroup4", {8, 45, 71, 15}},
    };
    for (const PlaceCase& c : cases) {
        const QWidget* w = widget(c.control);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget()->objectName(), QLatin1String(c.parent)) << c.control;
        EXPECT_EQ(w->geometry(), c.rect) << c.control;
    }
    // Captioned controls keep their place and height; their width is at least the table's.
    const PlaceCase captioned[] = {
        {"Label01", "Form1Client", {8, 120, 45, 13}},
        {"Label22", "Form1Client", {300, 624, 177, 13}},
        {"CheckBox01", "Form1Client", {568, 118, 57, 17}},
        {"CheckBox25", "GroupBox4", {8, 192, 97, 17}},
        {"Label17", "GroupBox1", {160, 96, 12, 13}},
    };
    for (const PlaceCase& c : captioned) {
        const QWidget* w = widget(c.control);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget()->objectName(), QLatin1String(c.parent)) << c.control;
        EXPECT_EQ(w->pos(), c.rect.topLeft()) << c.control;
        EXPECT_EQ(w->height(), c.rect.height()) << c.control;
        EXPECT_GE(w->width(), c.rect.width()) << c.control;
    }
}

TEST_F(WindowTest, NoCaptionIsCutAndNothingRunsIntoItsNeighbour) {
    for (const QWidget* w : form->findChildren<QWidget*>()) {
        if (qobject_cast<const QLabel*>(w) || qobject_cast<const QCheckBox*>(w) ||
            qobject_cast<const QRadioButton*>(w)) {
            EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
        }
    }
    // Siblings apart in the table stay apart on the screen.
    const auto& table = quendra::form::placements();
    for (std::size_t i = 0; i < table.size(); ++i)
        for (std::size_t j = i + 1; j < table.size(); ++j) {
            const auto& a = table[i];
            const auto& b = table[j];
            const QRect ra(a.rect.left, a.rect.top, a.rect.width, a.rect.height);
            const QRect rb(b.rect.left, b.rect.top, b.rect.width, b.rect.height);
            if (std::string_view(a.parent) != b.parent || ra.intersects(rb))
                continue;
            const QRect ga = widget(a.name)->geometry();
            const QRect gb = widget(b.name)->geometry();
            EXPECT_FALSE(ga.intersects(gb))
                << a.name << " " << ga.x() << "," << ga.y() << " " << ga.width() << "x"
                << ga.height() << " and " << b.name << " " << gb.x() << "," << gb.y();
        }
}

TEST_F(WindowTest, TabWalksTheEnabledVisibleControlsInTableOrder) {
    const std::vector<std::string> atStart = {
        "Edit01",        "Edit02",        "Edit09",        "CheckBox01",    "CheckBox02",
        "CheckBox03",    "CheckBox04",    "ComboBox1",     "ComboBox4",     "ComboBox6",
        "RadioGroup1_0", "RadioGroup2_0", "RadioGroup3_0", "RadioGroup4_1", "Button1",
        "Button2",       "Button3",       "TrackBar2",     "Edit15",        "CheckBox05",
        "CheckBox06",    "CheckBox07",    "CheckBox08",    "ComboBox7",     "CheckBox09",
        "CheckBox15",    "CheckBox16",    "CheckBox17",    "CheckBox18",    "CheckBox19",
        "CheckBox20",    "CheckBox21",    "CheckBox22",    "CheckBox23",    "CheckBox24",
        "CheckBox25"};
    auto walk = [&] {
        std::vector<std::string> seen;
        widget("Edit01")->setFocus();
        do {
            seen.push_back(QApplication::focusWidget()->objectName().toStdString());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        } while (QApplication::focusWidget() != widget("Edit01") && seen.size() < 100);
        return seen;
    };
    EXPECT_EQ(walk(), atStart);

    // VBR brings the quality slider in and takes the bitrate out; the tag fields join.
    click("RadioGroup1_1");
    click("CheckBox01");
    std::vector<std::string> changed = walk();
    const std::vector<std::string> head(changed.begin(), changed.begin() + 19);
    EXPECT_EQ(head, (std::vector<std::string>{"Edit01", "Edit02", "Edit03", "Edit04", "Edit05",
                                              "Edit06", "Edit07", "Edit08", "Edit09", "CheckBox01",
                                              "CheckBox02", "CheckBox03", "CheckBox04", "ComboBox1",
                                              "ComboBox5", "ComboBox6", "RadioGroup1_1",
                                              "RadioGroup2_0", "RadioGroup3_0"}));
    EXPECT_EQ(std::count(changed.begin(), changed.end(), "TrackBar1"), 1);
    EXPECT_EQ(std::count(changed.begin(), changed.end(), "ComboBox4"), 0);
}

// --- controls ---------------------------------------------------------------------------------

TEST_F(WindowTest, DropDownsAreEditableAndCompleteOnlyByTheirOwnRules) {
    for (const quendra::ControlState& c : form->model().controls()) {
        if (c.kind != quendra::ControlKind::DropDown)
            continue;
        auto* comboBox = widget<QComboBox>(c.name.c_str());
        EXPECT_TRUE(comboBox->isEditable()) << c.name;
        EXPECT_EQ(comboBox->completer(), nullptr) << c.name;
        EXPECT_EQ(comboBox->insertPolicy(), QComboBox::NoInsert) << c.name;
        EXPECT_EQ(comboBox->maxVisibleItems(), 8) << c.name;
        EXPECT_EQ(comboBox->lineEdit()->maxLength(), INT_MAX) << c.name;
        ASSERT_EQ(comboBox->count(), static_cast<int>(c.items.size())) << c.name;
        for (int i = 0; i < comboBox->count(); ++i)
            EXPECT_EQ(comboBox->itemText(i).toStdString(), c.items[std::size_t(i)]) << c.name;
    }
    for (const char* edit : {"Edit01", "Edit07", "Edit15"})
        EXPECT_EQ(widget<QLineEdit>(edit)->maxLength(), INT_MAX) << edit;
}

TEST_F(WindowTest, SlidersTickEveryStepAndPageByTwo) {
    for (const char* name : {"TrackBar1", "TrackBar2"}) {
        auto* slider = widget<QSlider>(name);
        EXPECT_EQ(slider->orientation(), Qt::Horizontal);
        EXPECT_EQ(slider->tickPosition(), QSlider::TicksBelow);
        EXPECT_EQ(slider->tickInterval(), 1);
        EXPECT_EQ(slider->singleStep(), 1);
        EXPECT_EQ(slider->pageStep(), 2);
        EXPECT_EQ(slider->minimum(), 0);
        EXPECT_EQ(slider->maximum(), 9);
    }
    auto* quality = widget<QSlider>("TrackBar2");
    quality->setFocus();
    QTest::keyClick(quality, Qt::Key_Right);
    QTest::keyClick(quality, Qt::Key_PageUp);
    EXPECT_EQ(form->model().position("TrackBar2"), 5);
}

// As assistive technology reads them: by name the caption beside them, a drop-down's text as its
// value, never as its name; each control with the description's description.
TEST_F(WindowTest, InputControlsCarryTheCaptionBesideThem) {
    const std::pair<const char*, const char*> names[] = {
        {"Edit01", "input file:"},
        {"Edit02", "output file:"},
        {"ComboBox1", "sampling frequency:"},
        {"ComboBox4", "bitrate:"},
        {"TrackBar1", "VBR quality:"},
        {"TrackBar2", "algorithm quality:"},
        {"Edit09", "input scale:"},
        {"ComboBox6", "quality measure:"},
        {"Edit13", "lowpass filtering frequency:, kHz"},
        {"Button2", "select input file"}};
    for (const auto& [control, name] : names) {
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(widget(control));
        ASSERT_NE(read, nullptr) << control;
        EXPECT_EQ(read->text(QAccessible::Name).toStdString(), name) << control;
    }
    // "<genre>" is no entry of its list: a reader that looks for the selected entry finds none.
    for (const char* dropDown : {"ComboBox1", "ComboBox5", "ComboBox6", "ComboBox7"}) {
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(widget(dropDown));
        const std::string text = form->model().text(dropDown);
        EXPECT_EQ(read->role(), QAccessible::ComboBox) << dropDown;
        EXPECT_TRUE(read->state().editable) << dropDown;
        EXPECT_EQ(read->text(QAccessible::Value).toStdString(), text) << dropDown;
        EXPECT_EQ(read->child(1)->object(), lineOf(dropDown)) << dropDown;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        ASSERT_NE(read->attributesInterface(), nullptr) << dropDown;
        using Attributes = QHash<QString, QString>;
        const Attributes custom = read->attributesInterface()
                                      ->attributeValue(QAccessible::Attribute::Custom)
                                      .value<Attributes>();
        EXPECT_EQ(custom.value("valuetext").toStdString(), text) << dropDown;
#endif
    }
    for (const quendra::ControlState& c : form->model().controls())
        EXPECT_EQ(QAccessible::queryAccessibleInterface(widget(c.name))
                      ->text(QAccessible::Description)
                      .toStdString(),
                  quendra::form::accessibleDescription(form->model(), c.name))
            << c.name;
}

TEST_F(WindowTest, TypingIntoAFieldKeepsTheCaretWhereTheUserPutIt) {
    auto* scale = widget<QLineEdit>("Edit09");
    scale->setFocus();
    scale->setCursorPosition(0);
    QTest::keyClicks(scale, QStringLiteral("2"));
    EXPECT_EQ(scale->text(), QStringLiteral("21"));
    EXPECT_EQ(scale->cursorPosition(), 1);
    EXPECT_EQ(form->model().text("Edit09"), "21");
}

TEST_F(WindowTest, AFieldShapesItsTextWhileTheScriptNeedsIt) {
    // Arabic letters take their joined forms only where the text is shaped.
    const QString arabic = QString::fromUtf8("\u0645\u0631\u062d\u0628\u0627");
    for (const auto& [name, field] :
         {std::pair{"Edit01", widget<QLineEdit>("Edit01")}, {"ComboBox1", lineOf("ComboBox1")}}) {
        field->setFocus();
        field->selectAll();
        for (const QChar letter : arabic) // keys beyond ASCII, as a keyboard layout sends them
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, letter, Qt::NoModifier);
        EXPECT_EQ(QString::fromStdString(form->model().text(name)), arabic) << name;
        EXPECT_FALSE(field->font().styleStrategy() & QFont::PreferNoShaping) << name;
        EXPECT_EQ(field->font().family(), form->font().family()) << name;
        EXPECT_EQ(field->font().pointSize(), form->font().pointSize()) << name;
        EXPECT_NE(glyphsOf(arabic, field->font()), glyphsOf(arabic, form->font()))
            << name << ": the letters stayed apart";
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("22"));
        EXPECT_EQ(field->font(), form->font()) << name << " kept the shaping font";
    }
}

// --- rules through clicks ---------------------------------------------------------------------

enum class Is { Visible, Hidden, Enabled, Disabled, Checked, Unchecked };

struct Expect {
    const char* control;
    Is is;
};

struct ClickCase {
    const char* name;
    std::vector<const char*> clicks;
    std::vector<Expect> expected;
    std::vector<std::pair<const char*, const char*>> texts;
};

void PrintTo(const ClickCase& c, std::ostream* os) {
    *os << c.name;
}

class ClickRuleTest : public WindowTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ClickRuleTest, LeavesTheDependentControlsAsTheRuleSays) {
    for (const char* control : GetParam().clicks)
        click(control);
    for (const Expect& e : GetParam().expected) {
        const QWidget* w = widget(e.control);
        ASSERT_NE(w, nullptr);
        const auto* button = qobject_cast<const QAbstractButton*>(w);
        switch (e.is) {
        case Is::Visible:
            EXPECT_TRUE(w->isVisible()) << e.control << " visible";
            break;
        case Is::Hidden:
            EXPECT_FALSE(w->isVisible()) << e.control << " hidden";
            break;
        case Is::Enabled:
            EXPECT_TRUE(w->isEnabled()) << e.control << " enabled";
            break;
        case Is::Disabled:
            EXPECT_FALSE(w->isEnabled()) << e.control << " disabled";
            break;
        case Is::Checked:
            EXPECT_TRUE(button && button->isChecked()) << e.control;
            break;
        case Is::Unchecked:
            EXPECT_TRUE(button && !button->isChecked()) << e.control;
            break;
        }
    }
    for (const auto& [control, text] : GetParam().texts) {
        const QWidget* w = widget(control);
        const QString shown = qobject_cast<const QComboBox*>(w)
                                  ? static_cast<const QComboBox*>(w)->currentText()
                                  : static_cast<const QLineEdit*>(w)->text();
        EXPECT_EQ(shown.toStdString(), text) << control;
    }
}

const ClickCase kClickCases[] = {
    {"VbrShowsTheQualitySliderAndHidesEveryBitrate",
     {"RadioGroup1_1"},
     {{"TrackBar1", Is::Visible},
      {"Label05", Is::Visible},
      {"Label06", Is::Visible},
      {"Label04", Is::Hidden},
      {"ComboBox2", Is::Hidden},
      {"ComboBox3", Is::Hidden},
      {"ComboBox4", Is::Hidden}},
     {{"ComboBox1", "auto"}}},
    {"AbrBringsTheAutomaticBitrateBack",
     {"RadioGroup1_1", "RadioGroup1_2"},
     {{"ComboBox4", Is::Visible},
      {"Label04", Is::Visible},
      {"TrackBar1", Is::Hidden},
      {"Label05", Is::Hidden}},
     {}},
    {"TagsOnEnablesTheTagFields",
     {"CheckBox01"},
     {{"Edit03", Is::Enabled},
      {"Edit04", Is::Enabled},
      {"Edit05", Is::Enabled},
      {"Edit06", Is::Enabled},
      {"Edit07", Is::Enabled},
      {"Edit08", Is::Enabled},
      {"ComboBox5", Is::Enabled}},
     {{"Edit03", "<title>"}}},
    {"TagsOffAgainDisablesThem",
     {"CheckBox01", "CheckBox01"},
     {{"Edit03", Is::Disabled}, {"Edit08", Is::Disabled}, {"ComboBox5", Is::Disabled}},
     {}},
    {"ManualBandwidthOpensTheFilterBoxes",
     {"CheckBox09"},
     {{"CheckBox10", Is::Enabled},
      {"CheckBox10", Is::Unchecked},
      {"CheckBox12", Is::Enabled},
      {"CheckBox12", Is::Unchecked},
      {"CheckBox13", Is::Unchecked},
      {"CheckBox14", Is::Enabled},
      {"Edit13", Is::Disabled},
      {"Edit14", Is::Disabled},
      {"Label15", Is::Visible},
      {"Label15", Is::Disabled},
      {"Label16", Is::Visible}},
     {{"Edit13", ""}, {"Edit14", ""}}},
    {"FullBandwidthThenAutomaticClosesEverything",
     {"CheckBox09", "CheckBox14", "CheckBox09"},
     {{"CheckBox10", Is::Disabled},
      {"CheckBox14", Is::Disabled},
      {"CheckBox12", Is::Checked},
      {"CheckBox13", Is::Checked},
      {"CheckBox14", Is::Unchecked},
      {"Label15", Is::Hidden},
      {"Label16", Is::Hidden}},
     {{"Edit13", "auto"}, {"Edit14", "auto"}}},
    {"LowpassBoxSwitchesItsFieldAndUnit",
     {"CheckBox09", "CheckBox12"},
     {{"Edit13", Is::Enabled}, {"Label15", Is::Enabled}, {"Edit14", Is::Disabled}},
     {}},
    {"AthOnlyChecksAndLocksShortBlockAth",
     {"CheckBox06"},
     {{"CheckBox07", Is::Checked}, {"CheckBox07", Is::Disabled}},
     {}},
    {"NoAthLocksEveryAthControl",
     {"CheckBox06", "CheckBox05"},
     {{"CheckBox06", Is::Unchecked},
      {"CheckBox06", Is::Disabled},
      {"CheckBox07", Is::Unchecked},
      {"CheckBox07", Is::Disabled},
      {"CheckBox08", Is::Disabled},
      {"ComboBox7", Is::Disabled},
      {"Edit15", Is::Disabled},
      {"Label17", Is::Disabled}},
     {}},
    {"LowerAthBoxLeavesItsFieldAlone", {"CheckBox08", "CheckBox08"}, {{"Edit15", Is::Enabled}}, {}},
    {"LongBlocksOffBringsShortBlocksBack",
     {"CheckBox21", "CheckBox22"},
     {{"CheckBox21", Is::Checked}, {"CheckBox22", Is::Unchecked}},
     {}},
};
INSTANTIATE_TEST_SUITE_P(Rules, ClickRuleTest, ::testing::ValuesIn(kClickCases),
                         [](const auto& info) { return std::string(info.param.name); });

class UngovernedClickTest : public WindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(UngovernedClickTest, ChangesNothingButItself) {
    const std::string clicked = GetParam();
    const std::string group = clicked.substr(0, clicked.find('_'));
    auto before = snapshot(*form);
    click(clicked.c_str());
    auto after = snapshot(*form);
    ASSERT_NE(before.at(clicked).checked, after.at(clicked).checked);
    for (auto* shown : {&before, &after})
        for (auto it = shown->begin(); it != shown->end();)
            it = it->first.rfind(group, 0) == 0 ? shown->erase(it) : std::next(it);
    EXPECT_EQ(after, before);
}

INSTANTIATE_TEST_SUITE_P(Controls, UngovernedClickTest,
                         ::testing::Values("CheckBox02", "CheckBox07", "CheckBox15", "CheckBox20",
                                           "CheckBox23", "CheckBox25", "RadioGroup2_3",
                                           "RadioGroup3_1", "RadioGroup4_2"));

TEST_F(WindowTest, ArrowKeysChangeTheBitrateModeAndRunItsRule) {
    auto* cbr = widget<QRadioButton>("RadioGroup1_0");
    cbr->setFocus();
    QTest::keyClick(cbr, Qt::Key_Down);
    EXPECT_TRUE(widget<QRadioButton>("RadioGroup1_1")->isChecked());
    EXPECT_EQ(form->model().itemIndex("RadioGroup1"), 1);
    EXPECT_TRUE(widget("TrackBar1")->isVisible());
}

// --- drop-down typing -------------------------------------------------------------------------

struct TypingCase {
    const char* name;
    const char* keys;
    const char* text;
    const char* selected;
    const char* bitrateShown; // the one bitrate drop-down left visible
};

void PrintTo(const TypingCase& c, std::ostream* os) {
    *os << c.name;
}

class DropDownTypingTest : public WindowTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(DropDownTypingTest, CompletesFromTheListAndRunsTheRule) {
    const TypingCase& c = GetParam();
    auto* comboBox = widget<QComboBox>("ComboBox1");
    comboBox->setFocus();
    comboBox->lineEdit()->selectAll();
    QTest::keyClicks(comboBox, QString::fromUtf8(c.keys));
    EXPECT_EQ(comboBox->lineEdit()->text().toStdString(), c.text);
    EXPECT_EQ(comboBox->lineEdit()->selectedText().toStdString(), c.selected);
    EXPECT_EQ(form->model().text("ComboBox1"), c.text);
    for (const char* bitrate : {"ComboBox2", "ComboBox3", "ComboBox4"})
        EXPECT_EQ(widget(bitrate)->isVisible(), std::string_view(bitrate) == c.bitrateShown)
            << bitrate;
}

const TypingCase kTypingCases[] = {
    {"FourCompletes44kHz", "4", "44.1 kHz", "4.1 kHz", "ComboBox2"},
    {"FourEightCompletes48kHz", "48", "48 kHz", " kHz", "ComboBox2"},
    {"TwoCompletes22kHz", "2", "22.05 kHz", "2.05 kHz", "ComboBox3"},
    {"CapitalAKeepsItsCaseAndChangesNothing", "A", "Auto", "uto", "ComboBox4"},
    {"EightMatchesNothingAndStaysAsTyped", "8", "8", "", "ComboBox4"},
    {"TypingOnPastACompletion", "44.1 kHz!", "44.1 kHz!", "", "ComboBox2"},
};
INSTANTIATE_TEST_SUITE_P(ComboBox1, DropDownTypingTest, ::testing::ValuesIn(kTypingCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, BackspaceDeletesTheCompletionAndKeepsTheBitrateShown) {
    auto* comboBox = widget<QComboBox>("ComboBox1");
    comboBox->setFocus();
    comboBox->lineEdit()->selectAll();
    QTest::keyClicks(comboBox, QStringLiteral("3"));
    ASSERT_EQ(comboBox->currentText(), QStringLiteral("32 kHz"));
    QTest::keyClick(comboBox, Qt::Key_Backspace);
    EXPECT_EQ(comboBox->currentText(), QStringLiteral("3"));
    EXPECT_EQ(comboBox->lineEdit()->cursorPosition(), 1);
    EXPECT_EQ(form->model().text("ComboBox1"), "3");
    EXPECT_EQ(form->model().currentEntry("ComboBox1"), -1);
    EXPECT_TRUE(widget("ComboBox2")->isVisible());
}

TEST_F(WindowTest, DeleteReachesTheModelAsAChangedText) {
    auto* comboBox = widget<QComboBox>("ComboBox1");
    comboBox->setFocus();
    comboBox->lineEdit()->selectAll();
    QTest::keyClicks(comboBox, QStringLiteral("1"));
    comboBox->lineEdit()->selectAll();
    QTest::keyClick(comboBox, Qt::Key_Delete);
    EXPECT_EQ(comboBox->currentText(), QString());
    EXPECT_EQ(form->model().text("ComboBox1"), "");
    EXPECT_TRUE(widget("ComboBox3")->isVisible());
}

TEST_F(WindowTest, DeleteInsideACompletionKeepsTheCaretWhereItWas) {
    auto* comboBox = widget<QComboBox>("ComboBox1");
    comboBox->setFocus();
    comboBox->lineEdit()->selectAll();
    QTest::keyClicks(comboBox, QStringLiteral("4"));
    QTest::keyClick(comboBox, Qt::Key_Home);
    QTest::keyClick(comboBox, Qt::Key_Delete);
    EXPECT_EQ(comboBox->currentText(), QStringLiteral("4.1 kHz"));
    EXPECT_EQ(comboBox->lineEdit()->cursorPosition(), 0);
    EXPECT_EQ(form->model().text("ComboBox1"), "4.1 kHz");
    EXPECT_EQ(form->model().currentEntry("ComboBox1"), -1);
}

TEST_F(WindowTest, PickingAnEntryStoresItAndRunsTheRule) {
    auto* comboBox = widget<QComboBox>("ComboBox1");
    comboBox->setFocus();
    comboBox->lineEdit()->selectAll();
    QTest::keyClicks(comboBox, QStringLiteral("4"));
    QTest::keyClick(comboBox, Qt::Key_Up); // the entry above "44.1 kHz"
    EXPECT_EQ(comboBox->currentText(), QStringLiteral("32 kHz"));
    EXPECT_EQ(comboBox->lineEdit()->selectedText(), QStringLiteral("32 kHz"));
    EXPECT_EQ(form->model().text("ComboBox1"), "32 kHz");
    QTest::keyClick(comboBox, Qt::Key_Up);
    EXPECT_EQ(form->model().text("ComboBox1"), "24 kHz");
    EXPECT_TRUE(widget("ComboBox3")->isVisible());
    EXPECT_FALSE(widget("ComboBox2")->isVisible());
}

TEST_F(WindowTest, ModeChangeResetsTheFrequencyTheUserTyped) {
    auto* comboBox = widget<QComboBox>("ComboBox1");
    comboBox->setFocus();
    comboBox->lineEdit()->selectAll();
    QTest::keyClicks(comboBox, QStringLiteral("2"));
    ASSERT_TRUE(widget("ComboBox3")->isVisible());
    click("RadioGroup1_1");
    EXPECT_EQ(comboBox->currentText(), QStringLiteral("auto"));
    QTest::keyClick(comboBox, Qt::Key_Down); // VBR keeps every bitrate hidden
    EXPECT_FALSE(widget("ComboBox2")->isVisible());
    EXPECT_FALSE(widget("ComboBox3")->isVisible());
    EXPECT_FALSE(widget("ComboBox4")->isVisible());
}

TEST_F(WindowTest, LeavingADropDownLeavesItsEntryAsTheRulesLeftIt) {
    auto* bitrate = widget<QComboBox>("ComboBox4");
    const auto entry = [&] { return form->model().control("ComboBox4").currentEntry; };
    // "auto" is picked (Down to "8", Up back), then Backspace at the front leaves no entry
    // current, the text as it is.
    const auto pickAndDrop = [&] {
        bitrate->setFocus();
        QTest::keyClick(bitrate, Qt::Key_Down);
        QTest::keyClick(bitrate, Qt::Key_Up);
        QTest::keyClick(bitrate, Qt::Key_Home);
        QTest::keyClick(bitrate, Qt::Key_Backspace);
        ASSERT_EQ(entry(), -1);
        ASSERT_EQ(bitrate->lineEdit()->text(), QStringLiteral("auto"));
    };
    pickAndDrop();
    QTest::keyClick(bitrate, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), bitrate->lineEdit());
    EXPECT_EQ(entry(), -1);
    EXPECT_EQ(bitrate->currentIndex(), 0); // the entry whose text it shows

    // The field loses the focus because a rule hides it: another sampling frequency, by the wheel.
    pickAndDrop();
    auto* frequency = widget<QComboBox>("ComboBox1");
    const QPointF at(frequency->width() / 2.0, frequency->height() / 2.0);
    // One turn moves on from "auto", shown as current.
    QWheelEvent wheel(at, frequency->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(frequency, &wheel);
    ASSERT_EQ(form->model().text("ComboBox1"), "16 kHz");
    EXPECT_FALSE(bitrate->isVisible());
    EXPECT_EQ(entry(), -1);
    EXPECT_EQ(bitrate->currentIndex(), 0);
}

// --- hints ------------------------------------------------------------------------------------

class HintTest : public WindowTest {
protected:
    // Off any hinted control; a shown hint goes away.
    void moveAway() {
        QWidget* w = widget("Label01");
        QTest::mouseMove(w, QPoint(6, w->height() / 2));
    }

    // Moves the mouse onto a control and lets it rest there until a hint shows, if one does.
    bool rest(QWidget* w) {
        QTest::mouseMove(w, QPoint(6, w->height() / 2));
        return QTest::qWaitFor([&] { return form->hints().box()->isVisible(); },
                               quendra::form::kHintTimings.restMs * 4);
    }
    QString hintText() const { return form->hints().box()->text(); }
};

TEST_F(HintTest, RestingOnAHintedControlShowsItsHint) {
    const std::pair<const char*, const char*> cases[] = {
        {"Label10", "This just multiplies the PCM data."},
        {"ComboBox1", "Select output sampling frequency."},
        {"CheckBox19",
         "With this option, LAME will enforce the 7680 bit limitation on total frame size."},
        {"TrackBar2", "Bitrate is of course the main influence on quality. "},
        {"RadioGroup4_0", "Only the \"RadioGain\" ReplayGain value is computed."},
        {"RadioGroup3_2", "All this does is set a flag in the bitstream. "},
        {"CheckBox17", "Disable specific assembly optimizations. "},
        {"CheckBox05", "The Absolute Threshold of Hearing is the minimum threshold under which "
                       "humans are unable to hear any sound. "},
    };
    for (const auto& [control, begins] : cases) {
        moveAway();
        ASSERT_FALSE(form->hints().box()->isVisible());
        ASSERT_TRUE(rest(widget(control))) << control;
        EXPECT_TRUE(hintText().startsWith(QString::fromUtf8(begins)))
            << control << ": " << hintText().toStdString();
    }
}

TEST_F(HintTest, DisabledFullBandwidthShowsNoneUntilEnabled) {
    QWidget* full = widget("CheckBox14");
    EXPECT_TRUE(form->hints().hintAt(full).isEmpty());
    QTest::mouseMove(full, QPoint(6, full->height() / 2));
    EXPECT_EQ(form->hints().activeControl(), nullptr);

    click("CheckBox09");
    moveAway(); // the cursor has to arrive anew: moving to where it already is is no move
    ASSERT_TRUE(rest(full));
    EXPECT_TRUE(hintText().startsWith(
        QStringLiteral("Tells the encoder to use full bandwidth and to disable all filters. ")));
}

TEST_F(HintTest, ControlsWithoutAHintShowNone) {
    for (const char* control :
         {"Edit01", "Label01", "Button1", "CheckBox01", "CheckBox09", "RadioGroup1_1", "Image1"}) {
        QWidget* w = widget(control);
        EXPECT_TRUE(form->hints().hintAt(w).isEmpty()) << control;
        QTest::mouseMove(w, QPoint(6, w->height() / 2));
        EXPECT_EQ(form->hints().activeControl(), nullptr) << control;
    }
    for (const QWidget* w : form->findChildren<QWidget*>())
        EXPECT_TRUE(w->toolTip().isEmpty()) << w->objectName().toStdString();
}

TEST_F(HintTest, MovingOnFromAShownHintShowsTheNextAtOnce) {
    ASSERT_TRUE(rest(widget("CheckBox18")));
    QWidget* next = widget("CheckBox19");
    QTest::mouseMove(next, QPoint(6, next->height() / 2));
    EXPECT_TRUE(form->hints().box()->isVisible());
    EXPECT_TRUE(hintText().startsWith(QStringLiteral("With this option")));
}

TEST_F(HintTest, MovingBetweenButtonsOfOneGroupKeepsTheHint) {
    ASSERT_TRUE(rest(widget("RadioGroup3_0")));
    const QString shown = hintText();
    QWidget* next = widget("RadioGroup3_2");
    QTest::mouseMove(next, QPoint(6, next->height() / 2));
    EXPECT_TRUE(form->hints().box()->isVisible());
    EXPECT_EQ(hintText(), shown);
}

// --- start encoding ---------------------------------------------------------------------------

TEST_F(WindowTest, StartEncodingLaunchesTheExactCommandLine) {
    typeInto("Edit01", QStringLiteral("C:\\in.wav"));
    typeInto("Edit02", QStringLiteral("C:\\out.mp3"));
    QTest::mouseClick(widget("Button1"), Qt::LeftButton);
    ASSERT_EQ(launcher.lines.size(), 1u);
    EXPECT_EQ(launcher.lines[0],
              "lame.bin --cbr -b auto --scale 1 -q 2 \"C:\\in.wav\" \"C:\\out.mp3\"");
    EXPECT_TRUE(notice.shown.empty());
}

TEST_F(WindowTest, StartEncodingFollowsWhatTheUserSet) {
    typeInto("Edit01", QStringLiteral("/music/a.wav"));
    typeInto("Edit02", QStringLiteral("/music/a.mp3"));
    click("RadioGroup1_1");
    auto* vbr = widget<QSlider>("TrackBar1");
    vbr->setFocus();
    QTest::keyClick(vbr, Qt::Key_Left);
    QTest::keyClick(vbr, Qt::Key_Left);
    click("CheckBox01");
    auto* title = widget<QLineEdit>("Edit03");
    title->setFocus();
    title->selectAll();
    QTest::keyClicks(title, QStringLiteral("Song"));
    QTest::mouseClick(widget("Button1"), Qt::LeftButton);
    ASSERT_EQ(launcher.lines.size(), 1u);
    EXPECT_EQ(launcher.lines[0],
              "lame.bin -V 2 --tt \"Song\" --ta \"\" --tl \"\" --ty \"\" --tc \"Encoded with "
              "Quendra v1.1\" --tn \"\" --tg \"\" --scale 1 -q 2 \"/music/a.wav\" "
              "\"/music/a.mp3\"");
}

TEST_F(WindowTest, EveryPressStartsAnotherEncoderAndChangesNothing) {
    const auto before = snapshot(*form);
    QTest::mouseClick(widget("Button1"), Qt::LeftButton);
    QTest::mouseClick(widget("Button1"), Qt::LeftButton);
    EXPECT_EQ(launcher.lines,
              (std::vector<std::string>(2, "lame.bin --cbr -b auto --scale 1 -q 2 \"\" \"\"")));
    EXPECT_EQ(snapshot(*form), before);
}

TEST_F(WindowTest, FailedStartIsReportedAndChangesNothing) {
    launcher.result = {false, "not found", {"/opt/quendra", "/home/user"}};
    click("CheckBox02");
    const auto before = snapshot(*form);
    QTest::mouseClick(widget("Button1"), Qt::LeftButton);
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(notice.windows[0], form.get());
    EXPECT_EQ(notice.shown[0], quendra::launchFailureMessage(launcher.result));
    EXPECT_EQ(snapshot(*form), before);
}

TEST_F(WindowTest, APendingStartIsFollowedFromTheEventLoopAndItsFailureToldThen) {
    launcher.result = {false, {}, {}, true};
    QTest::mouseClick(widget("Button1"), Qt::LeftButton);
    EXPECT_TRUE(notice.shown.empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return launcher.follows >= 2; }));
    EXPECT_TRUE(notice.shown.empty());

    launcher.decided = {{false, "no terminal took it", {}, false}};
    ASSERT_TRUE(QTest::qWaitFor([&] { return !notice.shown.empty(); }));
    EXPECT_EQ(notice.shown, std::vector<std::string>{quendra::launchFailureMessage(
                                {false, "no terminal took it", {}, false})});
}

TEST(WindowNotice, FailedStartShowsAMessageBoxNamingTheEncoder) {
    RecordingLauncher launcher;
    launcher.result = {false, "permission denied", {"/opt/quendra", "/usr/bin"}};
    TForm1 form(launcher);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QString text;
    QFont boxFont;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            boxFont = box->font();
            box->accept();
        }
    });
    closer.start(10);
    QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("Button1")), Qt::LeftButton);
    EXPECT_TRUE(text.contains(QStringLiteral("lame.bin")));
    EXPECT_TRUE(text.contains(QStringLiteral("permission denied")));
    EXPECT_TRUE(text.contains(QStringLiteral("/opt/quendra")));
    EXPECT_TRUE(text.contains(QStringLiteral("/usr/bin")));
    EXPECT_EQ(launcher.lines.size(), 1u);
    // The notice speaks in the window's face and size, not the platform's, and shapes what it
    // shows: the places searched may be in any script.
    EXPECT_EQ(boxFont.family(), form.font().family());
    EXPECT_EQ(boxFont.pointSize(), form.font().pointSize());
    EXPECT_FALSE(boxFont.styleStrategy() & QFont::PreferNoShaping);
}

} // namespace
