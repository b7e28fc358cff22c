#include "nav/browse_file.h"

namespace roamer::nav {
namespace {

// "<室內設計系統瀏覽檔案>" in code page 950, as the files hold it.
constexpr std::string_view kMagic =
    "<\xAB\xC7\xA4\xBA\xB3\x5D\xAD\x70\xA8\x74\xB2\xCE\xC2\x73\xC4\xFD\xC0\xC9\xAE\xD7>";

constexpr const char* kReadHeaderFailed = "無法讀取瀏覽路徑表頭";
constexpr const char* kReadHeadFailed = "無法讀取瀏覽路徑起點";
constexpr const char* kReadTailFailed = "無法讀取瀏覽路徑終點";
constexpr const char* kReadKeysFailed = "無法讀取瀏覽路徑";
constexpr const char* kWriteHeaderFailed = "無法寫入瀏覽路徑表頭";
constexpr const char* kWriteHeadFailed = "無法寫入瀏覽路徑起點";
constexpr const char* kWriteTailFailed = "無法寫入瀏覽路徑終點";
constexpr const char* kWriteKeysFailed = "無法寫入瀏覽路徑";

// Files before this version stored no path parameters.
constexpr double kParametersVersion = 1.1;

}  // namespace

bool CBrowseFile::OpenWrite(const std::string& path) {
    if (!CTaggedTextFile::OpenWrite(path)) return false;
    SetFileVersion(kWriteVersion);
    return true;
}

bool CBrowseFile::Fail(const char* message) {
    m_host.ShowMessage(message);
    return false;
}

bool CBrowseFile::ReadHeader() {
    std::string token;
    double version = 0.0;
    if (!ReadFirstToken(token) || !ReadFirstToken(token) || token != kMagic ||
        !ReadFirstToken(token) || !ReadDouble(version))
        return false;
    SetFileVersion(version);
    return ReadFirstToken(token);
}

// The values themselves are not checked: a missing value line shifts the lines after it, and
// the read of the block's end mark is what fails.
bool CBrowseFile::ReadView(const char* failureMessage, BrowseView& view) {
    std::string token;
    if (!ReadFirstToken(token)) return Fail(failureMessage);
    ReadVector(view.position);
    ReadDouble(view.heading);
    ReadDouble(view.pitch);
    return true;
}

bool CBrowseFile::ReadKeyStrings(BrowsePath& path) {
    std::string token;
    std::int32_t count = 0;
    if (!ReadFirstToken(token) || !ReadInt(count)) return Fail(kReadKeysFailed);
    if (GetFileVersion() < kParametersVersion) {
        path.SetPathParameters(2.0, 2.0);
    } else {
        double a = 0.0;
        double b = 0.0;
        if (!ReadDouble(a) || !ReadDouble(b)) return Fail(kReadKeysFailed);
        path.SetPathParameters(a, b);
    }
    // A line that is not a quoted name fails the block; the names read before it stay.
    std::string name;
    for (std::int32_t i = 0; i < count; ++i) {
        if (!ReadString(name)) return Fail(kReadKeysFailed);
        path.AddName(name);
    }
    if (!ReadFirstToken(token)) return Fail(kReadKeysFailed);
    return true;
}

bool CBrowseFile::ReadPath(BrowsePath& path) {
    std::string token;
    if (!ReadFirstToken(token)) return false;
    if (!ReadHeader()) return Fail(kReadHeaderFailed);

    BrowseView head;
    if (!ReadView(kReadHeadFailed, head)) return false;
    path.SetHeadPosition(head);
    if (!ReadFirstToken(token)) return Fail(kReadHeadFailed);

    BrowseView tail;
    if (!ReadView(kReadTailFailed, tail)) return false;
    path.SetTailPosition(tail);
    if (!ReadFirstToken(token)) return Fail(kReadTailFailed);

    if (!ReadKeyStrings(path)) return false;
    return ReadFirstToken(token);
}

bool CBrowseFile::WriteView(const BrowseView& view, const char* beginMark, const char* endMark) {
    return WriteKey(beginMark) && WriteVector(view.position) && WriteAngle(view.heading) &&
           WriteAngle(view.pitch) && WriteKey(endMark);
}

bool CBrowseFile::WritePath(const BrowsePath& path) {
    if (GetState() != kWriting) return false;
    if (!WriteKey("[BROWS_RECORDER_BEGIN]")) return false;
    if (!(WriteKey("[HEADER_BEGIN]") && WriteKey(kMagic) && WriteKey("Version") &&
          WriteDouble(GetFileVersion()) && WriteKey("[HEADER_END]")))
        return Fail(kWriteHeaderFailed);

    BrowseView view;
    path.GetHeadPosition(view);
    if (!WriteView(view, "[HEAD_POSITION_BEGIN]", "[HEAD_POSITION_END]"))
        return Fail(kWriteHeadFailed);
    view = BrowseView{};
    path.GetTailPosition(view);
    if (!WriteView(view, "[TAIL_POSITION_BEGIN]", "[TAIL_POSITION_END]"))
        return Fail(kWriteTailFailed);

    bool ok = WriteKey("[KEY_STRING_BEGIN]") &&
              WriteLong(static_cast<std::int32_t>(path.GetCount())) &&
              WriteDouble(path.GetPathParameter(0)) && WriteDouble(path.GetPathParameter(1));
    for (const std::string& name : path.KeyStrings())
        ok = ok && WriteString(name);
    if (!(ok && WriteKey("[KEY_STRING_END]"))) return Fail(kWriteKeysFailed);
    return WriteKey("[BROWS_RECORDER_END]");
}

}  // namespace roamer::nav
