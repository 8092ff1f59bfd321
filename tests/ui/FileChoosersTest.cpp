#include "FileChoosers.h"
#include "RecordingLauncher.h"
#include "Unit1.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Readable failures: GoogleTest would print a QString as a list of characters.
static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

// --- the window's choosers --------------------------------------------------------------------

// The offscreen platform has no native file dialog, so the choosers come up as Qt's own dialog,
// the one these helpers can type into. Every chooser setting is also read off the QFileDialog
// itself, which is what a native dialog would be given.
class ChooserTest : public ::testing::Test {
protected:
    void SetUp() override {
        startDirectory = QDir::currentPath();
        ASSERT_TRUE(temp.isValid());
        root = QDir(temp.path()).canonicalPath();
        // Qt's own dialog remembers its state in the user's settings; keep the user's apart.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root + "/settings");
        ASSERT_TRUE(QDir(root).mkpath("start"));
        ASSERT_TRUE(QDir::setCurrent(root + "/start"));
        form = std::make_unique<TForm1>(launcher);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void TearDown() override {
        form.reset();
        QDir::setCurrent(startDirectory);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }

    QLineEdit* field(const char* name) const {
        return form->findChild<QLineEdit*>(QString::fromUtf8(name));
    }

    // A new file below the temporary root, its folders made as needed; returns its full path.
    QString makeFile(const QString& relative) const {
        const QString path = root + '/' + relative;
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).path())) << path.toStdString();
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        return path;
    }

    // Presses a "..." button and lets `answer` handle the chooser that it opens; the chooser
    // has to be closed when `answer` returns.
    void press(const char* button, const std::function<void(QFileDialog&)>& answer) {
        bool opened = false;
        QTimer later;
        later.setSingleShot(true);
        QObject::connect(&later, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                for (QWidget* window : QApplication::topLevelWidgets())
                    if (auto* open = qobject_cast<QFileDialog*>(window);
                        open && open->isVisible()) {
                        ADD_FAILURE() << "the chooser is not modal";
                        open->reject();
                    }
                return;
            }
            opened = true;
            answer(*dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the chooser is still open";
                dialog->reject();
            }
        });
        later.start(0);
        QTest::mouseClick(form->findChild<QWidget*>(QString::fromUtf8(button)), Qt::LeftButton);
        EXPECT_TRUE(opened) << button << " opened no chooser";
    }

    static QPushButton* buttonOf(QFileDialog& dialog, QDialogButtonBox::ButtonRole role) {
        if (auto* box = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox")))
            for (QAbstractButton* button : box->buttons())
                if (box->buttonRole(button) == role)
                    return qobject_cast<QPushButton*>(button);
        ADD_FAILURE() << "no button of role " << role << " (not Qt's own dialog?)";
        return nullptr;
    }

    // Types a name into the chooser's file name field, as a user would. QTest::keyClicks knows
    // ASCII only; any other character arrives the way an input method hands it over.
    static void type(QFileDialog& dialog, const QString& name) {
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr) << "not Qt's own dialog";
        // The dialog follows typing differently when its field lacks the focus.
        // The form, the dialog's parent, counts as active already: wait for the dialog itself.
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &dialog; }));
        edit->setFocus();
        ASSERT_TRUE(edit->hasFocus());
        for (QChar c : name) {
            if (c.unicode() < 0x80) {
                QTest::keyClicks(edit, QString(c));
            } else {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                QApplication::sendEvent(edit, &press);
            }
        }
    }

    // Closes the message box that `action` may put up, answering No; returns its text.
    static QString questionDuring(const std::function<void()>& action) {
        QString asked;
        QTimer answer;
        answer.setSingleShot(true);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = box->text();
                box->reject();
            }
        });
        answer.start(0);
        action();
        return asked;
    }

    // Picks a file the way a mouse does: its folder opened, then the file clicked in the list.
    static void pick(QFileDialog& dialog, const QString& path) {
        dialog.setDirectory(QFileInfo(path).path());
        QAbstractItemView* view = nullptr;
        for (const char* name : {"listView", "treeView"}) // its two views of the folder
            if (auto* shown = dialog.findChild<QAbstractItemView*>(QString::fromUtf8(name));
                shown && shown->isVisible())
                view = shown;
        ASSERT_NE(view, nullptr) << "not Qt's own dialog";
        const auto* files = qobject_cast<QFileSystemModel*>(view->model());
        ASSERT_NE(files, nullptr);
        QModelIndex index;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            index = files->index(path);
            return index.isValid() && !view->visualRect(index).isEmpty();
        })) << "the chooser never listed "
            << path.toStdString();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }

    static void confirm(QFileDialog& dialog) {
        QPushButton* accept = buttonOf(dialog, QDialogButtonBox::AcceptRole);
        ASSERT_NE(accept, nullptr);
        ASSERT_TRUE(accept->isEnabled()) << accept->text().toStdString();
        accept->click();
    }

    static void cancel(QFileDialog& dialog) {
        if (QPushButton* reject = buttonOf(dialog, QDialogButtonBox::RejectRole))
            reject->click();
    }

    void choose(const char* button, const QString& typed) {
        press(button, [&](QFileDialog& dialog) {
            type(dialog, typed);
            confirm(dialog);
        });
    }

    QString startDirectory;
    QTemporaryDir temp;
    QString root;
    RecordingLauncher launcher;
    std::unique_ptr<TForm1> form;
};

