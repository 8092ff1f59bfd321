#pragma once

#include "ControlToolkit.h"
#include "ControlWalk.h"
#include "DropDownInput.h"
#include "EncoderLauncher.h"
#include "FormActions.h"
#include "FormModel.h"
#include "WindowFrame.h"

#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QAbstractButton;
class QRadioButton;
class QScrollArea;

namespace quendra::ui {
class ClassicMetrics;
class HoverHints;
class LaunchFailureNotice;
} // namespace quendra::ui

// The program's one window, drawn with Qt: the walk (form::ControlWalk) makes, places and mirrors
// its controls through the Qt calls here and takes the input they report. Each widget's
// objectName is its control name; radio buttons are named after their group with their index
// ("RadioGroup1_0").
class TForm1 : public QWidget, private quendra::form::ControlToolkit {
    Q_OBJECT

public:
    explicit TForm1(quendra::EncoderLauncher& launcher, QWidget* parent = nullptr);
    ~TForm1() override;

    const quendra::FormModel& model() const { return model_; }
    // The factor applied to every table position and size (1.0 for Tahoma 8 pt at 96 ppi).
    double layoutScale() const { return scale_; }
    const quendra::ui::HoverHints& hints() const { return *hints_; }

    // Replaces the message box that reports a failed start; the notice must outlive the window.
    void setLaunchFailureNotice(quendra::ui::LaunchFailureNotice& notice);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    using Part = quendra::form::Part;

    void make(const quendra::form::Making& making) override;
    void makePicture(const quendra::form::PicturePlacement& picture,
                     const quendra::form::Placing& placing) override;
    void makeCreditLine(const quendra::form::CreditLine& line,
                        const quendra::form::Placing& placing) override;
    int captionRoom(const Part& part, quendra::ControlKind, const std::string&) override;
    void place(const Part& part, const quendra::form::ControlPlace& place) override;
    bool flag(const Part& part, Flag flag) const override;
    void setFlag(const Part& part, Flag flag, bool on) override;
    void setTabStop(const Part& button, bool on) override;
    std::string text(quendra::ControlName field) const override;
    void setText(quendra::ControlName field, const std::string& text) override;
    quendra::DropDownView& dropDown(quendra::ControlName dropDown) override;
    int position(quendra::ControlName slider) const override;
    void setPosition(quendra::ControlName slider, int position) override;
    void textMirrored(quendra::ControlName field) override;
    std::string chooseFile(const quendra::form::ChooserSettings& settings) override;
    void tellStartFailed(const std::string& text) override;
    void followStartsIn(int milliseconds) override;

    void add(quendra::ControlName name, QWidget* widget, const quendra::form::Placing& placing);
    QWidget* makeWidget(const quendra::ControlState& control, QWidget* parent,
                        const quendra::form::Placing& placing);
    QWidget* makeDropDown(const quendra::ControlState& control, QWidget* parent);
    QWidget* makeSlider(const quendra::ControlState& control, QWidget* parent);
    QWidget* makeRadioGroup(const quendra::ControlState& control, QWidget* parent,
                            const quendra::form::Placing& placing);
    QWidget* clickable(QAbstractButton* button, const Part& part);
    void chainTabOrder();
    void placeOnScreen();
    void keepNormalSize();
    void boundSize(const quendra::form::FrameExtents& qtsFrame);
    quendra::form::ScrollBarExtents scrollBarExtents() const;
    quendra::form::WindowPlace placedAtStart(const quendra::form::PixelRect& client,
                                             const quendra::form::FrameExtents& frame,
                                             const QRect& area) const;
    QWidget* widget(const Part& part) const;

    quendra::FormModel model_;
    quendra::FormActions actions_;
    quendra::form::ControlWalk walk_;
    std::unique_ptr<quendra::ui::LaunchFailureNotice> ownNotice_;
    quendra::ui::LaunchFailureNotice* notice_;
    quendra::ui::ClassicMetrics* classicMetrics_ = nullptr;
    quendra::ui::HoverHints* hints_ = nullptr;
    QScrollArea* scrollArea_ = nullptr;
    QWidget* client_ = nullptr;
    std::map<std::string, QWidget*, std::less<>> widgets_; // controls, pictures, credit lines
    std::map<std::string, std::vector<QRadioButton*>, std::less<>> radioButtons_;
    std::map<std::string, quendra::ui::ComboBoxView, std::less<>> dropDowns_;
    double scale_ = 1.0;
    bool placedOnScreen_ = false;
    QSize normalSize_; // the last size while not maximized, within the screen
    QSize restoreTo_;  // the size a maximized window goes back to
    int restoreTries_ = 0;
    // For so long after, and so often, a size the platform brings is undone.
    static constexpr int kRestoreTries = 2;
    static constexpr int kRestoreMs = 1000;
};
