#pragma once

#include <QStringList>

#include <string>
#include <vector>

namespace roamer::gui {

// `roamer [FILE...] [--play] [--help] [--help-all] [--version]`, with Qt's own options (-platform,
// -style, ...) let through for QApplication: what the player opens at start.
struct CommandLine {
    std::vector<std::string> files;  // local paths as given
    bool play = false;
    std::string platform;         // Qt's -platform, for the check that there is a display
    bool displayGiven = false;    // Qt's -display
    // Set when the program ends here: 0 after --help or --version, 2 for a usage error.
    int exitCode = -1;
};

// Reads the arguments (the program name first); prints the help, the version or the usage
// error itself. Needs a QCoreApplication, which a display is not needed for.
CommandLine ReadCommandLine(const QStringList& arguments);

}  // namespace roamer::gui
