#include "FormActions.h"

#include "RecordingLauncher.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quendra;

namespace {

TEST(FormActions, StartEncodingLaunchesTheModelsCommandAndSaysWhyAStartFailed) {
    FormModel model;
    RecordingLauncher launcher;
    FormActions actions(model, launcher);
    actions.fileChosen(control::Edit01, "in put.wav");
    actions.input().itemIndexChanged(control::RadioGroup1, 1);

    EXPECT_EQ(actions.startEncoding().started, true);
    launcher.result = {false, "no such file", {"/opt/quendra"}};
    const StartOutcome failed = actions.startEncoding();

    EXPECT_EQ(launcher.lines,
              std::vector<std::string>(2, "lame.bin -V 4 --scale 1 -q 2 \"in put.wav\" \"\""));
    EXPECT_FALSE(failed.started);
    EXPECT_EQ(failed.failureText, launchFailureMessage(launcher.result));
}

TEST(FormActions, AChosenFileReplacesTheFieldAndRunsNoRule) {
    FormModel model;
    RecordingLauncher launcher;
    FormActions actions(model, launcher);
    actions.input().textChanged(control::Edit02, "typed.mp3");
    actions.fileChosen(control::Edit02, "/music/chosen.mp3");
    EXPECT_EQ(model.text(control::Edit02), "/music/chosen.mp3");
    EXPECT_EQ(model.text(control::Edit01), "");
}

TEST(FormActions, AConfirmedChoiceMovesToTheFilesFolderADropDoesNot) {
    namespace fs = std::filesystem;
    const fs::path before = fs::current_path();
    const fs::path folder = fs::temp_directory_path() / fs::u8path("quendra chosen \xC3\xA4");
    fs::create_directories(folder);
    FormModel model;
    RecordingLauncher launcher;
    FormActions actions(model, launcher);
    const std::string dropped = (folder / "dropped.wav").u8string();
    actions.fileChosen(control::Edit01, dropped);
    EXPECT_EQ(fs::current_path(), before);
    const std::string chosen = (folder / "chosen.mp3").u8string();
    actions.chooserConfirmed(control::Edit02, chosen);
    EXPECT_TRUE(fs::equivalent(fs::current_path(), folder));
    EXPECT_EQ(model.text(control::Edit02), chosen);
    fs::current_path(before);
    fs::remove_all(folder);
}

TEST(LaunchFailureMessage, NamesTheEncoderTheReasonAndEveryPlaceSearched) {
    LaunchResult result;
    result.reason = "no such file";
    result.searched = {"/opt/quendra/bin", "/home/user/music", "/usr/bin"};
    const std::string text = launchFailureMessage(result);
    EXPECT_NE(text.find("\"lame.bin\" could not be started"), std::string::npos);
    EXPECT_NE(text.find("Reason: no such file"), std::string::npos);
    std::size_t last = 0;
    for (const std::string& place : result.searched) {
        const std::size_t at = text.find("\n" + place);
        ASSERT_NE(at, std::string::npos) << place;
        EXPECT_GT(at, last) << "places in search order";
        last = at;
    }
}

TEST(LaunchFailureMessage, LeavesOutWhatTheLauncherDidNotSay) {
    const std::string text = launchFailureMessage(LaunchResult{});
    EXPECT_NE(text.find("lame.bin"), std::string::npos);
    EXPECT_EQ(text.find("Reason"), std::string::npos);
    EXPECT_EQ(text.find("Searched"), std::string::npos);
}

} // namespace
