// Plane classification and refinement of face objects into grid cells.
#include <cmath>

#include "model/cell_budget.h"
#include "model/face_obj.h"
#include "model/sorted_value_set.h"

namespace roamer::model {
namespace {

constexpr const char* kFaceTypeError = "Error: CFaceObj::GetFaceType()!";

// How a plane type lays its two in-plane axes and its plane coordinate onto x, y, z.
struct PlaneAxes {
    int a;  // 0 = x, 1 = y, 2 = z
    int b;
    int plane;
    bool bAscending;
    rm::Vector3 cellYNormal;
    rm::Vector3 cellZNormal;
};

PlaneAxes AxesOf(int faceType) {
    switch (faceType) {
        case 1: return {1, 2, 0, true, {0, 1, 0}, {-1, 0, 0}};
        case 2: return {1, 0, 2, true, {0, 1, 0}, {0, 0, 1}};
        case 3: return {1, 2, 0, false, {0, 1, 0}, {1, 0, 0}};
        case 4: return {1, 0, 2, false, {0, 1, 0}, {0, 0, -1}};
        case 5: return {2, 0, 1, true, {0, 0, 1}, {0, -1, 0}};
        default: return {2, 0, 1, false, {0, 0, 1}, {0, 1, 0}};
    }
}

float Component(const rm::Vector3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

void SetComponent(rm::Vector3& v, int axis, float value) {
    (axis == 0 ? v.x : axis == 1 ? v.y : v.z) = value;
}

// The largest multiple of s strictly below v.
double MultipleBelow(double v, double s) {
    if (v >= 0.0) {
        double t = std::trunc(v / s) * s;
        if (t == v) t -= s;
        return t;
    }
    return std::trunc(v / s - 1.0) * s;
}

// The smallest multiple of s strictly above v.
double MultipleAbove(double v, double s) {
    if (v >= 0.0) return std::trunc(v / s + 1.0) * s;
    double t = std::trunc(v / s) * s;
    if (t == v) t += s;
    return t;
}

// The boundaries from `start` to `end` (both included) with the inner ones on multiples of s.
// False when float precision cannot separate the boundaries (the grid would never end).
bool Boundaries(float start, float end, double s, bool ascending, std::vector<float>& out) {
    out.clear();
    out.push_back(start);
    const double startD = start;
    float next = static_cast<float>(ascending ? MultipleAbove(startD, s) : MultipleBelow(startD, s));
    while (ascending ? next < end : next > end) {
        if (ascending ? !(next > out.back()) : !(next < out.back())) return false;
        out.push_back(next);
        const double stepped = ascending ? static_cast<double>(next) + s : static_cast<double>(next) - s;
        next = static_cast<float>(stepped);
    }
    out.push_back(end);
    return true;
}

// Hands over the values of an edge set that lie strictly between x and y, in the set's order
// or in reverse; the first and last values of the set are corners of the bounding rectangle and
// never handed over. The range is found by bisection, so long edges cost only what they add.
template <typename Add>
void Between(const SortedValueSet& set, float x, float y, bool reverse, Add add) {
    int first = 0, last = 0;
    set.RangeBetween(x, y, first, last);
    if (first < 1) first = 1;
    if (last > set.Count() - 1) last = set.Count() - 1;
    if (reverse)
        for (int i = last - 1; i >= first; --i) add(set.Get(i));
    else
        for (int i = first; i < last; ++i) add(set.Get(i));
}

// More vertices than any room surface has: such a polygon is shown whole rather than cut,
// which would take time growing with the square of its vertex count.
constexpr std::size_t kMaxRefineVertices = 4096;

}  // namespace

int CFaceObj::GetFaceType(Host& host) const {
    const rm::Vector3 n = m_zNormal;
    if (n.x == -1.0f) return 1;
    if (n.z == 1.0f) return 2;
    if (n.x == 1.0f) return 3;
    if (n.z == -1.0f) return 4;
    if (n.y == -1.0f) return 5;
    if (n.y == 1.0f) return 6;
    host.ShowMessage(kFaceTypeError);
    return 0;
}

rm::Status CFaceObj::Refine(float scale, Host& host, CellBudget& budget) {
    if (m_type == kCell) return rm::D3DRM_OK;
    if (m_type == kPolygon) return RefinePolygon(scale, host, budget);
    m_isRefine = 1;
    m_refineScale = scale;
    if (m_type != kGroup) return rm::D3DRM_OK;
    for (auto& polygon : m_subFaces) {
        // The new cells take the polygon's mapping, so it is set again after the cut.
        const float offsetU = polygon->m_offsetU, offsetV = polygon->m_offsetV;
        const float scaleU = polygon->m_scaleU, scaleV = polygon->m_scaleV;
        const rm::Vector3 origin = polygon->m_origin;
        polygon->Refine(scale, host, budget);
        polygon->SetOffset(offsetU, offsetV);
        polygon->SetScale(scaleU, scaleV);
        polygon->SetOrigin(origin);
    }
    return rm::D3DRM_OK;
}

rm::Status CFaceObj::RefinePolygon(float scale, Host& host, CellBudget& budget) {
    m_refineScale = scale;
    m_isRefine = 1;
    ReleaseRenderObjects();
    m_subFaces.clear();
    m_refinedToNothing = false;

    const int faceType = GetFaceType(host);
    if (faceType == 0) {
        m_refinedToNothing = true;
        return rm::D3DRM_OK;
    }
    if (m_vertices.empty() || m_vertices.size() > kMaxRefineVertices) return rm::D3DRM_OK;
    for (const rm::Vector3& v : m_vertices)
        if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) return rm::D3DRM_OK;
    const PlaneAxes axes = AxesOf(faceType);

