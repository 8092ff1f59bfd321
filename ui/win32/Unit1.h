#pragma once

#include "AccessibleSources.h"
#include "ChooserSettings.h"
#include "ControlState.h"
#include "DensityLayout.h"
#include "DropDownInput.h"
#include "EncoderLauncher.h"
#include "FileDropTarget.h"
#include "FormActions.h"
#include "FormModel.h"
#include "HoverHints.h"
#include "Placements.h"
#include "ScrolledPane.h"
#include "Window.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

// The program's one window, drawn with the Windows API from the window's description. It owns
// the form model and shows it; every user input goes to the core's actions, and every change
// of the model is mirrored back into the named control. Each control's window identifier comes
// from its name (ControlIds.h).
class TForm1 : public quendra::win32::Window {
public:
    TForm1(quendra::EncoderLauncher& launcher, HINSTANCE instance);
    ~TForm1();

    const quendra::FormModel& model() const { return model_; }
    void show(int showCommand);
    // Keyboard navigation between the controls and the hints; true where the message was used.
    bool preTranslate(MSG& message);

    void Button1Click(); // "Start encoding"

private:
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;

    void createFrame();
    void createControls();
    HWND createControl(const quendra::ControlState& state);
    void createRadioButtons(const quendra::ControlState& state);
    void createDecorations();
    void attachInput();
    RECT inClient(quendra::ControlName parent, quendra::form::PixelRect rect) const;
    RECT rectOf(const quendra::ControlState& state) const;
    RECT radioButtonRect(const quendra::ControlState& group, std::size_t index) const;
    RECT creditRect(const quendra::form::CreditLine& line) const;
    void applyFont(HWND handle, const quendra::ControlState& state) const;
    void densityChanged(int dpi, const RECT& suggested);

    void notified(HWND control, UINT message, WORD code);
    void command(HWND control, WORD code);
    void sliderMoved(HWND slider);
    void chooseFile(quendra::form::Chooser chooser);

    void mirror(const std::string& name, quendra::Field field);
    void mirrorAll();

    quendra::ControlName controlAt(POINT screen) const;
    quendra::ControlName nameOf(HWND control) const;

    HINSTANCE instance_;
    quendra::FormModel model_;
    quendra::FormActions actions_;
    std::unique_ptr<quendra::win32::DensityLayout> layout_;
    std::unique_ptr<quendra::win32::ScrolledPane> pane_; // everything the window shows
    std::map<std::string, HWND, std::less<>> controls_;
    std::map<HWND, std::string> names_;
    std::map<std::string, std::vector<HWND>, std::less<>> radioButtons_;
    std::vector<std::unique_ptr<quendra::win32::DropDownInput>> dropDowns_;
    std::vector<std::unique_ptr<quendra::win32::FileDropTarget>> dropTargets_;
    quendra::win32::AccessibleSources accessibility_{model_};
    HWND lastFocus_ = nullptr; // where the focus goes back when the window is active again
    std::vector<HBITMAP> pictures_;
    std::unique_ptr<quendra::win32::HoverHints> hints_;
    int listener_ = 0;
    int mirroring_ = 0;
};
