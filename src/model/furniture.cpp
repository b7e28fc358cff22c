#include "model/furniture.h"

#include <cmath>

#include "render/angles.h"

namespace roamer::model {

CFurniture::CFurniture(rm::RetainedMode& d3drm, rm::Frame* parentFrame)
    : m_parentFrame(parentFrame) {
    d3drm.CreateFrame(parentFrame, &m_frame);
    if (m_frame) d3drm.CreateFrame(m_frame, &m_modelFrame);
    SetAngleXZ(0.0);
    SetAngleYZ(0.0);
}

CFurniture::~CFurniture() {
    if (m_frame && m_parentFrame) m_parentFrame->DeleteChild(m_frame);
}

float ScaleFactor(double wanted, double present) {
    const auto factor = static_cast<float>(static_cast<float>(wanted) / static_cast<float>(present));
    return std::isfinite(factor) ? factor : 1.0f;
}

void CFurniture::SetModel(std::shared_ptr<rm::MeshBuilder> mesh, const FurnitureKey& key) {
    m_mesh = std::move(mesh);
    rm::Box box;
    m_mesh->GetBox(&box);
    if (m_modelFrame) m_modelFrame->AddVisual(m_mesh);
    m_key = key;
    m_modelWidth = 2.0 * static_cast<double>(box.max.x - box.min.x);
    m_modelDepth = 2.0 * static_cast<double>(box.max.z - box.min.z);
    m_modelHeight = 2.0 * static_cast<double>(box.max.y - box.min.y);
    if (key.FurnitureTypeID != kUncentredTypes[0] && key.FurnitureTypeID != kUncentredTypes[1]) {
        m_mesh->GetBox(&box);
        m_mesh->Translate(-(box.min.x + box.max.x) / 2.0f, -0.0f, -(box.min.z + box.max.z) / 2.0f);
    }
    UserWidth = m_modelWidth;
    UserDepth = m_modelDepth;
    UserHeight = m_modelHeight;
    UserColor = UserColour{};
}

void CFurniture::SetMirrorModel(std::shared_ptr<rm::MeshBuilder> mesh, const FurnitureKey& key) {
    m_mesh = std::move(mesh);
    m_key = key;
    if (m_modelFrame && m_mesh) m_modelFrame->AddVisual(m_mesh);
}

void CFurniture::SetPosition(rm::Vector3 position) {
    m_position = position;
    if (m_frame) m_frame->SetPosition(m_parentFrame, position.x, position.y, position.z);
}

void CFurniture::SetAngleXZ(double a) {
    m_angleXZ = render::NormalizeHeading(a);
    if (m_frame)
        m_frame->SetOrientation(m_parentFrame, render::HeadingDirection(m_angleXZ),
                                {0.0f, 1.0f, 0.0f});
}

void CFurniture::SetAngleYZ(double b) {
    m_angleYZ = render::NormalizeTilt(b);
    if (m_modelFrame)
        m_modelFrame->SetOrientation(m_frame, render::TiltDirection(m_angleYZ),
                                     render::TiltUp(m_angleYZ));
}

void CFurniture::SetUserSize(double width, double depth, double height) {
    UserWidth = width;
    UserDepth = depth;
    UserHeight = height;
    if (!m_mesh) return;
    m_mesh->Scale(ScaleFactor(width, m_modelWidth), ScaleFactor(height, m_modelHeight),
                  ScaleFactor(depth, m_modelDepth));
}

void CFurniture::ApplyUserColour(const UserColour& colour) {
    UserColor = colour;
    if (!m_mesh) return;
    const std::uint32_t packed = colour.Packed();
    const double alphaScale = static_cast<double>(colour.alpha) / 255.0;
    for (const auto& face : m_mesh->Faces()) {
        const rm::Color c = face->GetColor();
        const double alpha = std::trunc(static_cast<double>(rm::AlphaByte(c)) * alphaScale + 0.5);
        const std::uint32_t a = !(alpha > 0.0) ? 0u : alpha >= 255.0 ? 255u : static_cast<std::uint32_t>(alpha);
        face->SetColor(rm::MakeColor(a, rm::RedByte(c) & (packed & 0xFFu),
                                     rm::GreenByte(c) & ((packed >> 8) & 0xFFu),
                                     rm::BlueByte(c) & ((packed >> 16) & 0xFFu)));
    }
}

}  // namespace roamer::model
