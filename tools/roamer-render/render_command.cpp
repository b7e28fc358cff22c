// roamer-render: a design rendered without any display, through the same player, engine and
// camera frames that show it on screen.
#include "roamer-render/render_command.h"

#include <filesystem>
#include <ostream>

#include "app/player_app.h"
#include "roamer-render/obj_export.h"
#include "roamer-render/path_replay.h"
#include "roamer-render/render_host.h"
#include "roamer-render/video_command.h"

namespace roamer::tools {
namespace {

constexpr int kSmoothPasses = 5;

std::string DefaultPicturePath(const std::string& design) {
    return std::filesystem::path(design).replace_extension(".png").string();
}

}  // namespace

int RunRender(const RenderOptions& options, std::ostream& err) {
    if (!options.video.empty()) return RunVideo(options, err);
    RenderHost host(options.width, options.height, err);
    std::error_code error;
    app::PlayerApp app(host, std::filesystem::current_path(error).string());
    app.settings.speedIndex = options.speed;
    app.settings.pauseIndex = options.pause;
    app.settings.wallCollision = options.collision;
    if (!app.OpenView() || !app.Engine().IsInitialized()) {
        err << "roamer-render: no offscreen renderer could be started\n";
        return 1;
    }
    const std::string design = std::filesystem::absolute(options.design, error).string();
    if (!app.LoadDesign(design)) {
        err << "roamer-render: " << options.design << " could not be loaded\n";
        return 1;
    }
    if (options.view) app.ApplyViewer(*options.view);

    if (!options.exportObj.empty()) {
        rm::Frame* scene = nullptr;
        app.Engine().GetScene(&scene);
        const std::string reason = ExportObj(*scene, options.exportObj);
        if (!reason.empty()) {
            err << "roamer-render: " << reason << '\n';
            return 1;
        }
        return 0;
    }
    if (!options.pathDir.empty()) return ReplayPath(app, host, options, err);

    if (const std::int32_t status = app.Engine().Render(); status != 0) {
        err << "roamer-render: rendering failed (" << status << ")\n";
        return 1;
    }
    if (options.smooth) {
        if (const std::int32_t status = app.Engine().SmoothFrame(kSmoothPasses); status != 0) {
            err << "roamer-render: the smoothed still failed (" << status << ")\n";
            return 1;
        }
    }
    const std::string out = options.out.empty() ? DefaultPicturePath(options.design) : options.out;
    return SavePicture(app, out, err) ? 0 : 1;
}

}  // namespace roamer::tools
