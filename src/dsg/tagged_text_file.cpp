#include "dsg/tagged_text_file.h"

#include "dsg/line_tokens.h"
#include "dsg/number_text.h"

namespace roamer::dsg {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kIndent = "    ";

}  // namespace

CTaggedTextFile::~CTaggedTextFile() { Discard(); Close(); }

bool CTaggedTextFile::OpenRead(const std::string& path) {
    if (m_state != kClosed) return false;
    auto input = std::make_unique<fs::InputFile>();
    if (!input->Open(path)) return false;
    m_input = std::move(input);
    m_reader = std::make_unique<fs::LineReader>(*m_input);
    m_state = kReading;
    return true;
}

bool CTaggedTextFile::OpenWrite(const std::string& path) {
    if (m_state != kClosed) return false;
    auto output = std::make_unique<fs::OutputFile>();
    if (!output->Open(path)) return false;
    m_output = std::move(output);
    m_state = kWriting;
    return true;
}

bool CTaggedTextFile::Close() {
    bool ok = true;
    if (m_state == kWriting && m_output) ok = m_output->Commit();
    m_reader.reset();
    m_input.reset();
    m_output.reset();
    m_state = kClosed;
    return ok;
}

void CTaggedTextFile::Discard() {
    if (m_state != kWriting) return;
    m_output->Discard();
    m_output.reset();
    m_state = kClosed;
}

// ---- writers ----

bool CTaggedTextFile::WriteLine(const std::string& line) {
    if (m_state != kWriting) return false;
    return m_output->Write(line);
}

bool CTaggedTextFile::WriteKey(std::string_view key) {
    m_out.assign(key);
    m_out += kLineEnd;
    return WriteLine(m_out);
}

bool CTaggedTextFile::WriteString(std::string_view text) {
    m_out.assign(kIndent);
    m_out += '"';
    m_out += text;
    m_out += '"';
    m_out += kLineEnd;
    return WriteLine(m_out);
}

bool CTaggedTextFile::WriteLong(std::int32_t value) {
    m_out.assign(kIndent);
    AppendInt(m_out, value);
    m_out += kLineEnd;
    return WriteLine(m_out);
}

bool CTaggedTextFile::WriteDouble(double value) {
    m_out.assign(kIndent);
    AppendFixed(m_out, value, 8);
    m_out += kLineEnd;
    return WriteLine(m_out);
}

bool CTaggedTextFile::WriteAngle(double value) {
    m_out.assign(kIndent);
    AppendFixed(m_out, value, 11);
    m_out += kLineEnd;
    return WriteLine(m_out);
}

bool CTaggedTextFile::WriteFloat(float value) {
    m_out.assign(kIndent);
    AppendFixed(m_out, static_cast<double>(value), 6);
    m_out += kLineEnd;
    return WriteLine(m_out);
}

bool CTaggedTextFile::WriteVector(float x, float y, float z) {
    m_out.assign(kIndent);
    AppendFixed(m_out, static_cast<double>(x), 6);
    m_out += ',';
    AppendFixed(m_out, static_cast<double>(y), 6);
    m_out += ',';
    AppendFixed(m_out, static_cast<double>(z), 6);
    m_out += kLineEnd;
    return WriteLine(m_out);
}

bool CTaggedTextFile::WritePoint(double x, double y) {
    m_out.assign(kIndent);
    AppendFixed(m_out, x, 8);
    m_out += ',';
    AppendFixed(m_out, y, 8);
    m_out += kLineEnd;
    return WriteLine(m_out);
}

bool CTaggedTextFile::WriteLongPair(std::int32_t a, std::int32_t b) {
    m_out.assign(kIndent);
    AppendInt(m_out, a);
    m_out += ',';
    AppendInt(m_out, b);
    m_out += kLineEnd;
    return WriteLine(m_out);
}

bool CTaggedTextFile::WriteVectorList(std::span<const Vector3f> vectors) {
    if (!WriteKey("BEGIN_VECTORLIST") || !WriteKey("Count") ||
        !WriteLong(static_cast<std::int32_t>(vectors.size())))
        return false;
    for (const Vector3f& v : vectors)
        if (!WriteVector(v)) return false;
    return WriteKey("END_VECTORLIST");
}

bool CTaggedTextFile::WritePolyline(std::span<const Point2d> points) {
    if (!WriteKey("BEGIN_POLYLINE") || !WriteKey("Count") ||
        !WriteLong(static_cast<std::int32_t>(points.size())))
        return false;
    for (const Point2d& p : points)
        if (!WritePoint(p.x, p.y)) return false;
    return WriteKey("END_POLYLINE");
}

bool CTaggedTextFile::WriteDoubleArray(std::span<const double> values) {
    if (!WriteKey("BEGIN_DOUBLEARRAY") || !WriteKey("Count") ||
        !WriteLong(static_cast<std::int32_t>(values.size())))
        return false;
    for (double v : values)
        if (!WriteDouble(v)) return false;
    return WriteKey("END_DOUBLEARRAY");
}

// ---- readers ----

bool CTaggedTextFile::ReadLine(std::string& line) {
    if (m_state != kReading) return false;
    return m_reader->ReadLine(line);
}

