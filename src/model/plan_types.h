#pragma once

#include <cstddef>
#include <vector>

namespace roamer::model {

// A point of the plan, in plan units.
struct CPlanPoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const CPlanPoint&) const = default;
};

// The plan outline of a wall, floor or ceiling, in order.
class CPolyLine {
public:
    CPolyLine() = default;
    explicit CPolyLine(std::vector<CPlanPoint> points) : m_points(std::move(points)) {}

    int GetCount() const { return static_cast<int>(m_points.size()); }
    // Null outside 0..count-1.
    const CPlanPoint* GetAt(int index) const {
        if (index < 0 || index >= GetCount()) return nullptr;
        return &m_points[static_cast<std::size_t>(index)];
    }
    void Add(CPlanPoint point) { m_points.push_back(point); }
    const std::vector<CPlanPoint>& Points() const { return m_points; }

private:
    std::vector<CPlanPoint> m_points;
};

// The division lines of a wall face: kept and saved, used for nothing else.
class CDoubleArray {
public:
    CDoubleArray() = default;
    explicit CDoubleArray(std::vector<double> values) : m_values(std::move(values)) {}
    int GetCount() const { return static_cast<int>(m_values.size()); }
    const std::vector<double>& Values() const { return m_values; }

private:
    std::vector<double> m_values;
};

}  // namespace roamer::model
