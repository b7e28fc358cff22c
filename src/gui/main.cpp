// roamer: the walkthrough player.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "gui/command_line.h"
#include "gui/display_check.h"
#include "gui/player_program.h"
#include "roamer_version.h"

namespace {

std::string Environment(const char* name) { return qEnvironmentVariable(name).toStdString(); }

// The player cannot be shown: said on the terminal, since there is no window to say it in.
int Refuse(const std::string& why) {
    std::fprintf(stderr, "roamer: %s\n", why.c_str());
    return 1;
}

void EndOnFatalStartError(QtMsgType type, const QMessageLogContext&, const QString& message) {
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "roamer: the display could not be opened\n");
        std::_Exit(1);
    }
}

}  // namespace

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
    const std::string noDisplay = roamer::gui::DisplayProblem(
        {commandLine.platform, commandLine.displayGiven, Environment("QT_QPA_PLATFORM"),
         Environment("DISPLAY"), Environment("WAYLAND_DISPLAY")});
    if (!noDisplay.empty()) return Refuse(noDisplay);
    // A display that is named but cannot be reached ends in Qt's fatal error while the
    // application is made: said on the terminal as the checks above are, with status 1.
    const QtMessageHandler usual = qInstallMessageHandler(EndOnFatalStartError);
    QApplication application(argc, argv);
    qInstallMessageHandler(usual);
    // The player speaks Traditional Chinese whatever the locale; so do Qt's own dialogs.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_zh_TW"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    roamer::gui::PlayerProgram program;
    program.OpenAtStart(std::move(commandLine.files), commandLine.play);
    return program.Run();
}
