#include "roamer-render/path_replay.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "roamer-render/png_writer.h"

namespace roamer::tools {
namespace {

// The shortest text that reads back as the same number, with a full stop in every locale.
template <typename Number>
std::string NumberText(Number value) {
    char text[40];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : std::string("nan");
}

std::string ViewColumns(const app::ViewerState& v) {
    return NumberText(v.position.x) + "\t" + NumberText(v.position.y) + "\t" +
           NumberText(v.position.z) + "\t" + NumberText(v.heading) + "\t" + NumberText(v.pitch);
}

}  // namespace

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
    std::string list = "# frame\tcommand\thold_ms\tx\ty\tz\theading\tpitch\r\n";
    const auto frame = [&](int index, std::string_view command, int holdMs) {
        char name[32];
        std::snprintf(name, sizeof name, "frame_%05d.png", index);
        if (!SavePicture(app, options.pathDir + "/" + name, err)) return false;
        list += std::string(name) + "\t" + std::string(command) + "\t" + std::to_string(holdMs) +
                "\t" + ViewColumns(app.GetViewer()) + "\r\n";
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

}  // namespace roamer::tools
