// Qt's keys as the navigator's Windows key codes, and Windows file-type lists as Qt's filters.
#include <gtest/gtest.h>

#include "gui/file_filter.h"
#include "gui/key_codes.h"

namespace roamer::gui {
namespace {

TEST(KeyCodes, TheNavigatorsKeysKeepTheirWindowsCodes) {
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Left), 37);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Up), 38);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Right), 39);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Down), 40);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_PageUp), 33);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_PageDown), 34);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_End), 35);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Home), 36);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Shift), 16);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Control), 17);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Space), 32);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Return), 13);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Enter), 13);  // the keypad's
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Comma), 188);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Less), 188);  // shifted comma
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Period), 190);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_A), 65);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Z), 90);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_F1), 112);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_VolumeUp), 0);  // no name
}

TEST(FileFilter, WindowsListsBecomeQtFilters) {
    EXPECT_EQ(QtNameFilters("Play Volumn File (*.vol)|*.vol|All File(*.*)|*.*||"),
              QStringList({QStringLiteral("Play Volumn File (*.vol)"), QStringLiteral("All File (*)")}));
    EXPECT_EQ(QtNameFilters("Room Design File (*.dsg)|*.dsg||"),
              QStringList({QStringLiteral("Room Design File (*.dsg)")}));
    EXPECT_EQ(QtNameFilters("Pictures|*.png;*.bmp||"),
              QStringList({QStringLiteral("Pictures (*.png *.bmp)")}));
    // Broken lists still give a filter that shows the files.
    EXPECT_EQ(QtNameFilters(""), QStringList({QStringLiteral("* (*)")}));
    EXPECT_EQ(QtNameFilters("Odd|"), QStringList({QStringLiteral("Odd (*)")}));
    EXPECT_EQ(QtNameFilters("|*.vol||"), QStringList({QStringLiteral("* (*)")}));
}

}  // namespace
}  // namespace roamer::gui
