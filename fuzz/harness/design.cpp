// A design read by the player's own loader: the design file and every section reader, with the
// walls, floors, furniture, lights and plants built into a retained-mode scene (no window).
// The design sits in a folder holding the sample and test textures, models and plants, so the
// references it makes are found and loaded as well.
#include <cstddef>
#include <cstdint>

#include "harness/harness.h"
#include "app/design_session.h"
#include "platform/recording_host.h"
#include "platform/rm/retained_mode.h"
#include "harness/memory_input.h"

namespace {

class NullView : public roamer::app::DesignView {
public:
    void ApplyViewer(const roamer::app::ViewerState&) override {}
    void SetAmbientColor(roamer::rm::Color) override {}
    roamer::app::ViewerState GetViewer() const override { return {}; }
    void LoadBrowsePath(const std::string&) override {}
};

struct Fixture {
    roamer::fuzz::MemoryInput input;
    roamer::fuzz::FuzzTree tree;
    std::string path;
    Fixture() {
        for (const char* folder : {"models", "plants", "tex"}) {
            tree.CopyFolder(std::string("samples/") + folder, folder);
            tree.CopyFolder(std::string("tests/data/designs/") + folder, folder);
        }
        path = tree.Link("input.dsg", input);
    }
};

}  // namespace

namespace roamer::fuzz {

bool FuzzDesign(const std::uint8_t* data, std::size_t size) {
    static Fixture fixture;
    fixture.input.Set(data, size);
    roamer::rm::RetainedMode d3drm;
    auto scene = d3drm.CreateScene();
    roamer::rm::Frame* room = scene->CreateChild();
    roamer::RecordingHost host;
    // Both answers to "go on without the missing part?" lead somewhere different.
    host.SetDefaultAnswer(size % 2 == 0 ? roamer::Host::Answer::kYes : roamer::Host::Answer::kNo);
    NullView view;
    {
        roamer::app::DesignSession session(d3drm, room, scene.get(), host, view, "");
        if (!session.LoadDesign(fixture.path) && host.Messages().empty()) return false;
    }
    // A failed or finished load leaves nothing hanging in the scene.
    if (!room->GetChildren().empty() || host.WaitDepth() != 0) return false;
    return true;
}

}  // namespace roamer::fuzz
