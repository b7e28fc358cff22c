#include <charconv>
#include <cmath>

#include "roamer-render/render_command.h"

namespace roamer::tools {
namespace {

bool ParseInt(std::string_view text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const auto x = text.find('x');
    if (x == std::string::npos) return false;
    if (!ParseInt(std::string_view(text).substr(0, x), width) ||
        !ParseInt(std::string_view(text).substr(x + 1), height))
        return false;
    // Large enough to see something, small enough for any offscreen buffer.
    return width >= 1 && height >= 1 && width <= 8192 && height <= 8192;
}

bool ParseView(const std::string& text, app::ViewerState& view) {
    double values[5];
    std::size_t at = 0;
    for (int i = 0; i < 5; ++i) {
        const std::size_t end = i < 4 ? text.find(',', at) : text.size();
        if (end == std::string::npos) return false;
        const char* first = text.data() + at;
        const char* last = text.data() + end;
        const auto [stop, error] = std::from_chars(first, last, values[i]);
        if (error != std::errc() || stop != last || !std::isfinite(values[i])) return false;
        at = end + 1;
    }
    view.position = {static_cast<float>(values[0]), static_cast<float>(values[1]),
                     static_cast<float>(values[2])};
    view.heading = values[3];
    view.pitch = values[4];
    return true;
}

}  // namespace

const char* const kRenderUsage =
    "usage: roamer-render [--size WxH] [--view X,Y,Z,HEADING,PITCH] [--smooth] [--out FILE.png]\n"
    "                     [--export-obj FILE.obj] [--path DIR [--speed 0..3] [--pause 0..2]]\n"
    "                     DESIGN.dsg\n";

std::string ParseRenderArguments(const std::vector<std::string>& args, RenderOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        const auto value = [&]() -> const std::string& { return args[++i]; };
        if (arg == "--smooth") {
            options.smooth = true;
        } else if (arg == "--size" || arg == "--view" || arg == "--out" || arg == "--export-obj" ||
                   arg == "--path" || arg == "--speed" || arg == "--pause") {
            if (!hasValue) return arg + " needs a value";
            const std::string& v = value();
            if (arg == "--size" && !ParseSize(v, options.width, options.height))
                return "--size wants WIDTHxHEIGHT, 1 to 8192 each: " + v;
            if (arg == "--view") {
                app::ViewerState view;
                if (!ParseView(v, view)) return "--view wants X,Y,Z,HEADING,PITCH: " + v;
                options.view = view;
            }
            if (arg == "--out") options.out = v;
            if (arg == "--export-obj") options.exportObj = v;
            if (arg == "--path") options.pathDir = v;
            if (arg == "--speed" && !(ParseInt(v, options.speed) && options.speed >= 0 && options.speed <= 3))
                return "--speed wants 0 to 3: " + v;
            if (arg == "--pause" && !(ParseInt(v, options.pause) && options.pause >= 0 && options.pause <= 2))
                return "--pause wants 0 to 2: " + v;
        } else if (!arg.empty() && arg[0] == '-') {
            return "unknown option " + arg;
        } else if (options.design.empty()) {
            options.design = arg;
        } else {
            return "one design at a time: " + arg;
        }
    }
    if (options.design.empty()) return "no design given";
    if (!options.exportObj.empty() && !options.pathDir.empty())
        return "--export-obj and --path do not go together";
    return {};
}

}  // namespace roamer::tools