bool CTaggedTextFile::ReadFirstToken(std::string& token) {
    if (m_state != kReading) return false;
    while (m_reader->ReadLine(m_line)) {
        const std::string_view t = FirstToken(m_line);
        if (!t.empty()) {
            token.assign(t);
            return true;
        }
    }
    return false;
}

bool CTaggedTextFile::ReadTextToken(std::string& token) {
    if (m_state != kReading) return false;
    while (m_reader->ReadLine(m_line)) {
        const std::string_view t = TextToken(m_line);
        if (!t.empty()) {
            token.assign(t);
            return true;
        }
    }
    return false;
}

// Reads lines until one splits into exactly `count` tokens, which are left in m_split.
bool CTaggedTextFile::ReadTokenLine(std::size_t count) {
    if (m_state != kReading) return false;
    while (m_reader->ReadLine(m_line)) {
        SplitTokens(m_line, m_split);
        if (m_split.size() == count) return true;
    }
    return false;
}

bool CTaggedTextFile::ReadTokenList(std::size_t count, std::vector<std::string>& tokens) {
    if (!ReadTokenLine(count)) return false;
    tokens.assign(m_split.begin(), m_split.end());
    return true;
}

bool CTaggedTextFile::FindKey(std::string_view key) {
    if (m_state != kReading) return false;
    while (m_reader->ReadLine(m_line)) {
        const std::string_view t = FirstToken(m_line);
        if (!t.empty() && t == key) return true;
    }
    return false;
}

bool CTaggedTextFile::ReadString(std::string& text) {
    std::string token;
    if (!ReadTextToken(token)) return false;
    std::string_view value;
    if (!QuotedValue(m_line, value)) return false;
    text.assign(value);
    return true;
}

bool CTaggedTextFile::ReadDouble(double& value) {
    std::string token;
    if (!ReadFirstToken(token)) return false;
    value = ParseDouble(token);
    return true;
}

bool CTaggedTextFile::ReadFloat(float& value) {
    double d = 0.0;
    if (!ReadDouble(d)) return false;
    value = NarrowToFloat(d);
    return true;
}

bool CTaggedTextFile::ReadInt(std::int32_t& value) {
    std::string token;
    if (!ReadFirstToken(token)) return false;
    value = ParseInt(token);
    return true;
}

bool CTaggedTextFile::ReadPoint(double& x, double& y) {
    if (!ReadTokenLine(2)) return false;
    x = ParseDouble(m_split[0]);
    y = ParseDouble(m_split[1]);
    return true;
}

bool CTaggedTextFile::ReadIntPair(std::int32_t& a, std::int32_t& b) {
    if (!ReadTokenLine(2)) return false;
    a = ParseInt(m_split[0]);
    b = ParseInt(m_split[1]);
    return true;
}

bool CTaggedTextFile::ReadVector(float& x, float& y, float& z) {
    if (!ReadTokenLine(3)) return false;
    x = NarrowToFloat(ParseDouble(m_split[0]));
    y = NarrowToFloat(ParseDouble(m_split[1]));
    z = NarrowToFloat(ParseDouble(m_split[2]));
    return true;
}

bool CTaggedTextFile::ReadListCount(std::string_view beginKey, std::int32_t& count) {
    return FindKey(beginKey) && FindKey("Count") && ReadInt(count);
}

// The count in the file never sizes an allocation: items are appended as they are read, so a
// hostile count only makes the read run into the end of the file.
bool CTaggedTextFile::ReadVectorList(std::vector<Vector3f>& vectors) {
    std::int32_t count = 0;
    if (!ReadListCount("BEGIN_VECTORLIST", count)) return false;
    std::vector<Vector3f> read;
    for (std::int32_t i = 0; i < count; ++i) {
        Vector3f v;
        if (!ReadVector(v)) return false;
        read.push_back(v);
    }
    if (!FindKey("END_VECTORLIST")) return false;
    vectors = std::move(read);
    return true;
}

bool CTaggedTextFile::ReadPolyline(std::vector<Point2d>& points) {
    std::int32_t count = 0;
    bool ok = ReadListCount("BEGIN_POLYLINE", count);
    const double scale = m_fileVersion < 2.4 ? 2.0 : 1.0;
    for (std::int32_t i = 0; ok && i < count; ++i) {
        Point2d p;
        ok = ReadPoint(p.x, p.y);
        if (ok) points.push_back({p.x * scale, p.y * scale});
    }
    ok = ok && FindKey("END_POLYLINE");
    if (!ok) points.clear();
    return ok;
}

bool CTaggedTextFile::ReadDoubleArray(std::vector<double>& values) {
    std::int32_t count = 0;
    bool ok = ReadListCount("BEGIN_DOUBLEARRAY", count);
    for (std::int32_t i = 0; ok && i < count; ++i) {
        double v = 0.0;
        ok = ReadDouble(v);
        if (ok) values.push_back(v);
    }
    ok = ok && FindKey("END_DOUBLEARRAY");
    if (!ok) values.clear();
    return ok;
}

}  // namespace roamer::dsg
