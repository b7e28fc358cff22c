#include "gui/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace roamer::gui {

CommandLine ReadCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Walkthrough player for interior room designs.\n"
        "Opens a play list, or room designs to play as a selection, as the control panel's "
        "dialogs do."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption play(QStringLiteral("play"),
                                  QStringLiteral("Start playing the opened files at once."));
    parser.addOption(play);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A play list (.vol), or room designs (.dsg)."),
                                 QStringLiteral("[FILE...]"));

    CommandLine result;
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "roamer: %s\nTry 'roamer --help' for the options.\n",
                     qPrintable(parser.errorText()));
        result.exitCode = 2;
        return result;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        result.exitCode = 0;
        return result;
    }
    if (parser.isSet(version)) {
        std::printf("roamer %s\n", qPrintable(QCoreApplication::applicationVersion()));
        result.exitCode = 0;
        return result;
    }
    result.play = parser.isSet(play);
    for (const QString& file : parser.positionalArguments())
        result.files.push_back(QFile::encodeName(file).toStdString());
    return result;
}

}  // namespace roamer::gui
