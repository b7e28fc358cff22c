#pragma once

#include <string_view>

namespace roamer {

// What the application asks of the window system. The player's window layer implements it with
// real dialogs; the tools and the tests give their own (recording messages, scripted answers).
// Every text is UTF-8.
class Host {
public:
    virtual ~Host() = default;

    enum class Answer { kYes, kNo, kCancel };

    // A modal message box with one OK button.
    virtual void ShowMessage(std::string_view text) = 0;
    // A modal question with Yes and No buttons (and Cancel when asked for).
    virtual Answer Ask(std::string_view text, std::string_view caption, bool withCancel) = 0;
    // The wait cursor during long work; calls nest.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
};

}  // namespace roamer
