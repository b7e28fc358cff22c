#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fs/input_file.h"
#include "platform/fs/line_reader.h"
#include "platform/fs/output_file.h"

namespace roamer::dsg {

struct Point2d {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const Point2d&) const = default;
};

struct Vector3f {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    bool operator==(const Vector3f&) const = default;
};

// One tagged text file held open for reading or for writing. Every value stands on its own line
// beneath the keyword that names it; keywords start their line, values are indented by four
// spaces; every line ends in CR LF. The design file and the browse-path file are built on it.
//
// Every operation returns true on success. Reads fail at the end of the file; a number with
// wrong text never fails and reads as 0. Writes fail when the file is not open for writing or
// the disk refuses the bytes.
class CTaggedTextFile {
public:
    enum State : int { kClosed = 0, kReading = 1, kWriting = 2 };

    CTaggedTextFile() = default;
    virtual ~CTaggedTextFile();
    CTaggedTextFile(const CTaggedTextFile&) = delete;
    CTaggedTextFile& operator=(const CTaggedTextFile&) = delete;

    // Fails when already open or when the file cannot be opened. `path` is a local path.
    bool OpenRead(const std::string& path);
    // Writes go to a temporary file beside `path`; Close puts it in place.
    virtual bool OpenWrite(const std::string& path);
    // Closes the file. A file being written replaces its target only now, and only when every
    // write succeeded; false when that could not be done (the target is then untouched).
    bool Close();
    // Closes a file being written without touching its target.
    void Discard();

    int GetState() const { return m_state; }
    double GetFileVersion() const { return m_fileVersion; }
    void SetFileVersion(double version) { m_fileVersion = version; }

    // Writers: each writes exactly one line.
    bool WriteKey(std::string_view key);
    bool WriteString(std::string_view text);
    bool WriteLong(std::int32_t value);
    bool WriteDouble(double value);
    bool WriteAngle(double value);
    bool WriteFloat(float value);
    bool WriteVector(float x, float y, float z);
    bool WriteVector(const Vector3f& v) { return WriteVector(v.x, v.y, v.z); }
    bool WritePoint(double x, double y);
    bool WriteLongPair(std::int32_t a, std::int32_t b);

    // List blocks.
    bool WriteVectorList(std::span<const Vector3f> vectors);
    bool WritePolyline(std::span<const Point2d> points);
    bool WriteDoubleArray(std::span<const double> values);

    // Readers.
    bool ReadLine(std::string& line);
    bool ReadFirstToken(std::string& token);
    bool ReadTextToken(std::string& token);
    bool ReadTokenList(std::size_t count, std::vector<std::string>& tokens);
    // Searches forward only: a keyword already passed is not found again.
    bool FindKey(std::string_view key);
    bool ReadString(std::string& text);
    bool ReadDouble(double& value);
    bool ReadFloat(float& value);
    bool ReadInt(std::int32_t& value);
    bool ReadPoint(double& x, double& y);
    bool ReadIntPair(std::int32_t& a, std::int32_t& b);
    bool ReadVector(float& x, float& y, float& z);
    bool ReadVector(Vector3f& v) { return ReadVector(v.x, v.y, v.z); }

    // `vectors` is replaced only on success.
    bool ReadVectorList(std::vector<Vector3f>& vectors);
    // Appends the points; on failure the polyline is emptied. Files older than version 2.4 stored
    // plan coordinates at half scale, so their points are doubled.
    bool ReadPolyline(std::vector<Point2d>& points);
    // Appends the values; on failure the array is emptied.
    bool ReadDoubleArray(std::vector<double>& values);

private:
    bool WriteLine(const std::string& line);
    bool ReadTokenLine(std::size_t count);
    bool ReadListCount(std::string_view beginKey, std::int32_t& count);

    int m_state = kClosed;
    double m_fileVersion = 0.0;
    std::unique_ptr<fs::InputFile> m_input;
    std::unique_ptr<fs::LineReader> m_reader;
    std::unique_ptr<fs::OutputFile> m_output;
    std::string m_line;                     // the line last read
    std::string m_out;                      // the line being written
    std::vector<std::string_view> m_split;  // tokens of m_line
};

}  // namespace roamer::dsg
