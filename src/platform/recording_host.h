#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host.h"

namespace roamer {

// A host without a window: it keeps every message to be reported later and answers questions
// from a script (Yes when the script is used up). The tools use it to report what the player
// would show; the tests use it to check what was shown.
class RecordingHost : public Host {
public:
    void ShowMessage(std::string_view text) override { m_messages.emplace_back(text); }
    Answer Ask(std::string_view text, std::string_view /*caption*/, bool /*withCancel*/) override {
        m_questions.emplace_back(text);
        if (m_answers.empty()) return m_defaultAnswer;
        const Answer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    void BeginWaitCursor() override { ++m_waitDepth; }
    void EndWaitCursor() override { --m_waitDepth; }

    const std::vector<std::string>& Messages() const { return m_messages; }
    const std::vector<std::string>& Questions() const { return m_questions; }
    // Answers for the next questions, in order; then `defaultAnswer` for every further one.
    void ScriptAnswers(std::deque<Answer> answers) { m_answers = std::move(answers); }
    void SetDefaultAnswer(Answer answer) { m_defaultAnswer = answer; }
    void AddMessage(std::string text) { m_messages.push_back(std::move(text)); }
    // Zero when every wait cursor that was shown has been hidden again.
    int WaitDepth() const { return m_waitDepth; }

private:
    std::vector<std::string> m_messages;
    std::vector<std::string> m_questions;
    std::deque<Answer> m_answers;
    Answer m_defaultAnswer = Answer::kYes;
    int m_waitDepth = 0;
};

}  // namespace roamer