struct ChooserCase {
    const char* button;
    const char* title;
    QFileDialog::AcceptMode acceptMode;
    QFileDialog::FileMode fileMode;
    QFileDialog::Options options; // HideNameFilterDetails aside, no other option is set
    const char* defaultSuffix;
    QStringList filters;
    QStringList shown; // what the filter list shows
    bool resizable;
};

void PrintTo(const ChooserCase& c, std::ostream* os) {
    *os << c.button;
}

class ChooserSettingsTest : public ChooserTest,
                            public ::testing::WithParamInterface<ChooserCase> {};

TEST_P(ChooserSettingsTest, OpensModalWithItsTitleFiltersAndOptions) {
    const ChooserCase& c = GetParam();
    press(c.button, [&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle().toStdString(), c.title);
        EXPECT_EQ(dialog.parentWidget(), form.get());
        EXPECT_EQ(dialog.acceptMode(), c.acceptMode);
        EXPECT_EQ(dialog.fileMode(), c.fileMode);
        EXPECT_EQ(dialog.options(), c.options | QFileDialog::HideNameFilterDetails);
        EXPECT_EQ(dialog.defaultSuffix().toStdString(), c.defaultSuffix);
        EXPECT_EQ(dialog.nameFilters(), c.filters);
        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr) << "not Qt's own dialog";
        QStringList shown;
        for (int i = 0; i < types->count(); ++i)
            shown.append(types->itemText(i));
        EXPECT_EQ(shown, c.shown);
        // The first filter is the one in effect, as the list shows it.
        EXPECT_EQ(types->currentText(), c.shown.first());
        EXPECT_EQ(dialog.minimumSize() != dialog.maximumSize(), c.resizable);
        // File names come in any script: the chooser's font shapes them.
        EXPECT_FALSE(dialog.font().styleStrategy() & QFont::PreferNoShaping);

        // A click that arrives from the window system, as the user's would, is held back.
        EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
        auto* start = form->findChild<QWidget*>(QStringLiteral("Button1"));
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {},
                          start->mapTo(form.get(), start->rect().center()));
        EXPECT_TRUE(launcher.lines.empty()) << "the window took a click past the chooser";
        cancel(dialog);
    });
    // Each press has a chooser of its own, gone once the press is handled.
    EXPECT_TRUE(form->findChildren<QFileDialog*>().isEmpty());
}

const ChooserCase kChoosers[] = {
    {"Button2",
     "select input file",
     QFileDialog::AcceptOpen,
     QFileDialog::ExistingFile,
     QFileDialog::ReadOnly,
     "",
     {"all supported files (*.wav *.wave *.aif *.aiff *.mp1 *.mpg *.mp2 *.mp3)",
      "Wave files (*.wav *.wave)", "AIFF files (*.aif *.aiff)", "MPEG Layer I files (*.mp1 *.mpg)",
      "MPEG Layer II files (*.mp2)", "MPEG Layer III files (*.mp3)"},
     {"all supported files", "Wave files", "AIFF files", "MPEG Layer I files",
      "MPEG Layer II files", "MPEG Layer III files"},
     false},
    {"Button3",
     "select output file",
     QFileDialog::AcceptSave,
     QFileDialog::AnyFile,
     QFileDialog::DontConfirmOverwrite,
     "mp3",
     {"MP3 files (*.mp3)", "all files (*)"},
     {"MP3 files", "all files"},
     true},
};
INSTANTIATE_TEST_SUITE_P(Choosers, ChooserSettingsTest, ::testing::ValuesIn(kChoosers),
                         [](const auto& info) { return std::string(info.param.button); });

