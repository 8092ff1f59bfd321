#pragma once

#include "AccessibleSources.h"
#include "ControlToolkit.h"
#include "ControlWalk.h"
#include "DensityLayout.h"
#include "DropDownInput.h"
#include "EncoderLauncher.h"
#include "FileDropTarget.h"
#include "FormActions.h"
#include "FormModel.h"
#include "HoverHints.h"
#include "ScrolledPane.h"
#include "Window.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

// The program's one window, drawn with the Windows API: the walk (form::ControlWalk) makes,
// places and mirrors its controls through the Windows calls here and takes the input they
// report; the window itself handles its frame's messages. Each control's window identifier
// comes from its name (ControlIds.h).
class TForm1 : public quendra::win32::Window, private quendra::form::ControlToolkit {
public:
    TForm1(quendra::EncoderLauncher& launcher, HINSTANCE instance);
    ~TForm1();

    const quendra::FormModel& model() const { return model_; }
    void show(int showCommand);
    // Keyboard navigation between the controls and the hints; true where the message was used.
    bool preTranslate(MSG& message);

private:
    using Part = quendra::form::Part;

    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;
    void notified(HWND control, UINT message, WORD code);
    void dropDownNotified(HWND comboBox, quendra::ControlName name, WORD code);
    void densityChanged(int dpi, const RECT& suggested);
    void placeOnWorkArea(POINT at);
    quendra::ControlName controlAt(POINT screen) const;

    void make(const quendra::form::Making& making) override;
    void makePicture(const quendra::form::PicturePlacement& picture,
                     const quendra::form::Placing& placing) override;
    void makeCreditLine(const quendra::form::CreditLine& line,
                        const quendra::form::Placing& placing) override;
    int captionRoom(const Part&, quendra::ControlKind kind, const std::string& caption) override;
    void place(const Part& part, const quendra::form::ControlPlace& place) override;
    bool flag(const Part& part, Flag flag) const override;
    void setFlag(const Part& part, Flag flag, bool on) override;
    void setTabStop(const Part& button, bool on) override;
    std::string text(quendra::ControlName field) const override;
    void setText(quendra::ControlName field, const std::string& text) override;
    quendra::DropDownView& dropDown(quendra::ControlName dropDown) override;
    int position(quendra::ControlName slider) const override;
    void setPosition(quendra::ControlName slider, int position) override;
    std::string chooseFile(const quendra::form::ChooserSettings& settings) override;
    void tellStartFailed(const std::string& text) override;

    HWND makeWindow(const wchar_t* className, const std::wstring& text, DWORD style, DWORD extended,
                    const quendra::form::PixelRect& place, int id);
    void makeRadioButtons(const quendra::ControlState& group,
                          const quendra::form::Placing& placing);
    void showPicture(HWND window, std::pair<quendra::form::Picture, HBITMAP>& picture);
    void applyFont(HWND window, quendra::ControlKind kind) const;
    HWND windowOf(const Part& part) const;

    HINSTANCE instance_;
    quendra::FormModel model_;
    quendra::FormActions actions_;
    quendra::form::ControlWalk walk_;
    std::unique_ptr<quendra::win32::DensityLayout> layout_;
    std::unique_ptr<quendra::win32::ScrolledPane> pane_; // everything the window shows
    std::map<std::string, HWND, std::less<>> windows_;   // controls, pictures, credit lines
    std::map<std::string, std::vector<HWND>, std::less<>> radioButtons_;
    std::map<HWND, Part> parts_; // the controls and radio buttons, by window
    std::map<std::string, std::unique_ptr<quendra::win32::DropDownInput>, std::less<>> dropDowns_;
    std::vector<std::unique_ptr<quendra::win32::FileDropTarget>> dropTargets_;
    quendra::win32::AccessibleSources accessibility_{model_};
    std::map<std::string, std::pair<quendra::form::Picture, HBITMAP>, std::less<>> pictures_;
    int decorations_ = 0;
    HWND lastFocus_ = nullptr; // where the focus goes back when the window is active again
    std::unique_ptr<quendra::win32::HoverHints> hints_;
};
