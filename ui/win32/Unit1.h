#pragma once

#include "AccessibleControl.h"
#include "ChooserSettings.h"
#include "ControlState.h"
#include "DropDownInput.h"
#include "EncoderLauncher.h"
#include "FormActions.h"
#include "FormModel.h"
#include "HoverHints.h"
#include "Placements.h"
#include "TextMeasure.h"

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The program's one window, drawn with the Windows API from the window's description. It owns
// the form model and shows it; every user input goes to the core's actions, and every change
// of the model is mirrored back into the named control. Each control's window identifier comes
// from its name (ControlIds.h).
class TForm1 {
public:
    TForm1(quendra::EncoderLauncher& launcher, HINSTANCE instance);
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    const quendra::FormModel& model() const { return model_; }
    void show(int showCommand);
    // Keyboard navigation between the controls and the hints; true where the message was used.
    bool preTranslate(MSG& message);

    void Button1Click(); // "Start encoding"

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK clientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void createFrame();
    void measureLayout(int dpi);
    void createControls();
    HWND createControl(const quendra::ControlState& state);
    void createRadioButtons(const quendra::ControlState& state);
    void createDecorations();
    void attachInput();
    quendra::win32::AccessibleFacts accessibleFacts(quendra::ControlName name) const;
    RECT inClient(quendra::ControlName parent, quendra::form::PixelRect rect) const;
    RECT rectOf(const quendra::ControlState& state) const;
    RECT radioButtonRect(const quendra::ControlState& group, std::size_t index) const;
    RECT creditRect(const quendra::form::CreditLine& line) const;
    void applyFont(HWND handle, const quendra::ControlState& state) const;
    void densityChanged(int dpi, const RECT& suggested);

    void command(HWND control, WORD code);
    void sliderMoved(HWND slider);
    void chooseFile(quendra::form::Chooser chooser);
    void fileDropped(quendra::ControlName field, HDROP drop);

    void mirror(const std::string& name, quendra::Field field);
    void mirrorAll();

    void updateScrollBars();
    void scroll(int bar, WORD request);
    quendra::ControlName controlAt(POINT screen) const;
    quendra::ControlName nameOf(HWND control) const;

    HINSTANCE instance_;
    quendra::FormModel model_;
    quendra::FormActions actions_;
    HWND window_ = nullptr;
    HWND client_ = nullptr; // everything the window shows; scrolled as a whole
    HFONT font_ = nullptr;
    std::unique_ptr<quendra::win32::TextMeasure> measure_; // in the window's font
    double scale_ = 1.0;
    int dpi_ = 96;
    SIZE extent_{};
    POINT scrolled_{};
    std::map<std::string, HWND, std::less<>> controls_;
    std::map<HWND, std::string> names_;
    std::map<std::string, std::vector<HWND>, std::less<>> radioButtons_;
    std::vector<std::unique_ptr<quendra::win32::DropDownInput>> dropDowns_;
    std::vector<std::unique_ptr<std::function<void(HDROP)>>> dropTargets_;
    std::vector<std::unique_ptr<quendra::win32::AccessibleSource>> accessibles_;
    HWND lastFocus_ = nullptr; // where the focus goes back when the window is active again
    std::vector<HBITMAP> pictures_;
    std::unique_ptr<quendra::win32::HoverHints> hints_;
    int listener_ = 0;
    int mirroring_ = 0;
};
