#pragma once

#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/rm/render_surface.h"

namespace roamer::app {

// A file dialog as the player asks for it.
struct FileDialogRequest {
    bool save = false;
    bool multipleFiles = false;
    std::string title;  // empty: the system's own title
    std::string filter;  // "Name (*.ext)|*.ext|...||"
    std::string defaultExtension;
    std::string initialName;
};

struct FileDialogResult {
    bool accepted = false;
    std::string folder;               // the folder the files were chosen in, local path
    std::vector<std::string> files;   // full local paths, in the dialog's order
};

// What the player asks of its windows beyond messages: timers, file dialogs, the 3D frame
// window and the repainting of the control panel. The window layer implements it with real
// windows; the tests script it and drive the timers by hand.
class PlayerHost : public Host {
public:
    // Ticks come back as PlayerApp::OnTimer(id); starting a running timer restarts it.
    virtual void StartTimer(int id, int intervalMs) = 0;
    virtual void StopTimer(int id) = 0;
    virtual FileDialogResult RunFileDialog(const FileDialogRequest& request) = 0;
    // Creates the 3D frame window on first use (or shows it again) and gives the surface of its
    // view and the view's client size; null when the window cannot be made.
    virtual rm::RenderSurface* OpenFrameWindow(int* width, int* height) = 0;
    virtual void RaiseFrameWindow() = 0;
    // The control panel's texts or pictures changed.
    virtual void PanelChanged() = 0;
};

}  // namespace roamer::app
