// A long random session on the real window: the clicks, keys and typing a person could do, each
// followed by a comparison of everything the window shows with the model, the coupling rules'
// invariants, and for every start of the encoder the command it was given.
//
// The session is seeded. The seed is printed; QUENDRA_SOAK_SEED=<seed> replays a session and
// QUENDRA_SOAK_ACTIONS=<n> changes its length (50000 by default).
#include "CommandBuilder.h"
#include "DropDownTyping.h"
#include "Placements.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using quendra::ControlKind;
using quendra::ControlState;
using quendra::FormModel;

namespace {

std::uint64_t environmentNumber(const char* name, std::uint64_t fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtoull(value, nullptr, 10) : fallback;
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

std::string keyName(int key, Qt::KeyboardModifiers modifiers) {
    return QKeySequence(QKeyCombination(modifiers, Qt::Key(key))).toString().toStdString();
}

class SoakTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        if (HasFatalFailure())
            return;
        for (const ControlState& c : form->model().controls()) {
            QWidget* w = form->findChild<QWidget*>(qs(c.name));
            ASSERT_NE(w, nullptr) << c.name;
            widgets[c.name] = w;
            for (std::size_t i = 0; c.kind == ControlKind::RadioGroup && i < c.items.size(); ++i) {
                auto* button = form->findChild<QRadioButton*>(qs(c.name + "_" + std::to_string(i)));
                ASSERT_NE(button, nullptr) << c.name << " " << i;
                radios[c.name].push_back(button);
            }
        }
        // Nothing in the session may open a modal window; one that opens anyway is recorded
        // and closed, so that the session goes on to report it.
        QObject::connect(&modalGuard, &QTimer::timeout, form.get(), [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                unexpectedModal = modal->metaObject()->className();
                modal->close();
            }
        });
        modalGuard.start(50);
    }

    void TearDown() override { modalGuard.stop(); }

    const FormModel& model() const { return form->model(); }

    // --- what the window shows against the model ---------------------------------------------

    // The group box a control sits in, or nullptr on the window itself.
    const ControlState* groupOf(const ControlState& c) const {
        const quendra::ControlName parent = quendra::form::placementOf(c.name)->parent;
        return parent == quendra::control::Form1 ? nullptr : &model().control(parent);
    }
    bool shownInModel(const ControlState& c) const {
        return c.visible && (!groupOf(c) || shownInModel(*groupOf(c)));
    }
    bool enabledInModel(const ControlState& c) const {
        return c.enabled && (!groupOf(c) || enabledInModel(*groupOf(c)));
    }

    void compareWindowWithModel(std::vector<std::string>& problems) const {
        auto differ = [&problems](const std::string& name, const char* what, const auto& shown,
                                  const auto& stored) {
            std::ostringstream text;
            text << name << " " << what << ": the window shows " << shown << ", the model has "
                 << stored;
            problems.push_back(text.str());
        };
        for (const ControlState& c : model().controls()) {
            const QWidget* w = widgets.at(c.name);
            if (w->isVisible() != shownInModel(c) || w->isHidden() == c.visible)
                differ(c.name, "visible", w->isVisible(), c.visible);
            if (w->isEnabled() != enabledInModel(c) ||
                w->isEnabledTo(w->parentWidget()) != c.enabled)
                differ(c.name, "enabled", w->isEnabled(), c.enabled);
            switch (c.kind) {
            case ControlKind::Label:
                if (static_cast<const QLabel*>(w)->text() != qs(c.caption))
                    differ(c.name, "caption", static_cast<const QLabel*>(w)->text().toStdString(),
                           c.caption);
                break;
            case ControlKind::Button:
                if (static_cast<const QAbstractButton*>(w)->text() != qs(c.caption))
                    differ(c.name, "caption",
                           static_cast<const QAbstractButton*>(w)->text().toStdString(), c.caption);
                break;
            case ControlKind::CheckBox: {
                const auto* box = static_cast<const QCheckBox*>(w);
                if (box->isChecked() != c.checked)
                    differ(c.name, "checked", box->isChecked(), c.checked);
                if (box->text() != qs(c.caption))
                    differ(c.name, "caption", box->text().toStdString(), c.caption);
                break;
            }
            case ControlKind::Edit: {
                const QString text = static_cast<const QLineEdit*>(w)->text();
                if (text != qs(c.text))
                    differ(c.name, "text", "\"" + text.toStdString() + "\"", "\"" + c.text + "\"");
                break;
            }
            case ControlKind::DropDown: {
                const auto* comboBox = static_cast<const QComboBox*>(w);
                const QString text = comboBox->lineEdit()->text();
                if (text != qs(c.text))
                    differ(c.name, "text", "\"" + text.toStdString() + "\"", "\"" + c.text + "\"");
                const int shown =
                    quendra::DropDownTyping::shownEntry(c.items, c.text, c.currentEntry);
                if (comboBox->currentIndex() != shown)
                    differ(c.name, "current entry", comboBox->currentIndex(), shown);
                if (comboBox->count() != int(c.items.size()))
                    differ(c.name, "entries", comboBox->count(), c.items.size());
                break;
            }
            case ControlKind::Slider: {
                const auto* slider = static_cast<const QSlider*>(w);
                if (slider->value() != c.position)
                    differ(c.name, "position", slider->value(), c.position);
                break;
            }
            case ControlKind::RadioGroup: {
                if (static_cast<const QGroupBox*>(w)->title() != qs(c.caption))
                    differ(c.name, "caption",
                           static_cast<const QGroupBox*>(w)->title().toStdString(), c.caption);
                const std::vector<QRadioButton*>& buttons = radios.at(c.name);
                for (std::size_t i = 0; i < buttons.size(); ++i) {
                    const std::string button = c.name + "_" + std::to_string(i);
                    if (buttons[i]->isChecked() != (int(i) == c.itemIndex))
                        differ(button, "checked", buttons[i]->isChecked(), int(i) == c.itemIndex);
                    if (buttons[i]->isHidden() ||
                        !buttons[i]->isEnabledTo(buttons[i]->parentWidget()))
                        differ(button, "own state", "hidden or disabled", "none of its own");
                    if (buttons[i]->text() != qs(c.items[i]))
                        differ(button, "caption", buttons[i]->text().toStdString(), c.items[i]);
                }
                break;
            }
            case ControlKind::GroupBox:
                if (static_cast<const QGroupBox*>(w)->title() != qs(c.caption))
                    differ(c.name, "caption",
                           static_cast<const QGroupBox*>(w)->title().toStdString(), c.caption);
                break;
            }
        }
    }

    // --- the coupling rules' invariants ------------------------------------------------------

    void checkInvariants(std::vector<std::string>& problems) const {
        const FormModel& m = model();
        auto require = [&problems](bool holds, const char* rule) {
            if (!holds)
                problems.push_back(std::string("invariant broken: ") + rule);
        };
        require(m.checked("CheckBox21") || m.checked("CheckBox22"),
                "CheckBox21 and CheckBox22 are never both unchecked");
        const int bitrates =
            int(m.visible("ComboBox2")) + int(m.visible("ComboBox3")) + int(m.visible("ComboBox4"));
        require(bitrates <= 1, "at most one bitrate drop-down is visible");
        require(m.itemIndex("RadioGroup1") != 1 || bitrates == 0, "VBR shows no bitrate drop-down");
        require(!m.checked("CheckBox06") || (m.checked("CheckBox07") && !m.enabled("CheckBox07")),
                "CheckBox06 checked leaves CheckBox07 checked and disabled");
        for (const char* box : {"CheckBox06", "CheckBox07", "CheckBox08"})
            require(m.checked("CheckBox05") || (!m.checked(box) && !m.enabled(box)),
                    "CheckBox05 unchecked leaves CheckBox06-08 unchecked and disabled");
        if (m.checked("CheckBox09")) {
            for (const char* box :
                 {"CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13", "CheckBox14"})
                require(!m.enabled(box), "CheckBox09 checked disables the five filter boxes");
            require(m.text("Edit13") == "auto" && m.text("Edit14") == "auto",
                    "CheckBox09 checked shows \"auto\" in Edit13 and Edit14");
        }
        for (const char* tag :
             {"Edit03", "Edit04", "Edit05", "Edit06", "Edit07", "Edit08", "ComboBox5"})
            require(m.enabled(tag) == m.checked("CheckBox01"),
                    "the tag fields are enabled exactly when CheckBox01 is checked");
    }

    // --- the actions -------------------------------------------------------------------------

    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }
    bool chance(int percent) { return pick(100) < percent; }

    bool usable(const QWidget* w) const { return w->isVisible() && w->isEnabled(); }

    std::vector<QWidget*> usableOf(ControlKind kind) const {
        std::vector<QWidget*> found;
        for (const ControlState& c : model().controls())
            if (c.kind == kind && usable(widgets.at(c.name)))
                found.push_back(widgets.at(c.name));
        return found;
    }

    QPoint somewhereOn(const QWidget* w, int maxX) {
        const int right = std::max(3, std::min(w->width() - 2, maxX));
        return {2 + pick(right - 2), std::max(1, w->height() / 2 - 3 + pick(7))};
    }

    std::string name(const QWidget* w) const {
        const QWidget* named = w;
        while (named && named->objectName().isEmpty())
            named = named->parentWidget();
        return named ? named->objectName().toStdString() : "(none)";
    }

    void clickCheckBox() {
        const std::vector<QWidget*> boxes = usableOf(ControlKind::CheckBox);
        if (boxes.empty())
            return;
        QWidget* box = boxes[std::size_t(pick(int(boxes.size())))];
        const QPoint at = somewhereOn(box, 40);
        kind = "check box clicks";
        action = "click " + name(box);
        QTest::mouseClick(box, Qt::LeftButton, {}, at);
    }

    void clickRadioButton() {
        std::vector<QRadioButton*> buttons;
        for (const auto& [group, members] : radios)
            for (QRadioButton* b : members)
                if (usable(b))
                    buttons.push_back(b);
        if (buttons.empty())
            return;
        QRadioButton* button = buttons[std::size_t(pick(int(buttons.size())))];
        kind = "radio button clicks";
        action = "click " + name(button);
        QTest::mouseClick(button, Qt::LeftButton, {}, somewhereOn(button, 40));
    }

    // A click into an edit field or a drop-down's text: the caret goes where the click was.
    void clickIntoField() {
        std::vector<QWidget*> fields = usableOf(ControlKind::Edit);
        const std::vector<QWidget*> dropDowns = usableOf(ControlKind::DropDown);
        fields.insert(fields.end(), dropDowns.begin(), dropDowns.end());
        if (!fields.empty())
            clickInto(fields[std::size_t(pick(int(fields.size())))]);
    }

    // Typing goes on in a field of the kind; a person first clicks into one.
    void typeInto(ControlKind fieldKind) {
        const std::vector<QWidget*> fields = usableOf(fieldKind);
        QWidget* focus = QApplication::focusWidget();
        if (std::find(fields.begin(), fields.end(), focus) != fields.end())
            pressKey();
        else if (!fields.empty())
            clickInto(fields[std::size_t(pick(int(fields.size())))]);
    }

    void clickInto(QWidget* field) {
        typing = 1 + pick(6); // a few keys follow a click into a field
        QWidget* target = field;
        if (auto* comboBox = qobject_cast<QComboBox*>(field))
            target = comboBox->lineEdit();
        const QPoint at = somewhereOn(target, target->width());
        kind = "clicks into fields";
        action = "click into " + name(field) + " at x " + std::to_string(at.x());
        QTest::mouseClick(target, Qt::LeftButton, {}, at);
    }

    void clickSlider() {
        const std::vector<QWidget*> sliders = usableOf(ControlKind::Slider);
        if (sliders.empty())
            return;
        QWidget* slider = sliders[std::size_t(pick(int(sliders.size())))];
        const QPoint at = somewhereOn(slider, slider->width());
        kind = "slider clicks";
        action = "click " + name(slider) + " at x " + std::to_string(at.x());
        QTest::mouseClick(slider, Qt::LeftButton, {}, at);
    }

    void turnWheel() {
        std::vector<QWidget*> targets = usableOf(ControlKind::Slider);
        const std::vector<QWidget*> dropDowns = usableOf(ControlKind::DropDown);
        targets.insert(targets.end(), dropDowns.begin(), dropDowns.end());
        if (targets.empty())
            return;
        QWidget* target = targets[std::size_t(pick(int(targets.size())))];
        const int delta = chance(50) ? 120 : -120;
        kind = "wheel turns";
        action = "wheel " + std::string(delta > 0 ? "up" : "down") + " on " + name(target);
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    }

    void pressStartEncoding() {
        kind = "Start encoding clicks";
        action = "click Button1 (Start encoding)";
        QTest::mouseClick(widgets.at("Button1"), Qt::LeftButton);
    }

    // A character a person might type into this drop-down: mostly one that continues one of its
    // entries, so that completions happen, and now and then anything at all.
    QString characterFor(const ControlState* dropDown) {
        if (dropDown && !dropDown->items.empty() && chance(75)) {
            const std::string& item =
                dropDown->items[std::size_t(pick(int(dropDown->items.size())))];
            const QString entry = qs(item);
            const int at = std::min<int>(int(qs(dropDown->text).size()), int(entry.size()) - 1);
            return entry.mid(chance(60) ? std::max(0, at) : pick(int(entry.size())), 1);
        }
        static const QStringList any = {
            "a", "Z", "k", "H", "z", "0", "1",  "2",
            "4", "8", "9", ".", " ", "-", "\"", "\\",
            "/", "<", ">", "&", "é", "ß", "€",  "\xF0\x9F\x8E\xB5" /* a note, outside the BMP */};
        return any[pick(int(any.size()))];
    }

    // One key to whatever has the focus, as a keyboard would send it.
    void pressKey() {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !usable(focus) || focus->window() != form.get()) {
            clickIntoField();
            return;
        }
        const std::string focused = name(focus);
        const ControlState* dropDown = nullptr;
        if (auto* comboBox = qobject_cast<QComboBox*>(focus))
            dropDown = &model().control(comboBox->objectName().toStdString());
        const bool textField = dropDown || qobject_cast<QLineEdit*>(focus);
        const bool slider = qobject_cast<QSlider*>(focus);
        // "..." opens a modal file chooser; nothing in this session chooses files.
        const bool chooser = focused == "Button2" || focused == "Button3";

        struct Key {
            int code;
            Qt::KeyboardModifiers modifiers;
        };
        static const Key editing[] = {{Qt::Key_Backspace, {}},
                                      {Qt::Key_Backspace, {}},
                                      {Qt::Key_Delete, {}},
                                      {Qt::Key_Left, {}},
                                      {Qt::Key_Right, {}},
                                      {Qt::Key_Home, {}},
                                      {Qt::Key_End, {}},
                                      {Qt::Key_Left, Qt::ShiftModifier},
                                      {Qt::Key_Home, Qt::ShiftModifier},
                                      {Qt::Key_A, Qt::ControlModifier},
                                      {Qt::Key_X, Qt::ControlModifier},
                                      {Qt::Key_C, Qt::ControlModifier},
                                      {Qt::Key_V, Qt::ControlModifier},
                                      {Qt::Key_Z, Qt::ControlModifier},
                                      {Qt::Key_Return, {}}};
        static const Key choosing[] = {{Qt::Key_Up, {}},     {Qt::Key_Down, {}},
                                       {Qt::Key_PageUp, {}}, {Qt::Key_PageDown, {}},
                                       {Qt::Key_Home, {}},   {Qt::Key_End, {}}};
        static const Key buttons[] = {{Qt::Key_Space, {}},
                                      {Qt::Key_Up, {}},
                                      {Qt::Key_Down, {}},
                                      {Qt::Key_Left, {}},
                                      {Qt::Key_Right, {}}};

        if (chance(4)) {
            const bool back = chance(50);
            kind = "Tab keys";
            action = std::string(back ? "Shift+Tab" : "Tab") + " from " + focused;
            QTest::keyClick(focus, back ? Qt::Key_Backtab : Qt::Key_Tab,
                            back ? Qt::ShiftModifier : Qt::NoModifier);
            return;
        }
        if (textField && chance(55)) {
            const QString character = characterFor(dropDown);
            kind = "typed characters";
            action = "type \"" + character.toStdString() + "\" into " + focused;
            QTest::sendKeyEvent(QTest::Click, focus, Qt::Key_unknown, character, Qt::NoModifier);
            return;
        }
        auto any = [this](const auto& keys) { return keys[pick(int(std::size(keys)))]; };
        Key key{};
        if (textField)
            key = dropDown && chance(25) ? any(choosing) : any(editing);
        else if (slider)
            key = any(choosing);
        else if (!chooser)
            key = any(buttons);
        else
            key = buttons[1 + pick(int(std::size(buttons)) - 1)];
        kind = textField ? "editing keys" : slider ? "slider keys" : "keys on buttons";
        action = keyName(key.code, key.modifiers) + " in " + focused;
        QTest::keyClick(focus, Qt::Key(key.code), key.modifiers);
    }

    void pause() {
        kind = "pauses";
        action = "a pause (events processed)";
        QCoreApplication::processEvents();
    }

    void act() {
        if (typing > 0) {
            --typing;
            const QWidget* focus = QApplication::focusWidget();
            if (qobject_cast<const QLineEdit*>(focus) || qobject_cast<const QComboBox*>(focus)) {
                pressKey();
                return;
            }
        }
        const int roll = pick(100);
        if (roll < 20)
            clickCheckBox();
        else if (roll < 30)
            clickRadioButton();
        else if (roll < 35)
            clickIntoField();
        else if (roll < 60)
            typeInto(ControlKind::DropDown);
        else if (roll < 72)
            typeInto(ControlKind::Edit);
        else if (roll < 86)
            pressKey();
        else if (roll < 90)
            clickSlider();
        else if (roll < 93)
            turnWheel();
        else if (roll < 98)
            pressStartEncoding();
        else
            pause();
    }

    std::map<std::string, QWidget*> widgets;
    std::map<std::string, std::vector<QRadioButton*>> radios;
    QTimer modalGuard;
    std::string unexpectedModal;
    std::mt19937_64 random;
    std::string action;
    std::string kind;
    int typing = 0;
};

