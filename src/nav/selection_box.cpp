#include "nav/selection_box.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace roamer::nav {
namespace {

// The eight corners of a regular octagon around d whose sides lie at distance w from the axis.
std::vector<rm::Vector3> Ring(rm::Vector3 d, float w) {
    rm::Vector3 u;
    if (d.y == 0.0f && d.z == 0.0f) {
        u = {0.0f, 0.0f, 1.0f};
    } else if (d.y == 0.0f) {
        u = {0.0f, 1.0f, 0.0f};
    } else {
        const float r = d.z / d.y;
        const float c = std::sqrt(1.0f / (r * r + 1.0f));
        u = {0.0f, -r * c, c};
    }
    rm::Vector3 v = rm::CrossProduct(d, u);
    u = u * w;
    v = v * w;
    const float t = static_cast<float>(std::sqrt(2.0) / (2.0 * (std::sqrt(2.0) / 2.0 + 1.0)));
    return {u + t * v, t * u + v, -t * u + v, -u + t * v,
            -u - t * v, -t * u - v, t * u - v, u - t * v};
}

// A closed octagonal prism (tube) from a to b, or a cone with its apex at b.
void AddTube(rm::MeshBuilder& mesh, rm::Vector3 a, rm::Vector3 b, float w, bool cone) {
    const rm::Vector3 d = rm::VectorNormalize(b - a);
    if (rm::IsZero(d)) return;
    const std::vector<rm::Vector3> ring = Ring(d, w);
    std::vector<rm::Vector3> vertices;
    std::vector<rm::Vector3> normals;
    for (const rm::Vector3& c : ring) {
        vertices.push_back(a + c);
        normals.push_back(rm::VectorNormalize(c));
    }
    if (cone) {
        vertices.push_back(b);
    } else {
        for (const rm::Vector3& c : ring) vertices.push_back(b + c);
    }
    normals.push_back(d);
    normals.push_back(-d);
    const auto endNormal = static_cast<std::uint32_t>(ring.size());  // d
    const std::uint32_t startNormal = endNormal + 1;                 // -d
    std::vector<std::uint32_t> data;
    // Start cap, seen from behind a (towards -d).
    data.push_back(8);
    for (std::uint32_t k = 0; k < 8; ++k) {
        data.push_back(k);
        data.push_back(startNormal);
    }
    for (std::uint32_t k = 0; k < 8; ++k) {
        const std::uint32_t next = (k + 1) % 8;
        if (cone) {
            data.insert(data.end(), {3, next, next, k, k, 8, k});
        } else {
            data.insert(data.end(), {4, next, next, k, k, 8 + k, k, 8 + next, next});
        }
    }
    if (!cone) {
        data.push_back(8);
        for (std::uint32_t k = 8; k-- > 0;) {
            data.push_back(8 + k);
            data.push_back(endNormal);
        }
    }
    data.push_back(0);
    mesh.AddFaces(vertices, normals, data);
}

}  // namespace

SelectionBox::~SelectionBox() { Detach(); }

void SelectionBox::Detach() {
    if (m_marker && m_frame != nullptr) m_frame->DeleteVisual(m_marker.get());
    m_marker.reset();
    m_frame = nullptr;
}

void SelectionBox::BuildMarker(rm::MeshBuilder& mesh, const rm::Box& box, int axisMode) {
    mesh.SetPerspective(true);
    const float x0 = box.min.x, y0 = box.min.y, z0 = box.min.z;
    const float x1 = box.max.x, y1 = box.max.y, z1 = box.max.z;
    if (axisMode >= 1 && axisMode <= 3) {
        rm::Vector3 axis;
        float m = 0.0f;
        if (axisMode == 1) axis = {1, 0, 0}, m = x1 + 1.0f;
        if (axisMode == 2) axis = {0, 1, 0}, m = y1 + 1.0f;
        if (axisMode == 3) axis = {0, 0, 1}, m = z1 + 1.0f;
        AddTube(mesh, {}, axis * m, kTubeRadius, false);
        AddTube(mesh, axis * m, axis * (m + 4.0f), 1.2f, true);
    }
    const rm::Vector3 edges[12][2] = {
        {{x0, y0, z0}, {x0, y1, z0}}, {{x0, y1, z0}, {x1, y1, z0}}, {{x1, y1, z0}, {x1, y0, z0}},
        {{x1, y0, z0}, {x0, y0, z0}}, {{x0, y0, z0}, {x0, y0, z1}}, {{x0, y0, z1}, {x1, y0, z1}},
        {{x1, y0, z1}, {x1, y1, z1}}, {{x1, y1, z1}, {x0, y1, z1}}, {{x0, y1, z1}, {x0, y0, z1}},
        {{x0, y1, z1}, {x0, y1, z0}}, {{x1, y1, z1}, {x1, y1, z0}}, {{x1, y0, z1}, {x1, y0, z0}}};
    for (const auto& edge : edges) AddTube(mesh, edge[0], edge[1], kTubeRadius, false);
    mesh.SetColor(kColour);
}

void SelectionBox::ShowBox(rm::Frame* frame, const rm::Box& box, int axisMode) {
    Detach();
    if (frame == nullptr) return;
    auto marker = std::make_shared<rm::MeshBuilder>();
    BuildMarker(*marker, box, axisMode);
    frame->AddVisual(marker);
    m_marker = std::move(marker);
    m_frame = frame;
    m_engine.Render();
}

void SelectionBox::HideBox() {
    Detach();
    m_engine.Render();
}

}  // namespace roamer::nav
