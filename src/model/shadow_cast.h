#pragma once

#include <memory>

#include "platform/rm/retained_mode.h"
#include "render/scene_light.h"

namespace roamer::model {

// The shadow an object casts while it casts one: the shadow visual, the frame that shows it and
// the light of the design it comes from (kept so that saving can name the light again).
class CShadowCast {
public:
    void Attach(rm::Frame* frame, std::shared_ptr<rm::Shadow> shadow, const render::CLight* light) {
        Detach();
        m_frame = frame;
        m_shadow = std::move(shadow);
        m_light = light;
        if (m_frame != nullptr && m_shadow) m_frame->AddVisual(m_shadow);
    }
    // Takes the shadow out of its frame. Not done on destruction: the object's frame, and the
    // visual with it, are gone by then.
    void Detach() {
        if (m_frame != nullptr && m_shadow) m_frame->DeleteVisual(m_shadow.get());
        m_frame = nullptr;
        m_shadow.reset();
        m_light = nullptr;
    }
    bool IsShown() const { return m_shadow != nullptr; }
    const render::CLight* GetLight() const { return m_light; }
    const std::shared_ptr<rm::Shadow>& GetVisual() const { return m_shadow; }

private:
    rm::Frame* m_frame = nullptr;
    std::shared_ptr<rm::Shadow> m_shadow;
    const render::CLight* m_light = nullptr;
};

}  // namespace roamer::model
