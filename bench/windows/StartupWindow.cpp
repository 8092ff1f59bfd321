// The Windows program's entry as Project1.cpp has it, ending once the window has shown itself:
// every message the start caused has been handled, the first frame painted.
#include "EncoderLauncher.h"
#include "Unit1.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const std::unique_ptr<quendra::EncoderLauncher> launcher = quendra::systemEncoderLauncher();
    TForm1 form(*launcher, instance);
    form.show(showCommand);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!form.preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    GdiFlush();
    // The start is measured, not the tear-down: the process ends here, as the system would end it.
    ExitProcess(0);
}