    SortedValueSet setA(m_vertices.size(), false);
    SortedValueSet setB(m_vertices.size(), axes.bAscending);
    for (const rm::Vector3& v : m_vertices) {
        setA.Insert(Component(v, axes.a));
        setB.Insert(Component(v, axes.b));
    }
    const float a0 = setA.First(), a1 = setA.Last();
    const float b0 = setB.First(), b1 = setB.Last();
    const float p = Component(m_vertices.front(), axes.plane);

    const auto countB = static_cast<std::size_t>(setB.Count());
    const auto countA = static_cast<std::size_t>(setA.Count());
    SortedValueSet edgeA0(countB, axes.bAscending), edgeA1(countB, axes.bAscending);
    SortedValueSet edgeB0(countA, false), edgeB1(countA, false);
    for (const rm::Vector3& v : m_vertices) {
        const float va = Component(v, axes.a), vb = Component(v, axes.b);
        if (va == a0)
            edgeA0.Insert(vb);
        else if (va == a1)
            edgeA1.Insert(vb);
        if (vb == b0)
            edgeB0.Insert(va);
        else if (vb == b1)
            edgeB1.Insert(va);
    }

    // A polygon whose grid cannot be made (a scale that is no size, coordinates beyond float
    // precision, or more cells than the design may have) is shown whole instead.
    const double s = scale;
    if (!(s > 0.0) || !std::isfinite(s)) return rm::D3DRM_OK;
    const double estimate = (std::fabs(static_cast<double>(a0) - a1) / s + 2.0) *
                            (std::fabs(static_cast<double>(b0) - b1) / s + 2.0);
    if (!budget.Take(estimate)) return rm::D3DRM_OK;
    std::vector<float> rows, columns;
    if (!Boundaries(a0, a1, s, false, rows) || !Boundaries(b0, b1, s, axes.bAscending, columns))
        return rm::D3DRM_OK;

    const auto point = [&](float a, float b) {
        rm::Vector3 v;
        SetComponent(v, axes.a, a);
        SetComponent(v, axes.b, b);
        SetComponent(v, axes.plane, p);
        return v;
    };
    const std::size_t rowCount = rows.size() - 1, columnCount = columns.size() - 1;
    for (std::size_t r = 0; r < rowCount; ++r) {
        const float aS = rows[r], aE = rows[r + 1];
        for (std::size_t c = 0; c < columnCount; ++c) {
            const float bS = columns[c], bE = columns[c + 1];
            const bool firstRow = r == 0, lastRow = r + 1 == rowCount;
            const bool firstColumn = c == 0, lastColumn = c + 1 == columnCount;
            std::vector<rm::Vector3> cell;
            cell.push_back(point(aS, bS));
            if (firstRow)
                Between(edgeA0, bS, bE, false, [&](float b) { cell.push_back(point(aS, b)); });
            cell.push_back(point(aS, bE));
            if (lastColumn)
                Between(edgeB1, aE, aS, false, [&](float a) { cell.push_back(point(a, bE)); });
            cell.push_back(point(aE, bE));
            if (lastRow)
                Between(edgeA1, bS, bE, true, [&](float b) { cell.push_back(point(aE, b)); });
            cell.push_back(point(aE, bS));
            if (firstColumn)
                Between(edgeB0, aE, aS, true, [&](float a) { cell.push_back(point(a, bS)); });

            auto face = std::make_unique<CFaceObj>(m_d3drm, kCell);
            face->m_isRefine = 1;
            face->m_refineScale = scale;
            face->m_vertices = std::move(cell);
            face->m_yNormal = axes.cellYNormal;
            face->m_zNormal = axes.cellZNormal;
            m_subFaces.push_back(std::move(face));
        }
    }
    return rm::D3DRM_OK;
}

}  // namespace roamer::model
