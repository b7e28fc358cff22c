#include "model/sorted_value_set.h"

#include <algorithm>
#include <functional>

namespace roamer::model {

SortedValueSet::SortedValueSet(std::size_t capacity, bool ascending)
    : m_capacity(capacity), m_ascending(ascending) {
    m_values.reserve(capacity);
}

bool SortedValueSet::Insert(float value) {
    std::size_t at = m_values.size();
    for (std::size_t i = 0; i < m_values.size(); ++i) {
        if (m_values[i] == value) return true;
        if (Before(value, m_values[i])) {
            at = i;
            break;
        }
    }
    if (m_values.size() >= m_capacity) return false;
    m_values.insert(m_values.begin() + static_cast<std::ptrdiff_t>(at), value);
    return true;
}

void SortedValueSet::RangeBetween(float x, float y, int& first, int& last) const {
    const float lo = x < y ? x : y;
    const float hi = x < y ? y : x;
    const auto begin = m_values.begin(), end = m_values.end();
    std::vector<float>::const_iterator from, to;
    if (m_ascending) {
        from = std::upper_bound(begin, end, lo);
        to = std::lower_bound(begin, end, hi);
    } else {
        from = std::upper_bound(begin, end, hi, std::greater<float>());
        to = std::lower_bound(begin, end, lo, std::greater<float>());
    }
    first = static_cast<int>(from - begin);
    last = static_cast<int>(to - begin);
    if (last < first) last = first;
}

float SortedValueSet::Get(int index) const {
    if (index < 0 || index >= Count()) return 0.0f;
    return m_values[static_cast<std::size_t>(index)];
}

}  // namespace roamer::model
