#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dsg/tagged_text_file.h"
#include "nav/nav_command.h"

namespace roamer::nav {

// A viewer's place: eye point and view angles (radians).
struct BrowseView {
    dsg::Vector3f position;
    double heading = 0.0;
    double pitch = 0.0;
    bool operator==(const BrowseView&) const = default;
};

// One recorded walk through a design: the view at its start (head) and at its end (tail), and
// the navigation commands in between, stored by name, with a cursor for replaying them.
class BrowsePath {
public:
    // Empties the commands and forgets head and tail; returns whether the commands are empty.
    bool Reset();
    void AddName(std::string_view name);

    bool MoveFirst();
    bool MoveLast();
    // The command at the cursor; the cursor moves on to the next one (none after the last).
    NavCommand NextCommand();
    // The opposite of the command at the cursor; the cursor moves back (none before the first).
    NavCommand PreviousCommand();
    bool HasCurrent() const { return m_cursor.has_value(); }
    bool IsForward() const { return m_forward; }
    bool IsEmpty() const { return m_keyStrings.empty(); }
    std::size_t GetCount() const { return m_keyStrings.size(); }
    const std::vector<std::string>& KeyStrings() const { return m_keyStrings; }

    void SetHeadPosition(const BrowseView& view);
    void SetTailPosition(const BrowseView& view);
    bool GetHeadPosition(BrowseView& view) const;
    bool GetTailPosition(BrowseView& view) const;

    double GetPathParameter(int index) const { return m_parameters[index & 1]; }
    void SetPathParameters(double a, double b) { m_parameters[0] = a; m_parameters[1] = b; }

private:
    std::vector<std::string> m_keyStrings;
    std::optional<std::size_t> m_cursor;
    bool m_forward = true;
    std::optional<BrowseView> m_head;
    std::optional<BrowseView> m_tail;
    double m_parameters[2] = {2.0, 2.0};
};

}  // namespace roamer::nav