TEST_F(SoakTest, RandomSessionKeepsTheWindowOnTheModelAndTheRulesInForce) {
    const std::uint64_t seed = environmentNumber("QUENDRA_SOAK_SEED", std::random_device{}());
    const std::uint64_t actions = environmentNumber("QUENDRA_SOAK_ACTIONS", 50000);
    random.seed(seed);
    std::cout << "soak seed " << seed << ", " << actions
              << " actions (replay: QUENDRA_SOAK_SEED=" << seed << ")" << std::endl;
    RecordProperty("seed", std::to_string(seed));

    using Clock = std::chrono::steady_clock;
    Clock::duration acting{};
    Clock::duration checking{};
    std::deque<std::string> recent;
    std::size_t launches = 0;
    int failedLaunches = 0;
    std::map<std::string, int> kinds;

    for (std::uint64_t step = 0; step <= actions; ++step) {
        std::vector<std::string> problems;
        std::string expected;
        if (step > 0) {
            // Every fifth start fails, so that the failure notice is part of the session.
            launcher.result = chance(20) ? quendra::LaunchResult{false, "stand-in failure", {}}
                                         : quendra::LaunchResult{true, {}, {}};
            expected = quendra::CommandBuilder::build(model()).line;
            const std::size_t before = launcher.lines.size();
            const std::size_t noticesBefore = notice.shown.size();
            action.clear();
            kind.clear();
            const Clock::time_point start = Clock::now();
            act();
            // Paints, timers and hints get their turn now and then, as between a person's actions.
            if (step % 16 == 0)
                QCoreApplication::processEvents();
            acting += Clock::now() - start;
            if (action.empty())
                kind = action = "nothing to do";
            kinds[kind]++;
            recent.push_back("#" + std::to_string(step) + " " + action);
            if (recent.size() > 12)
                recent.pop_front();

            if (launcher.lines.size() > before + 1)
                problems.push_back("one action started the encoder " +
                                   std::to_string(launcher.lines.size() - before) + " times");
            if (launcher.lines.size() == before + 1) {
                ++launches;
                if (launcher.lines.back() != expected)
                    problems.push_back("the encoder got \"" + launcher.lines.back() +
                                       "\" where the model builds \"" + expected + "\"");
                const std::size_t expectedNotices =
                    noticesBefore + (launcher.result.started ? 0 : 1);
                failedLaunches += launcher.result.started ? 0 : 1;
                if (notice.shown.size() != expectedNotices)
                    problems.push_back("the failure notice was shown " +
                                       std::to_string(notice.shown.size() - noticesBefore) +
                                       " times");
            } else if (notice.shown.size() != noticesBefore) {
                problems.push_back("a failure notice without a start of the encoder");
            }
            if (!unexpectedModal.empty())
                problems.push_back("a modal " + unexpectedModal + " opened");
        }
        const Clock::time_point start = Clock::now();
        compareWindowWithModel(problems);
        checkInvariants(problems);
        checking += Clock::now() - start;

        if (!problems.empty()) {
            std::ostringstream report;
            report << "after action " << step << " of the session with seed " << seed
                   << " (replay: QUENDRA_SOAK_SEED=" << seed << ")\nthe last actions:\n";
            for (const std::string& line : recent)
                report << "  " << line << "\n";
            report << "found:\n";
            for (const std::string& problem : problems)
                report << "  " << problem << "\n";
            FAIL() << report.str();
        }
    }

    auto ms = [](Clock::duration d) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(d).count();
    };
    std::cout << "soak: " << actions << " actions in " << ms(acting) << " ms, checks in "
              << ms(checking) << " ms; " << launches << " starts of the encoder (" << failedLaunches
              << " failing on purpose)\n ";
    for (const auto& [what, count] : kinds)
        std::cout << " " << what << " " << count << ";";
    std::cout << std::endl;
    EXPECT_GT(launches, 0u);
}

} // namespace
