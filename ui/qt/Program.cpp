#include "Program.h"

#include "AppIdentity.h"
#include "EncoderLauncher.h"
#include "QtTranslations.h"
#include "Unit1.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace quendra::ui {

namespace {

// Qt 6.4's Wayland client now and then waits forever in the application's teardown, for its
// event thread blocked reading from the compositor (QWaylandDisplay's destructor): the window
// closed, the process stayed. Once the window is gone and every start is decided there is
// nothing the system does not end itself, so the program leaves without that teardown.
[[noreturn]] void leave(int code) {
    std::fflush(nullptr);
    std::_Exit(code);
}

} // namespace

int runProgram(int& argc, char** argv, void (*watch)(QWidget& window)) {
    QApplication application(argc, argv);
    setApplicationIdentity();
    const QtTranslations qtTexts;

    int code = 0;
    {
        const std::unique_ptr<EncoderLauncher> launcher = systemEncoderLauncher();
        TForm1 form(*launcher);
        watch(form);
        form.show();
        code = QApplication::exec();
    } // the window closed, and the launcher waited for the starts still pending
    leave(code);
}

} // namespace quendra::ui
