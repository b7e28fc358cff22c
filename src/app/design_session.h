#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/design_view.h"
#include "dsg/design_header.h"
#include "model/room_design.h"
#include "platform/host.h"
#include "platform/progress.h"

namespace roamer::app {

// The design now in the player: loading it into the scene, saving it, and emptying the model.
// Messages and questions go through the host, exactly as the player shows them.
class DesignSession {
public:
    // `roomFrame` is where the design's objects hang, `sceneFrame` the scene's root;
    // `workFolder` is the folder the player started in.
    DesignSession(rm::RetainedMode& d3drm, rm::Frame* roomFrame, rm::Frame* sceneFrame,
                  Host& host, DesignView& view, std::string workFolder);

    // Shown while a design is read, when it has a window.
    void SetProgress(Progress* progress) { m_progress = progress; }

    // Loads the design at `path` (a local path) unless it is the one already loaded. On a
    // failure the section's message is shown, what this load had read is dropped and false is
    // returned.
    bool LoadDesign(const std::string& path);
    // Writes the design to `path`. The old file is replaced only once every section has been
    // written; on a failure its message is shown and the old file stays as it was.
    bool SaveDesign(const std::string& path);
    // Replaces the model by an empty one bound to the current design folder.
    void ResetDesign();
    // Scales the models that stand in door openings to fill them.
    void FitDoorModels();

    model::CRoomDesign& Design() { return *m_design; }
    const model::CRoomDesign& Design() const { return *m_design; }
    const std::string& LoadedPath() const { return m_loadedPath; }
    const std::string& SavePath() const { return m_savePath; }
    const std::string& RecordPath() const { return m_recordPath; }
    const std::string& DesignFolder() const { return m_designFolder; }
    rm::Color AmbientColour() const { return m_ambientColour; }
    std::int32_t ShowState2D() const { return m_showState2D; }
    std::int32_t ShowState3D() const { return m_showState3D; }
    // The header of the design last read, as read (reports show it).
    const dsg::CDesignHeader& LoadedHeader() const { return m_header; }
    // The format version of the design last read (0 before any).
    double LoadedVersion() const { return m_loadedVersion; }

private:
    rm::RetainedMode& m_d3drm;
    rm::Frame* m_roomFrame;
    rm::Frame* m_sceneFrame;
    Host& m_host;
    DesignView& m_view;
    Progress* m_progress = nullptr;
    std::string m_workFolder;
    std::string m_designFolder;
    std::string m_loadedPath;
    std::string m_savePath;
    std::string m_recordPath;
    rm::Color m_ambientColour = 0x808080u;
    std::int32_t m_showState2D = 0;
    std::int32_t m_showState3D = 0;
    double m_loadedVersion = 0.0;
    dsg::CDesignHeader m_header;
    std::unique_ptr<model::CRoomDesign> m_design;
};

// The browse-path file of a design: its path with the last three characters made "rcd".
std::string RecordPathOf(const std::string& designPath);

}  // namespace roamer::app
