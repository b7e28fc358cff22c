#pragma once

#include <string>

#include "platform/rm/color.h"
#include "platform/rm/vector.h"

namespace roamer::app {

// Where the viewer stands and looks: scene position, heading about the vertical axis and pitch,
// both in radians.
struct ViewerState {
    rm::Vector3 position;
    double heading = 0.0;
    double pitch = 0.0;
};

// What loading and saving a design ask of the view that shows it: the render engine and the
// navigator implement it in the player; the tools and tests give their own.
class DesignView {
public:
    virtual ~DesignView() = default;

    // Puts the camera at the design's opening view.
    virtual void ApplyViewer(const ViewerState& viewer) = 0;
    // The colour of the scene's ambient light.
    virtual void SetAmbientColor(rm::Color color) = 0;
    // The view now shown, written into the header of a saved design.
    virtual ViewerState GetViewer() const = 0;
    // The design's browse path (its name with "rcd" for the last three characters) is to be
    // read; whether that works does not change the load's outcome.
    virtual void LoadBrowsePath(const std::string& recordPath) = 0;
};

}  // namespace roamer::app
