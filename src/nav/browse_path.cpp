#include "nav/browse_path.h"

namespace roamer::nav {

bool BrowsePath::Reset() {
    m_keyStrings.clear();
    m_cursor.reset();
    m_head.reset();
    m_tail.reset();
    return m_keyStrings.empty();
}

void BrowsePath::AddName(std::string_view name) { m_keyStrings.emplace_back(name); }

bool BrowsePath::MoveFirst() {
    m_cursor = m_keyStrings.empty() ? std::nullopt : std::optional<std::size_t>(0);
    return HasCurrent();
}

bool BrowsePath::MoveLast() {
    m_cursor = m_keyStrings.empty() ? std::nullopt
                                    : std::optional<std::size_t>(m_keyStrings.size() - 1);
    return HasCurrent();
}

NavCommand BrowsePath::NextCommand() {
    if (!m_cursor || *m_cursor >= m_keyStrings.size()) {
        m_cursor.reset();
        return CPS_TIME_STAMP;
    }
    const NavCommand code = CommandCode(m_keyStrings[*m_cursor]);
    if (++*m_cursor >= m_keyStrings.size()) m_cursor.reset();
    return code;
}

NavCommand BrowsePath::PreviousCommand() {
    if (!m_cursor || *m_cursor >= m_keyStrings.size()) {
        m_cursor.reset();
        return CPS_TIME_STAMP;
    }
    const NavCommand code = ReverseCommand(CommandCode(m_keyStrings[*m_cursor]));
    if (*m_cursor == 0)
        m_cursor.reset();
    else
        --*m_cursor;
    return code;
}

void BrowsePath::SetHeadPosition(const BrowseView& view) { m_head = view; }
void BrowsePath::SetTailPosition(const BrowseView& view) { m_tail = view; }

bool BrowsePath::GetHeadPosition(BrowseView& view) const {
    if (!m_head) return false;
    view = *m_head;
    return true;
}

bool BrowsePath::GetTailPosition(BrowseView& view) const {
    if (!m_tail) return false;
    view = *m_tail;
    return true;
}

}  // namespace roamer::nav
