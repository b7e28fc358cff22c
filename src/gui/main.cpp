// roamer: the walkthrough player.
#include <QApplication>

#include "gui/player_program.h"

int main(int argc, char** argv) {
    roamer::gui::PlayerProgram::PrepareApplication();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Roamer"));
    roamer::gui::PlayerProgram program;
    return program.Run();
}
