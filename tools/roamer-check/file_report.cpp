#include "roamer-check/file_report.h"

#include <sstream>

#include "app/play_list.h"
#include "nav/browse_file.h"
#include "platform/fs/windows_path.h"
#include "platform/text/cp950.h"
#include "roamer-check/json_writer.h"
#include "platform/recording_host.h"

namespace roamer::tools {
namespace {

constexpr const char* kCannotOpen = "cannot open the file";
constexpr const char* kEndsEarly = "the browse path file ends early";

std::string LowerExtension(const std::string& path) {
    const auto dot = path.rfind('.');
    const auto slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

}  // namespace

void WriteLines(JsonWriter& json, std::ostringstream& text, const char* key, const char* label,
                const std::vector<std::string>& lines) {
    json.Key(key).BeginArray();
    for (const std::string& line : lines) {
        json.String(line);
        text << "  " << label << ": " << line << '\n';
    }
    json.EndArray();
}

namespace {

// What the player shows, then what only this tool has to say.
void WriteMessages(JsonWriter& json, std::ostringstream& text,
                   const std::vector<std::string>& messages,
                   const std::vector<std::string>& notes = {}) {
    WriteLines(json, text, "messages", "message", messages);
    WriteLines(json, text, "notes", "note", notes);
}

FileReport CheckPlayListFile(const std::string& path) {
    FileReport report;
    std::vector<std::string> playList;
    const std::string_view message = app::OpenPlayListFile(path, playList);
    report.ok = message.empty();

    JsonWriter json;
    std::ostringstream text;
    json.BeginObject().Key("file").String(text::ToDisplayText(path));
    json.Key("kind").String("playlist");
    json.Key("ok").Bool(report.ok);
    text << text::ToDisplayText(path) << ": play list, " << playList.size() << " entries"
         << (report.ok ? "" : " (not accepted)") << '\n';
    const std::vector<std::string> messages =
        message.empty() ? std::vector<std::string>{} : std::vector<std::string>{std::string(message)};
    WriteMessages(json, text, messages);

    const std::string folder = fs::LocalFolderOf(path);
    json.Key("entries").BeginArray();
    for (const std::string& entry : playList) json.String(text::ToDisplayText(entry));
    json.EndArray().Key("resolved").BeginArray();
    for (std::size_t i = 0; i < playList.size(); ++i) {
        const auto resolved = app::ResolvePlayListEntry(playList[i], folder);
        if (resolved)
            json.String(text::ToDisplayText(*resolved));
        else
            json.Null();
        text << "  " << (i + 1) << ". " << text::ToDisplayText(playList[i]) << " -> "
             << (resolved ? text::ToDisplayText(*resolved) : std::string("(not found)")) << '\n';
    }
    json.EndArray().EndObject();
    report.json = json.Text();
    report.text = text.str();
    return report;
}

void WriteView(JsonWriter& json, std::ostringstream& text, const char* name, bool present,
               const nav::BrowseView& view) {
    json.Key(name);
    if (!present) {
        json.Null();
        text << "  " << name << ": none\n";
        return;
    }
    json.BeginObject().Key("position").BeginArray();
    json.Number(view.position.x).Number(view.position.y).Number(view.position.z).EndArray();
    json.Key("heading").Number(view.heading).Key("pitch").Number(view.pitch).EndObject();
    text << "  " << name << ": position (" << view.position.x << ", " << view.position.y << ", "
         << view.position.z << "), heading " << view.heading << ", pitch " << view.pitch << '\n';
}

FileReport CheckBrowsePathFile(const std::string& path) {
    FileReport report;
    RecordingHost host;
    nav::BrowsePath browsePath;
    nav::CBrowseFile file(host);
    bool read = false;
    // The player passes over a browse path it cannot open or that ends early without a word.
    std::vector<std::string> notes;
    if (!file.OpenRead(path)) {
        notes.emplace_back(kCannotOpen);
    } else {
        read = file.ReadPath(browsePath);
        file.Close();
        if (!read && host.Messages().empty()) notes.emplace_back(kEndsEarly);
    }
    report.ok = read && host.Messages().empty();

    JsonWriter json;
    std::ostringstream text;
    json.BeginObject().Key("file").String(text::ToDisplayText(path));
    json.Key("kind").String("browsepath");
    json.Key("ok").Bool(report.ok);
    text << text::ToDisplayText(path) << ": browse path";
    json.Key("version");
    if (file.GetFileVersion() > 0.0) {
        json.Number(file.GetFileVersion());
        text << " version " << file.GetFileVersion();
    } else {
        json.Null();
    }
    text << ", " << browsePath.GetCount() << " commands" << (report.ok ? "" : " (not read whole)")
         << '\n';
    WriteMessages(json, text, host.Messages(), notes);

    nav::BrowseView view;
    const bool hasHead = browsePath.GetHeadPosition(view);
    WriteView(json, text, "head", hasHead, view);
    const bool hasTail = browsePath.GetTailPosition(view);
    WriteView(json, text, "tail", hasTail, view);
    json.Key("parameters").BeginArray();
    json.Number(browsePath.GetPathParameter(0)).Number(browsePath.GetPathParameter(1)).EndArray();
    json.Key("commands").BeginArray();
    for (const std::string& name : browsePath.KeyStrings()) json.String(text::ToDisplayText(name));
    json.EndArray().Key("codes").BeginArray();
    for (const std::string& name : browsePath.KeyStrings()) json.Integer(nav::CommandCode(name));
    // For people, runs of one command are counted: "CPS_GO_FRONT x12".
    text << "  commands:";
    const std::vector<std::string>& names = browsePath.KeyStrings();
    for (std::size_t i = 0; i < names.size();) {
        std::size_t run = 1;
        while (i + run < names.size() && names[i + run] == names[i]) ++run;
        text << ' ' << text::ToDisplayText(names[i]);
        if (run > 1) text << " x" << run;
        i += run;
    }
    text << '\n';
    json.EndArray().EndObject();
    report.json = json.Text();
    report.text = text.str();
    return report;
}

FileReport UnknownKind(const std::string& path) {
    FileReport report;
    const std::string message = "unknown kind of file (expected .vol, .rcd or .dsg)";
    JsonWriter json;
    json.BeginObject().Key("file").String(text::ToDisplayText(path));
    json.Key("kind").String("unknown");
    json.Key("ok").Bool(false).Key("messages").BeginArray().EndArray();
    json.Key("notes").BeginArray().String(message).EndArray().EndObject();
    report.json = json.Text();
    report.text = text::ToDisplayText(path) + ": unknown kind of file\n  note: " + message + '\n';
    return report;
}

}  // namespace

FileReport CheckFile(const std::string& path, const CheckOptions& options) {
    const std::string ext = LowerExtension(path);
    if (ext == "dsg") return CheckDesignFile(path, options);
    if (ext == "vol") return CheckPlayListFile(path);
    if (ext == "rcd") return CheckBrowsePathFile(path);
    return UnknownKind(path);
}

}  // namespace roamer::tools
