#pragma once

#include "LaunchNotice.h"
#include "RecordingLauncher.h"
#include "Unit1.h"

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Keeps each launch failure notice it is asked to show, and the window it was for.
class CapturingNotice : public quendra::ui::LaunchFailureNotice {
public:
    void show(QWidget* window, const std::string& text) override {
        windows.push_back(window);
        shown.push_back(text);
    }
    std::vector<QWidget*> windows;
    std::vector<std::string> shown;
};

// The real window over a fresh model, shown and active, its encoder starts recorded and its
// failure notices captured.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override;

    // The window's widget of that name; a test fails where there is none.
    template <class W = QWidget> W* widget(std::string_view name) const {
        W* w = form->findChild<W*>(QString::fromUtf8(name.data(), qsizetype(name.size())));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    RecordingLauncher launcher;
    CapturingNotice notice;
    std::unique_ptr<TForm1> form;
};
