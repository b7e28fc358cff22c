#pragma once

#include <cstddef>
#include <vector>

namespace roamer::model {

// A bounded set of distinct floats kept in ascending or descending order. Refinement collects
// the grid's edges in it; the capacity is the polygon's vertex count, so it never grows beyond
// the input.
class SortedValueSet {
public:
    SortedValueSet(std::size_t capacity, bool ascending);

    // False when the set is full and `value` is new; an equal value already present is success.
    bool Insert(float value);
    float First() const { return Get(0); }
    float Last() const { return m_values.empty() ? 0.0f : m_values.back(); }
    // 0.0 outside 0..count-1.
    float Get(int index) const;
    int Count() const { return static_cast<int>(m_values.size()); }
    bool Ascending() const { return m_ascending; }
    const std::vector<float>& Values() const { return m_values; }
    // The indices [first, last) of the values lying strictly between x and y, in set order.
    void RangeBetween(float x, float y, int& first, int& last) const;
    // Whether `a` comes before `b` in this set's order.
    bool Before(float a, float b) const { return m_ascending ? a < b : a > b; }

private:
    std::size_t m_capacity;
    bool m_ascending;
    std::vector<float> m_values;
};

}  // namespace roamer::model
