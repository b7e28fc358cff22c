#include "model/plant.h"

#include "model/furniture.h"
#include "render/angles.h"

namespace roamer::model {
namespace {

constexpr const char* kNoImage = "GetImage() Error!class:CPlant";
constexpr const char* kTooLarge = "檔案太大";
constexpr const char* kTooSmall = "檔案太小";
constexpr const char* kNotPowerOfTwo = "檔案大小非2的冪次方";
constexpr const char* kTextureError = "Texture ERROR in class:CPlant!";
constexpr int kBadPicture = -5002;

bool IsAllowedSide(int side) {
    return side == 32 || side == 64 || side == 128 || side == 256 || side == 512;
}

}  // namespace

CPlant::CPlant(rm::RetainedMode& d3drm, rm::Frame* parentFrame)
    : m_d3drm(d3drm), m_parentFrame(parentFrame) {
    d3drm.CreateFrame(parentFrame, &m_frame);
}

CPlant::~CPlant() {
    if (m_frame && m_parentFrame) m_parentFrame->DeleteChild(m_frame);
}

int CPlant::BuildPicture(const PlantKey& key, const std::shared_ptr<rm::Texture>& texture,
                         Host& host) {
    m_key = key;
    if (!texture) {
        host.ShowMessage(kNoImage);
        return kBadPicture;
    }
    texture->SetDecalTransparentColor(0);
    texture->SetDecalTransparency(true);
    const rm::Image& image = texture->GetImage();
    const int width = image.width, height = image.height;
    if (width <= 0 || height <= 0 || image.rgba.empty()) {
        host.ShowMessage(kNoImage);
        return kBadPicture;
    }
    if (width > 512 || height > 512) {
        host.ShowMessage(kTooLarge);
        return kBadPicture;
    }
    if (width < 32 || height < 32) {
        host.ShowMessage(kTooSmall);
        return kBadPicture;
    }
    if (!IsAllowedSide(width) || !IsAllowedSide(height)) {
        host.ShowMessage(kNotPowerOfTwo);
        return kBadPicture;
    }
    m_pictureWidth = width / 8;
    m_pictureHeight = height / 4;

    m_mesh = m_d3drm.CreateMeshBuilder();
    m_mesh->SetPerspective(true);
    const auto h = static_cast<float>(m_pictureWidth / 2.0);
    const auto bottom = static_cast<float>(m_baseHeight);
    const auto top = static_cast<float>(m_baseHeight + m_pictureHeight / 2.0);
    // Two quads along the diagonals of the square, crossing at the frame's origin; each made
    // twice, once per side, so the picture shows from both.
    const rm::Vector3 corners[4] = {{h, 0, h}, {-h, 0, -h}, {h, 0, -h}, {-h, 0, h}};
    for (int quad = 0; quad < 2; ++quad) {
        const rm::Vector3 a = corners[2 * quad], b = corners[2 * quad + 1];
        for (int side = 0; side < 2; ++side) {
            const rm::Vector3 p = side == 0 ? a : b, q = side == 0 ? b : a;
            auto face = m_d3drm.CreateFace();
            face->AddVertex(p.x, bottom, p.z);
            face->AddVertex(q.x, bottom, q.z);
            face->AddVertex(q.x, top, q.z);
            face->AddVertex(p.x, top, p.z);
            m_mesh->AddFace(face);
        }
    }
    for (const auto& face : m_mesh->Faces()) {
        if (rm::Failed(face->SetTexture(texture))) host.ShowMessage(kTextureError);
        if (face->GetVertexCount() < 3 || !face->GetTexture()) continue;
        rm::Vector3 c0, c1, c2, normal, unused;
        face->GetVertex(0, &c0, &unused);
        face->GetVertex(1, &c1, &unused);
        face->GetVertex(2, &c2, &unused);
        face->GetNormal(&normal);
        const rm::Vector3 up = c1 - c2;
        std::unique_ptr<rm::Wrap> wrap;
        if (rm::Succeeded(m_d3drm.CreateWrap(rm::D3DRMWRAP_FLAT, m_frame, c0.x, c0.y, c0.z,
                                             normal.x, normal.y, normal.z, up.x, up.y, up.z,
                                             0.0f, 0.0f, 1.0f / rm::VectorLength(c1 - c0),
                                             1.0f / rm::VectorLength(c2 - c1), &wrap)))
            wrap->Apply(*face);
    }
    return 0;
}

void CPlant::TakePicture(const PlantKey& key, double pictureWidth, double pictureHeight,
                         std::shared_ptr<rm::MeshBuilder> mesh) {
    m_key = key;
    m_pictureWidth = pictureWidth;
    m_pictureHeight = pictureHeight;
    m_mesh = std::move(mesh);
}

void CPlant::Attach() {
    if (m_frame && m_mesh) m_frame->AddVisual(m_mesh);
    UserWidth = UserDepth = 2.0 * m_pictureWidth;
    UserHeight = m_pictureHeight;
    UserColor = UserColour{};
}

void CPlant::SetPosition(rm::Vector3 position) {
    m_position = position;
    if (m_frame) m_frame->SetPosition(m_parentFrame, position.x, position.y, position.z);
}

void CPlant::SetFaceAngleXZ(double a) {
    m_faceAngleXZ = render::NormalizeHeading(a);
    if (m_frame)
        m_frame->SetOrientation(m_parentFrame, render::HeadingDirection(m_faceAngleXZ),
                                {0.0f, 1.0f, 0.0f});
}

void CPlant::SetUserSize(double width, double depth, double height) {
    UserWidth = width;
    UserDepth = depth;
    UserHeight = height;
    if (!m_mesh) return;
    m_mesh->Scale(ScaleFactor(width, 2.0 * m_pictureWidth), ScaleFactor(height, m_pictureHeight),
                  ScaleFactor(depth, 2.0 * m_pictureWidth));
}

void CPlant::ApplyUserAlpha(const UserColour& colour) {
    UserColor = colour;
    if (!m_mesh) return;
    const std::uint32_t alpha = ClampChannel(colour.alpha);
    for (const auto& face : m_mesh->Faces()) {
        const rm::Color c = face->GetColor();
        face->SetColor((c & 0x00FFFFFFu) | (alpha << 24));
    }
}

}  // namespace roamer::model
