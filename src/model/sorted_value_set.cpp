#include "model/sorted_value_set.h"

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

float SortedValueSet::Get(int index) const {
    if (index < 0 || index >= Count()) return 0.0f;
    return m_values[static_cast<std::size_t>(index)];
}

}  // namespace roamer::model
