#include "Program.h"

#include "AppIdentity.h"
#include "EncoderLauncher.h"
#include "QtTranslations.h"
#include "Unit1.h"

#include <QApplication>

#include <memory>

namespace quendra::ui {

int runProgram(int& argc, char** argv, void (*watch)(QWidget& window)) {
    QApplication application(argc, argv);
    setApplicationIdentity();
    const QtTranslations qtTexts;

    const std::unique_ptr<EncoderLauncher> launcher = systemEncoderLauncher();
    TForm1 form(*launcher);
    watch(form);
    form.show();
    return QApplication::exec();
}

} // namespace quendra::ui
