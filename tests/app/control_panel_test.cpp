#include "app/control_panel.h"

#include <gtest/gtest.h>

#include "app/options_dialog_model.h"

namespace roamer::app {
namespace {

TEST(ControlPanel, StatusTextsAndFrameTitle) {
    ControlPanel panel;
    panel.SetStatus(PS_PLAYING, "C:\\designs\\Room1.dsg", false);
    EXPECT_EQ(panel.StateText(), "播放中");
    EXPECT_EQ(panel.FrameTitle(), "Roamer");  // no frame window yet
    panel.SetFrameExists(true);
    panel.SetStatus(PS_PLAYING, "C:\\designs\\Room1.dsg", true);
    EXPECT_EQ(panel.StateText(), "[循環]播放中");
    EXPECT_EQ(panel.FrameTitle(), "Roamer-Room1-播放中[循環]");
    panel.SetStatus(PS_PAUSED, "\xAB\xC8\xC6\x55.dsg", false);  // a code page 950 name
    EXPECT_EQ(panel.FrameTitle(), "Roamer-客廳-暫停");
    panel.SetStatus(PS_LOADING, "", false);
    EXPECT_EQ(panel.StateText(), "載入中");
    EXPECT_EQ(panel.FrameTitle(), "Roamer--載入中");
    panel.SetStatus(PS_READY, "", true);
    EXPECT_EQ(panel.StateText(), "[循環]");
    EXPECT_EQ(panel.FrameTitle(), "Roamer-[準備播放]");
    panel.SetStatus(PS_NOLIST, "", false);
    EXPECT_EQ(panel.FrameTitle(), "Roamer-[未開啟]");
    panel.SetStatus(7, "x.dsg", false);  // no such state: empty text, title kept
    EXPECT_EQ(panel.StateText(), "");
    EXPECT_EQ(panel.FrameTitle(), "Roamer-[未開啟]");

    panel.ShowDesignCounter(1, 3);
    panel.ShowPassCounter(0, 2);
    EXPECT_EQ(panel.DesignCounterText(), "選播1/3");
    EXPECT_EQ(panel.PassCounterText(), "次數0/2");
    EXPECT_EQ(ControlPanel::DesignName("noext"), "noext");
    EXPECT_EQ(ControlPanel::DesignName("C:Room2.dsg"), "Room2");  // a drive without a folder
    EXPECT_EQ(ControlPanel::DesignName("rooms/a.b.dsg"), "a.b");
    EXPECT_EQ(ControlPanel::DesignName("D:\\x:y.dsg"), "x:y");
    std::string title = "kept";
    EXPECT_FALSE(ControlPanel::TitleFor(7, "x.dsg", false, title));
    EXPECT_TRUE(ControlPanel::TitleFor(-1, "x.dsg", false, title));
    EXPECT_EQ(title, "Roamer-[未開啟]");
}

TEST(ControlPanel, ButtonsFollowTheState) {
    ControlPanel panel;
    EXPECT_FALSE(panel.IsEnabled(ControlPanel::kPlay));
    EXPECT_TRUE(panel.IsEnabled(ControlPanel::kOpenPlayList));
    panel.UpdateButtons(PS_READY);
    EXPECT_TRUE(panel.IsEnabled(ControlPanel::kPlay));
    EXPECT_FALSE(panel.IsEnabled(ControlPanel::kStop));
    EXPECT_TRUE(panel.IsEnabled(ControlPanel::kOptions));
    panel.UpdateButtons(PS_PLAYING);
    EXPECT_FALSE(panel.IsEnabled(ControlPanel::kPlay));
    EXPECT_TRUE(panel.IsEnabled(ControlPanel::kPause));
    EXPECT_FALSE(panel.IsEnabled(ControlPanel::kOptions));
    // The open buttons are not the state's: designs and lists can be opened while playing.
    EXPECT_TRUE(panel.IsEnabled(ControlPanel::kOpenDesigns));
    EXPECT_TRUE(panel.IsEnabled(ControlPanel::kOpenPlayList));
    panel.UpdateButtons(PS_PAUSED);
    EXPECT_FALSE(panel.IsEnabled(ControlPanel::kPause));
    EXPECT_TRUE(panel.IsEnabled(ControlPanel::kStop));
    panel.UpdateButtons(42);  // unknown: nothing changes
    EXPECT_TRUE(panel.IsEnabled(ControlPanel::kStop));
    panel.UpdateButtons(PS_NOLIST);
    for (auto b : {ControlPanel::kPlay, ControlPanel::kStop, ControlPanel::kPause,
                   ControlPanel::kPrevious, ControlPanel::kNext, ControlPanel::kOptions})
        EXPECT_FALSE(panel.IsEnabled(b));
    EXPECT_TRUE(panel.IsEnabled(ControlPanel::kClose));
    EXPECT_TRUE(panel.IsEnabled(ControlPanel::kOpenDesigns));
}

TEST(OptionsDialogModel, SaveButtonCountCheckAndClamp) {
    bool modified = true;
    int saves = 0;
    PlayerSettings settings;
    settings.repeatCount = 3;
    OptionsDialogModel dialog(settings, modified, [&] { return ++saves, true; });
    EXPECT_FALSE(dialog.SaveEnabled());  // edit mode off
    dialog.ToggleEditMode();
    EXPECT_TRUE(dialog.SaveEnabled());
    dialog.ToggleEditMode();
    EXPECT_FALSE(dialog.SaveEnabled());
    dialog.ToggleEditMode();
    dialog.Save();
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(modified);  // stays cleared even if the dialog is cancelled
    EXPECT_FALSE(dialog.SaveEnabled());

    dialog.values.repeatCount = 0;
    EXPECT_EQ(dialog.Validate(), OptionsDialogModel::kCountTooSmall);
    dialog.values.repeatCount = 1;
    EXPECT_TRUE(dialog.Validate().empty());
    int passIndex = 1;  // the second of three passes is playing
    dialog.Apply(settings, passIndex);
    EXPECT_EQ(passIndex, 0);
    EXPECT_EQ(settings.repeatCount, 1);
    EXPECT_TRUE(settings.editMode);
}

}  // namespace
}  // namespace roamer::app
