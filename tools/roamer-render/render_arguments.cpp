#include <charconv>
#include <cmath>

#include <CLI/CLI.hpp>

#include "roamer-render/render_command.h"
#include "roamer_version.h"

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

// The raw texts of the options; checked after CLI11 has sorted them out.
struct RawArguments {
    std::string size, view, speed, pause, passes, fps;
    std::vector<std::string> files;
};

void Describe(CLI::App& cli, RawArguments& raw, RenderOptions& o) {
    cli.description(
        "Renders a room design without any display: one view to PNG, every step of its browse\n"
        "path to PNG files, the scene to OBJ, or the walk of a design or play list to MP4.");
    cli.set_version_flag("--version", "roamer-render " ROAMER_VERSION, "print the version and exit");
    cli.add_option("--size", raw.size, "picture size (default 640x480; a video 1280x720)")
        ->type_name("WxH");
    cli.add_option("--view", raw.view, "viewer position and angles in radians instead of the "
                                       "design's opening view")
        ->type_name("X,Y,Z,HEADING,PITCH");
    cli.add_flag("--smooth", o.smooth, "the smoothed still, as a recorded stop shows it");
    cli.add_option("--out", o.out, "the PNG file (default: the design's name with .png)")
        ->type_name("FILE.png");
    cli.add_option("--export-obj", o.exportObj, "the scene as a Wavefront OBJ with materials")
        ->type_name("FILE.obj");
    cli.add_option("--path", o.pathDir,
                   "every step of the browse path as DIR/frame_NNNNN.png, listed in DIR/frames.txt")
        ->type_name("DIR");
    cli.add_option("--video", o.video,
                   "the walk of the design, or of every design of a play list, as H.264 MP4")
        ->type_name("FILE.mp4");
    cli.add_option("--speed", raw.speed, "play speed 0..3 (超快, 快, 適中, 慢; default 1)")
        ->type_name("0..3");
    cli.add_option("--pause", raw.pause, "pause at recorded stops 0..2 (短, 適中, 長; default 1)")
        ->type_name("0..2");
    cli.add_option("--passes", raw.passes, "video: passes over each browse path, 1..100 (default 1)")
        ->type_name("N");
    cli.add_option("--fps", raw.fps, "video: frames a second, 1..240 (default 30)")->type_name("N");
    cli.add_flag("--smooth-motion", o.smoothMotion,
                 "video: glide between the recorded steps at the frame rate");
    cli.add_flag("--collision", o.collision,
                 "walls stop the replayed walk, as the player's wall collision option does");
    cli.add_option("file", raw.files, "DESIGN.dsg, or with --video also LIST.vol")
        ->type_name("DESIGN.dsg|LIST.vol");
    cli.footer("Exit status: 0 when the picture, OBJ file, frames or video were written, 1 when "
               "not (the reason on standard error), 2 for a usage error, 130 for a video stopped "
               "by Ctrl+C (the shorter walk is kept).");
}

bool IsPlayList(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ending = path.substr(path.size() - 4);
    for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ending == ".vol";
}

// The option values that CLI11 leaves as text, and the combinations that do not go together.
std::string Check(const RawArguments& raw, RenderOptions& o) {
    if (!raw.size.empty()) {
        if (!ParseSize(raw.size, o.width, o.height))
            return "--size wants WIDTHxHEIGHT, 1 to 8192 each: " + raw.size;
        o.sizeGiven = true;
    }
    if (!raw.view.empty()) {
        app::ViewerState view;
        if (!ParseView(raw.view, view)) return "--view wants X,Y,Z,HEADING,PITCH: " + raw.view;
        o.view = view;
    }
    if (!raw.speed.empty() && !(ParseInt(raw.speed, o.speed) && o.speed >= 0 && o.speed <= 3))
        return "--speed wants 0 to 3: " + raw.speed;
    if (!raw.pause.empty() && !(ParseInt(raw.pause, o.pause) && o.pause >= 0 && o.pause <= 2))
        return "--pause wants 0 to 2: " + raw.pause;
    if (!raw.passes.empty() && !(ParseInt(raw.passes, o.passes) && o.passes >= 1 && o.passes <= 100))
        return "--passes wants 1 to 100: " + raw.passes;
    if (!raw.fps.empty() && !(ParseInt(raw.fps, o.fps) && o.fps >= 1 && o.fps <= 240))
        return "--fps wants 1 to 240: " + raw.fps;
    if (raw.files.empty()) return "no design given";
    if (raw.files.size() > 1) return "one design at a time: " + raw.files[1];
    o.design = raw.files.front();
    if (!o.exportObj.empty() && !o.pathDir.empty()) return "--export-obj and --path do not go together";
    if (!o.video.empty() && (!o.exportObj.empty() || !o.pathDir.empty() || !o.out.empty() ||
                             o.view || o.smooth))
        return "--video goes with none of --path, --export-obj, --out, --view and --smooth";
    if (o.video.empty() && (!raw.passes.empty() || !raw.fps.empty() || o.smoothMotion))
        return "--passes, --fps and --smooth-motion go with --video";
    if (o.video.empty() && IsPlayList(o.design)) return "a play list can only be made into a --video";
    return {};
}

}  // namespace

std::string ParseRenderArguments(const std::vector<std::string>& args, RenderOptions& options) {
    CLI::App cli("", "roamer-render");
    RawArguments raw;
    Describe(cli, raw, options);
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        cli.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        options.help = true;
        return {};
    } catch (const CLI::CallForAllHelp&) {
        options.help = true;
        return {};
    } catch (const CLI::CallForVersion&) {
        options.version = true;
        return {};
    } catch (const CLI::ParseError& error) {
        return error.what();
    }
    return Check(raw, options);
}

std::string RenderHelp() {
    CLI::App cli("", "roamer-render");
    RawArguments raw;
    RenderOptions options;
    Describe(cli, raw, options);
    return cli.help();
}

std::string RenderVersion() { return "roamer-render " ROAMER_VERSION "\n"; }

}  // namespace roamer::tools