TEST_F(ChooserTest, CancelKeepsTheTypedPathsAndTheCurrentDirectory) {
    const QString elsewhere = makeFile("elsewhere/a.wav");
    field("Edit01")->setFocus();
    QTest::keyClicks(field("Edit01"), QStringLiteral("typed in.wav"));
    field("Edit02")->setFocus();
    QTest::keyClicks(field("Edit02"), QStringLiteral("typed out.mp3"));
    for (const char* button : {"Button2", "Button3"})
        press(button, [&](QFileDialog& dialog) {
            type(dialog, elsewhere);
            cancel(dialog);
        });
    EXPECT_EQ(field("Edit01")->text(), QStringLiteral("typed in.wav"));
    EXPECT_EQ(form->model().text("Edit01"), "typed in.wav");
    EXPECT_EQ(form->model().text("Edit02"), "typed out.mp3");
    EXPECT_EQ(QDir::currentPath(), root + "/start");
}

TEST_F(ChooserTest, InputChooserTakesOnlyAnExistingFile) {
    press("Button2", [&](QFileDialog& dialog) {
        type(dialog, root + "/missing.wav");
        QPushButton* open = buttonOf(dialog, QDialogButtonBox::AcceptRole);
        ASSERT_NE(open, nullptr);
        EXPECT_FALSE(open->isEnabled());
        questionDuring([&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); });
        EXPECT_TRUE(dialog.isVisible());
        cancel(dialog);
    });
    EXPECT_EQ(form->model().text("Edit01"), "");
    EXPECT_EQ(QDir::currentPath(), root + "/start");
}

// The road of an encoding: an input picked in a folder, the output named there, then started.
TEST_F(ChooserTest, ChosenPathsReachTheCommandAndTheOutputChooserFollowsTheLastFolder) {
    const QString input = makeFile(QStringLiteral("My \"Music\" Ünïcødé/Ça \"va\" – 1.wav"));
    press("Button2", [&](QFileDialog& dialog) {
        pick(dialog, input);
        confirm(dialog);
    });
    EXPECT_EQ(field("Edit01")->text(), input);
    EXPECT_EQ(form->model().text("Edit01"), input.toStdString());
    const QString folder = QFileInfo(input).path();
    EXPECT_EQ(QDir::currentPath(), folder);

    press("Button3", [&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.directory().absolutePath(), folder);
        type(dialog, QStringLiteral("Ça va – 1"));
        confirm(dialog);
    });
    const QString output = folder + QStringLiteral("/Ça va – 1.mp3");
    EXPECT_EQ(field("Edit02")->text(), output);

    QTest::mouseClick(form->findChild<QWidget*>(QStringLiteral("Button1")), Qt::LeftButton);
    ASSERT_EQ(launcher.lines.size(), 1u);
    // The command line escapes the quotes inside a path.
    const std::string folderInCommand = root.toStdString() + "/My \\\"Music\\\" Ünïcødé";
    EXPECT_EQ(launcher.lines[0], "lame.bin --cbr -b auto --scale 1 -q 2 \"" + folderInCommand +
                                     "/Ça \\\"va\\\" – 1.wav\" \"" + folderInCommand +
                                     "/Ça va – 1.mp3\"");
}

TEST_F(ChooserTest, OutputChooserOpensWhereTheProcessIsAtThePress) {
    ASSERT_TRUE(QDir(root).mkpath("moved"));
    for (const QString& folder : {root + "/start", root + "/moved"}) {
        ASSERT_TRUE(QDir::setCurrent(folder));
        press("Button3", [&](QFileDialog& dialog) {
            EXPECT_EQ(dialog.directory().absolutePath(), folder);
            cancel(dialog);
        });
    }
}

TEST_F(ChooserTest, OutputNameGetsTheMp3ExtensionOnlyWhenItHasNone) {
    const std::pair<QString, QString> cases[] = {
        {"a", "start/a.mp3"},
        {"my song", "start/my song.mp3"},
        {"a.wav", "start/a.wav"},
        {"Ünïcødé", "start/Ünïcødé.mp3"},
        {root + "/other/b", "other/b.mp3"},
    };
    ASSERT_TRUE(QDir(root).mkpath("other"));
    for (const auto& [typed, expected] : cases) {
        ASSERT_TRUE(QDir::setCurrent(root + "/start"));
        choose("Button3", typed);
        EXPECT_EQ(field("Edit02")->text(), root + '/' + expected) << typed.toStdString();
        EXPECT_EQ(QDir::currentPath(), QFileInfo(root + '/' + expected).path());
    }
}

TEST_F(ChooserTest, ExistingOutputIsTakenWithoutAQuestion) {
    const QString existing = makeFile("start/old.mp3");
    QString asked;
    press("Button3", [&](QFileDialog& dialog) {
        type(dialog, QStringLiteral("old"));
        asked = questionDuring([&] { confirm(dialog); });
    });
    EXPECT_EQ(asked.toStdString(), "");
    EXPECT_EQ(field("Edit02")->text(), existing);
}

