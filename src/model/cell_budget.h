#pragma once

#include <cstddef>

namespace roamer::model {

// How many refinement cells one design may still make. A design names its refinement scale
// itself, so a tiny scale over a large surface could ask for more cells than memory holds; a
// polygon whose grid does not fit in what is left is shown whole instead.
class CellBudget {
public:
    static constexpr std::size_t kDesignCells = 400000;

    explicit CellBudget(std::size_t cells = kDesignCells) : m_remaining(cells) {}

    // Takes `cells` when they fit. `cells` is an estimate in double so that absurd grids
    // compare without overflow.
    bool Take(double cells) {
        if (!(cells >= 0.0) || cells > static_cast<double>(m_remaining)) return false;
        m_remaining -= static_cast<std::size_t>(cells);
        return true;
    }
    std::size_t Remaining() const { return m_remaining; }

private:
    std::size_t m_remaining;
};

}  // namespace roamer::model
