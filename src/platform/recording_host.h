#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/host.h"

namespace roamer {

// A host without a window: it keeps every message to be reported later. The tools use it to
// report what the player would show; the tests use it to check what was shown.
class RecordingHost : public Host {
public:
    void ShowMessage(std::string_view text) override { m_messages.emplace_back(text); }
    void BeginWaitCursor() override { ++m_waitDepth; }
    void EndWaitCursor() override { --m_waitDepth; }

    const std::vector<std::string>& Messages() const { return m_messages; }
    void AddMessage(std::string text) { m_messages.push_back(std::move(text)); }
    // Zero when every wait cursor that was shown has been hidden again.
    int WaitDepth() const { return m_waitDepth; }

private:
    std::vector<std::string> m_messages;
    int m_waitDepth = 0;
};

}  // namespace roamer
