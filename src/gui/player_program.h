#pragma once

#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "gui/qt_player_host.h"

namespace roamer::app {
class PlayerApp;
}

namespace roamer::gui {

class LoadProgress;
class PlayerDialog;

// The player's run: the window services, the player logic and its panel window, made in that
// order and ended in the reverse one. Start-up options (files to open, playing at once) are
// applied between construction and Run by whoever reads the command line.
class PlayerProgram {
public:
    // What must be set before the QApplication exists: one OpenGL 3.3 core format for every
    // window, and contexts that survive a window's title bar being switched.
    static void PrepareApplication();

    // Needs a QApplication.
    PlayerProgram();
    ~PlayerProgram();
    PlayerProgram(const PlayerProgram&) = delete;
    PlayerProgram& operator=(const PlayerProgram&) = delete;

    // Shows the player at the top-left of the screen with the welcome dialog beside it and
    // runs it modally; returns when it closes.
    int Run();
    // Shows the player and the welcome dialog without running them (Run does this first).
    void Show();
    // Opens the command line's files once the windows are up and the event loop runs.
    void OpenAtStart(std::vector<std::string> files, bool play);

    // What the end of the desktop session did: nothing, when the session may not ask the
    // user anything; cancelled the logout, while a design is half read; or closed the player
    // as its close button does, with the save question.
    enum class SessionEnd { kLeftAlone, kLogoutCancelled, kClosed };
    SessionEnd EndSession(bool mayAsk);

    app::PlayerApp& App() { return *m_app; }
    PlayerDialog& Dialog() { return *m_dialog; }
    QtPlayerHost& Host() { return m_host; }
    LoadProgress& Loads() { return *m_loadProgress; }
    const QString& ManualFolder() const { return m_manualFolder; }
    const QString& SamplesFolder() const { return m_samplesFolder; }

private:
    QString m_manualFolder;
    QString m_samplesFolder;
    QtPlayerHost m_host;
    std::unique_ptr<app::PlayerApp> m_app;
    std::unique_ptr<PlayerDialog> m_dialog;
    LoadProgress* m_loadProgress = nullptr;  // owned by m_app
    bool m_shown = false;
};

}  // namespace roamer::gui
