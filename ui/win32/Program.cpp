#include "Program.h"

#include "EncoderLauncher.h"
#include "Unit1.h"

#include <commctrl.h>

#include <memory>

namespace quendra::win32 {

int runProgram(HINSTANCE instance, int showCommand, int (*run)(TForm1& form)) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    const std::unique_ptr<EncoderLauncher> launcher = systemEncoderLauncher();
    TForm1 form(*launcher, instance);
    form.show(showCommand);
    return run(form);
}

int runUntilClosed(TForm1& form) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        dispatch(form, message);
    return 0;
}

void dispatch(TForm1& form, MSG& message) {
    if (form.preTranslate(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace quendra::win32
