#pragma once

#include <string_view>

namespace roamer {

// The progress window of a long piece of work (reading a design). Every move of the bar also
// lets the window system handle pending events, so the program stays responsive.
class Progress {
public:
    virtual ~Progress() = default;

    // Whether the window is shown; the readers report only to a shown window.
    virtual bool HasWindow() const = 0;
    virtual void SetMessage(std::string_view text) = 0;
    virtual void SetRange(int lower, int upper) = 0;
    virtual void SetStep(int step) = 0;
    virtual void SetPos(int position) = 0;
    virtual void OffsetPos(int delta) = 0;
    virtual void StepIt() = 0;
    // Closes the window if one is shown; a windowless progress has nothing to close.
    virtual void Close() {}
};

}  // namespace roamer
