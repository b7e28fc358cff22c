#include "gui/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace roamer::gui {
namespace {

// The options QGuiApplication, its X11 platform and QApplication read for themselves and take
// out of the arguments, so `roamer -platform offscreen` or `roamer -style fusion FILE` work as
// in any Qt program. The parser runs before QApplication exists and must let them through; it
// lists them only for --help-all. A null value name is a switch.
struct QtOption {
    const char* name;
    const char* value;
    const char* description;
};
constexpr QtOption kQtOptions[] = {
    {"platform", "name[:options]", "The Qt platform plugin (xcb or wayland)."},
    {"platformpluginpath", "path", "Where the platform plugins are looked for."},
    {"platformtheme", "theme", "The platform theme."},
    {"plugin", "plugin", "An additional input plugin to load."},
    {"qwindowgeometry", "geometry", "The first window's geometry (WxH+X+Y)."},
    {"geometry", "geometry", "The same as -qwindowgeometry, on X11."},
    {"qwindowtitle", "title", "The first window's title."},
    {"title", "title", "The same as -qwindowtitle, on X11."},
    {"qwindowicon", "icon", "The windows' icon."},
    {"icon", "icon", "The same as -qwindowicon, on X11."},
    {"display", "display", "The X11 display to use (hostname:screen_number)."},
    {"name", "name", "The X11 resource name."},
    {"visual", "id", "The X11 visual to use."},
    {"session", "session", "Restore the application from an earlier session."},
    {"style", "style", "The widget style (Fusion, ...)."},
    {"stylesheet", "file", "A Qt style sheet to apply."},
    {"qmljsdebugger", "options", "The QML debugger's options."},
    {"reverse", nullptr, "Lay out the widgets right to left."},
    {"widgetcount", nullptr, "Print how many widgets were made and are left, at the end."},
    {"nograb", nullptr, "Never grab the mouse or the keyboard (X11)."},
    {"dograb", nullptr, "Grab the mouse and the keyboard even under a debugger (X11)."},
};

// The player's own options and arguments, with Qt's shown or hidden.
struct Options {
    QCommandLineOption help;
    QCommandLineOption version;
    QCommandLineOption play;
};

Options Describe(QCommandLineParser& parser, bool showQtOptions) {
    parser.setApplicationDescription(QStringLiteral(
        "Walkthrough player for interior room designs.\n"
        "Opens a play list, or room designs to play as a selection, as the control panel's "
        "dialogs do."));
    // Qt's options are single-dash words (-platform, -style); so `-play` is --play as well.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    Options options{parser.addHelpOption(), parser.addVersionOption(),
                    QCommandLineOption(QStringLiteral("play"),
                                       QStringLiteral("Start playing the opened files at once."))};
    parser.addOption(options.play);
    for (const QtOption& qt : kQtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name), QString::fromLatin1(qt.description));
        if (qt.value != nullptr) option.setValueName(QString::fromLatin1(qt.value));
        if (!showQtOptions) option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A play list (.vol), or room designs (.dsg)."),
                                 QStringLiteral("[FILE...]"));
    return options;
}

}  // namespace

CommandLine ReadCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    const Options options = Describe(parser, false);

    CommandLine result;
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "roamer: %s\nTry 'roamer --help' for the options.\n",
                     qPrintable(parser.errorText()));
        result.exitCode = 2;
        return result;
    }
    if (parser.isSet(QStringLiteral("help-all"))) {
        QCommandLineParser all;
        Describe(all, true);
        std::fputs(qPrintable(all.helpText()), stdout);
        result.exitCode = 0;
        return result;
    }
    if (parser.isSet(options.help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        result.exitCode = 0;
        return result;
    }
    if (parser.isSet(options.version)) {
        std::printf("roamer %s\n", qPrintable(QCoreApplication::applicationVersion()));
        result.exitCode = 0;
        return result;
    }
    result.play = parser.isSet(options.play);
    result.platform = parser.value(QStringLiteral("platform")).toStdString();
    result.displayGiven = parser.isSet(QStringLiteral("display"));
    for (const QString& file : parser.positionalArguments())
        result.files.push_back(QFile::encodeName(file).toStdString());
    return result;
}

}  // namespace roamer::gui
