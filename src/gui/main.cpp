// roamer: the walkthrough player.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "gui/command_line.h"
#include "gui/player_program.h"
#include "roamer_version.h"

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("Roamer"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ROAMER_VERSION));
    roamer::gui::PlayerProgram::PrepareApplication();
    roamer::gui::CommandLine commandLine;
    {
        // --help, --version and usage errors are answered without a display.
        QCoreApplication arguments(argc, argv);
        commandLine = roamer::gui::ReadCommandLine(QCoreApplication::arguments());
    }
    if (commandLine.exitCode >= 0) return commandLine.exitCode;
    QApplication application(argc, argv);
    // The player speaks Traditional Chinese whatever the locale; so do Qt's own dialogs.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_zh_TW"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    roamer::gui::PlayerProgram program;
    program.OpenAtStart(std::move(commandLine.files), commandLine.play);
    return program.Run();
}
