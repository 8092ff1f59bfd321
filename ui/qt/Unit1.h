#pragma once

#include "ControlState.h"
#include "EncoderLauncher.h"
#include "FormActions.h"
#include "FormModel.h"

#include "ChooserSettings.h"

#include <QWidget>

#include <memory>
#include <string>
#include <map>
#include <vector>

class QComboBox;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace quendra::ui {
class ClassicMetrics;
class HoverHints;
class LaunchFailureNotice;
} // namespace quendra::ui

// The program's one window, drawn with Qt from the window's description. It owns the form model
// and shows it; every user input goes to the core's actions, and every change of the model is
// mirrored back into the named widget. Each widget's objectName is its control name; radio
// buttons are named after their group with their index ("RadioGroup1_0").
class TForm1 : public QWidget {
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

public slots:
    void Button1Click(); // "Start encoding"

protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void createControls();
    void createRadioButtons(QWidget* group, const quendra::ControlState& state);
    void createDecorations();
    void placeControls();
    void chainTabOrder();
    void wireControls();
    void wireButton(QPushButton* button, quendra::ControlName name);
    void chooseFile(quendra::form::Chooser chooser);
    void attachHints();
    void mirror(const std::string& name, quendra::Field field);

    quendra::FormModel model_;
    quendra::FormActions actions_;
    std::unique_ptr<quendra::ui::LaunchFailureNotice> ownNotice_;
    quendra::ui::LaunchFailureNotice* notice_;
    quendra::ui::ClassicMetrics* classicMetrics_ = nullptr;
    quendra::ui::HoverHints* hints_ = nullptr;
    QScrollArea* scrollArea_ = nullptr;
    QWidget* client_ = nullptr;
    QWidget* widget(quendra::ControlName name) const;

    std::map<std::string, QWidget*, std::less<>> controls_;
    std::map<std::string, std::vector<QRadioButton*>, std::less<>> radioButtons_;
    double scale_ = 1.0;
    int listener_ = 0;
};
