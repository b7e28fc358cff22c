// The GUI tests run in one QApplication on the display their script started.
#include <QApplication>

#include <gtest/gtest.h>

#include "gui/player_program.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    roamer::gui::PlayerProgram::PrepareApplication();
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