TEST_F(ChooserTest, PathsLongerThan259CharactersArriveWhole) {
    const QString name = QString(60, QLatin1Char('d'));
    const QString deep = name + '/' + name + '/' + name + '/' + name + '/' + name;
    const QString input = makeFile(deep + "/in.wav");
    ASSERT_GT(input.size(), 300);
    choose("Button2", input);
    EXPECT_EQ(form->model().text("Edit01"), input.toStdString());
    choose("Button3", QStringLiteral("out"));
    EXPECT_EQ(form->model().text("Edit02"), (root + '/' + deep + "/out.mp3").toStdString());
}

// --- dropped files ----------------------------------------------------------------------------

struct Drag {
    QList<QUrl> urls;
    Qt::DropActions actions;
    Qt::KeyboardModifiers keys = Qt::NoModifier; // Shift asks for a move
};

struct Dropped {
    bool taken; // both the drag's entry and its drop
    Qt::DropAction proposed;
    Qt::DropAction action;
};

// Drags onto a field and drops there, as a file manager's drag would.
Dropped dragAndDrop(QLineEdit* target, const Drag& drag) {
    QMimeData data;
    data.setUrls(drag.urls);
    data.setText(drag.urls.isEmpty() ? QString() : drag.urls.first().toString());
    const QPointF at(target->width() / 2, target->height() / 2);
    QDragEnterEvent enter(at.toPoint(), drag.actions, &data, Qt::LeftButton, drag.keys);
    QApplication::sendEvent(target, &enter);
    // Dropped even after a refused entry, so that the drop itself is tried too.
    QDropEvent drop(at, drag.actions, &data, Qt::LeftButton, drag.keys);
    QApplication::sendEvent(target, &drop);
    return {enter.isAccepted() && drop.isAccepted(), drop.proposedAction(), drop.dropAction()};
}

TEST_F(ChooserTest, DroppedLocalFileFillsTheFieldWithItsPath) {
    const QString file = makeFile(QStringLiteral("drop zone/\"é\" #1%20.wav"));
    for (const char* name : {"Edit01", "Edit02"}) {
        const Dropped dropped = dragAndDrop(
            field(name),
            {{QUrl::fromLocalFile(file)}, Qt::MoveAction | Qt::CopyAction, Qt::ShiftModifier});
        EXPECT_TRUE(dropped.taken) << name;
        // Never a move, even when asked for: the file manager keeps its file.
        ASSERT_EQ(dropped.proposed, Qt::MoveAction);
        EXPECT_EQ(dropped.action, Qt::CopyAction) << name;
        EXPECT_EQ(field(name)->text(), file) << name;
        EXPECT_EQ(form->model().text(name), file.toStdString()) << name;
    }
}

TEST_F(ChooserTest, ADroppedNameInAScriptThatNeedsShapingIsShownShaped) {
    const QString arabic = makeFile(QString::fromUtf8("\u0623\u063a\u0646\u064a\u0629.wav"));
    const QString latin = makeFile(QStringLiteral("song.wav"));
    QLineEdit* output = field("Edit02");
    ASSERT_TRUE(dragAndDrop(output, {{QUrl::fromLocalFile(arabic)}, Qt::CopyAction}).taken);
    EXPECT_EQ(output->text(), arabic);
    EXPECT_FALSE(output->font().styleStrategy() & QFont::PreferNoShaping);
    ASSERT_TRUE(dragAndDrop(output, {{QUrl::fromLocalFile(latin)}, Qt::CopyAction}).taken);
    EXPECT_EQ(output->text(), latin);
    EXPECT_EQ(output->font(), form->font());
}

TEST_F(ChooserTest, DragsOfAnythingButOneLocalFileAreRefused) {
    const QString a = makeFile("a.wav");
    const QString b = makeFile("b.wav");
    const Drag refused[] = {
        {{QUrl(QStringLiteral("https://example.org/a.wav"))}, Qt::CopyAction},
        {{QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)}, Qt::CopyAction},
        {{QUrl::fromLocalFile(a)}, Qt::MoveAction},
    };
    field("Edit01")->setFocus();
    QTest::keyClicks(field("Edit01"), QStringLiteral("typed.wav"));
    for (const Drag& drag : refused) {
        EXPECT_FALSE(dragAndDrop(field("Edit01"), drag).taken)
            << drag.urls.first().toString().toStdString();
        EXPECT_EQ(field("Edit01")->text(), QStringLiteral("typed.wav"));
        EXPECT_EQ(form->model().text("Edit01"), "typed.wav");
    }
}

} // namespace
