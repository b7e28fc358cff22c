#pragma once

#include <memory>

#include "platform/rm/box.h"
#include "platform/rm/frame.h"
#include "platform/rm/mesh_builder.h"
#include "render/render_engine.h"

namespace roamer::nav {

// The marker of the edit selection: a wire box around the selected model with an arrow above
// it, attached to the model's frame so that it follows every move and turn of the object.
class SelectionBox {
public:
    static constexpr rm::Color kColour = 0xFFFFC832u;
    static constexpr float kTubeRadius = 0.4f;

    explicit SelectionBox(render::RenderEngine& engine) : m_engine(engine) {}
    ~SelectionBox();
    SelectionBox(const SelectionBox&) = delete;
    SelectionBox& operator=(const SelectionBox&) = delete;

    // Replaces any marker by one around `box` (in `frame`'s coordinates), with an arrow along
    // x, y or z for axis mode 1, 2 or 3, and renders.
    void ShowBox(rm::Frame* frame, const rm::Box& box, int axisMode);
    void HideBox();
    bool IsShown() const { return m_marker != nullptr; }
    rm::Frame* GetFrame() const { return m_frame; }
    const std::shared_ptr<rm::MeshBuilder>& GetMarker() const { return m_marker; }

    // The marker's geometry, built into `mesh`.
    static void BuildMarker(rm::MeshBuilder& mesh, const rm::Box& box, int axisMode);

private:
    void Detach();

    render::RenderEngine& m_engine;
    rm::Frame* m_frame = nullptr;
    std::shared_ptr<rm::MeshBuilder> m_marker;
};

}  // namespace roamer::nav
