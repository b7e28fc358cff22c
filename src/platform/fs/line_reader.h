#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/fs/input_file.h"

namespace roamer::fs {

// Splits a file into lines. A line ends at CR, LF or CR LF, so files written on Windows, on old
// Macs and on Linux all read alike, and a last line without an end is read too. The file is read
// in blocks of 65,535 bytes. A line longer than the reader's limit is cut at the limit (the rest
// of it is skipped), so a file without line ends cannot make the reader hold the whole file.
class LineReader {
public:
    static constexpr std::size_t kBlockSize = 65535;
    // Far beyond any line our files hold, small enough to keep memory in bounds.
    static constexpr std::size_t kDefaultMaxLine = 1 << 20;

    explicit LineReader(InputFile& file, std::size_t maxLine = kDefaultMaxLine);

    // The next line without its end; false when no line is left or the file cannot be read.
    bool ReadLine(std::string& line);
    // The line last read was longer than the limit and has been cut.
    bool LineWasCut() const { return m_cut; }
    // A read error (as opposed to the end of the file) ended the reading.
    bool Failed() const { return m_failed; }

private:
    bool Fill();

    InputFile& m_file;
    std::size_t m_maxLine;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_count = 0;
    std::size_t m_position = 0;
    bool m_afterCarriageReturn = false;  // a LF right after a CR belongs to the same line end
    bool m_failed = false;
    bool m_cut = false;
};

}  // namespace roamer::fs
