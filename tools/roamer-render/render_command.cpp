// roamer-render: a design rendered without any display, through the same player, engine and
// camera frames that show it on screen.
#include "roamer-render/render_command.h"

#include <filesystem>
#include <fstream>
#include <ostream>

#include "app/player_app.h"
#include "nav/nav_command.h"
#include "roamer-render/obj_export.h"
#include "roamer-render/png_writer.h"
#include "roamer-render/render_host.h"

namespace roamer::tools {
namespace {

constexpr int kSmoothPasses = 5;

std::string DefaultPicturePath(const std::string& design) {
    return std::filesystem::path(design).replace_extension(".png").string();
}

bool SavePicture(app::PlayerApp& app, const std::string& path, std::ostream& err) {
    rm::Picture picture;
    rm::Device* device = app.Engine().GetDevice();
    if (device == nullptr || device->ReadBackBuffer(&picture) != 0) {
        err << "roamer-render: the picture cannot be read back\n";
        return false;
    }
    if (!WritePng(picture, path)) {
        err << "roamer-render: cannot write " << path << '\n';
        return false;
    }
    return true;
}

// Replays the browse path as a pass plays it: the start view, then one frame per command, each
// held as long as the player would show it.
int ReplayPath(app::PlayerApp& app, RenderHost& host, const RenderOptions& options,
               std::ostream& err) {
    std::error_code error;
    std::filesystem::create_directories(options.pathDir, error);
    nav::BrowsePath& path = app.Path();
    nav::Navigator& navigator = app.Navigator();
    if (!navigator.StartPath()) {
        err << "roamer-render: the design has no browse path (" << navigator.recordPath << ")\n";
        return 1;
    }
    const int interval = app.PlayTimerInterval();
    std::string list = "# frame\tcommand\thold_ms\r\n";
    const auto frame = [&](int index, std::string_view command, int holdMs) {
        char name[32];
        std::snprintf(name, sizeof name, "frame_%05d.png", index);
        if (!SavePicture(app, options.pathDir + "/" + name, err)) return false;
        list += std::string(name) + "\t" + std::string(command) + "\t" + std::to_string(holdMs) +
                "\r\n";
        return true;
    };
    if (!frame(0, "START", interval)) return 1;
    const std::vector<std::string>& names = path.KeyStrings();
    const bool forward = path.IsForward();
    for (std::size_t step = 0; step < names.size(); ++step) {
        const std::string& name = forward ? names[step] : names[names.size() - 1 - step];
        host.timers.erase(app::PlayerApp::kPauseTimer);
        if (!navigator.StepPath(forward)) break;
        // A recorded stop holds the smoothed still for the pause, then one more tick.
        const auto pause = host.timers.find(app::PlayerApp::kPauseTimer);
        const int hold = interval + (pause == host.timers.end() ? 0 : pause->second);
        if (!frame(static_cast<int>(step) + 1, name, hold)) return 1;
    }
    navigator.ReleaseShift();
    const std::string listPath = options.pathDir + "/frames.txt";
    std::ofstream out(listPath + ".part", std::ios::binary);
    out << list;
    out.close();
    std::filesystem::rename(listPath + ".part", listPath, error);
    if (!out || error) {
        err << "roamer-render: cannot write " << listPath << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

int RunRender(const RenderOptions& options, std::ostream& err) {
    RenderHost host(options.width, options.height, err);
    std::error_code error;
    app::PlayerApp app(host, std::filesystem::current_path(error).string());
    app.settings.speedIndex = options.speed;
    app.settings.pauseIndex = options.pause;
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
