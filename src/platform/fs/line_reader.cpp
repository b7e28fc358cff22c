#include "platform/fs/line_reader.h"

namespace roamer::fs {

LineReader::LineReader(InputFile& file, std::size_t maxLine)
    : m_file(file), m_maxLine(maxLine), m_buffer(new char[kBlockSize + 1]) {}

bool LineReader::Fill() {
    if (m_failed) return false;
    const long n = m_file.Read(m_buffer.get(), kBlockSize);
    if (n < 0) m_failed = true;
    if (n <= 0) return false;
    m_count = static_cast<std::size_t>(n);
    m_position = 0;
    return true;
}

bool LineReader::ReadLine(std::string& line) {
    line.clear();
    m_cut = false;
    bool gotText = false;
    for (;;) {
        if (m_position >= m_count && !Fill()) return gotText;
        const char* data = m_buffer.get();
        if (m_afterCarriageReturn) {
            m_afterCarriageReturn = false;
            if (data[m_position] == '\n') {
                ++m_position;
                continue;
            }
        }
        std::size_t end = m_position;
        while (end < m_count && data[end] != '\r' && data[end] != '\n') ++end;
        const std::size_t room = m_maxLine > line.size() ? m_maxLine - line.size() : 0;
        const std::size_t length = end - m_position;
        line.append(data + m_position, length < room ? length : room);
        if (length > room) m_cut = true;
        if (end == m_count) {
            gotText = gotText || end > m_position;
            m_position = end;
            continue;
        }
        m_afterCarriageReturn = data[end] == '\r';
        m_position = end + 1;
        return true;
    }
}

}  // namespace roamer::fs
