#include "platform/rm/retained_mode.h"

#include "platform/rm/device.h"

namespace roamer::rm {

Status RetainedMode::CreateFrame(Frame* parent, Frame** frame) const {
    if (parent == nullptr || frame == nullptr) {
        return D3DRMERR_BADVALUE;
    }
    *frame = parent->CreateChild();
    return D3DRM_OK;
}

std::shared_ptr<MeshBuilder> RetainedMode::CreateMeshBuilder() const {
    return std::make_shared<MeshBuilder>();
}

std::shared_ptr<Face> RetainedMode::CreateFace() const { return std::make_shared<Face>(); }

Status RetainedMode::CreateLight(LightType type, Color color,
                                 std::shared_ptr<Light>* light) const {
    if (light == nullptr || !IsValidLightType(type)) {
        return D3DRMERR_BADVALUE;
    }
    *light = std::make_shared<Light>(type, color);
    return D3DRM_OK;
}

Status RetainedMode::CreateLightRGB(LightType type, float red, float green, float blue,
                                    std::shared_ptr<Light>* light) const {
    return CreateLight(type, CreateColorRGB(red, green, blue), light);
}

Status RetainedMode::LoadTexture(const std::string& path,
                                 std::shared_ptr<Texture>* texture) const {
    return Texture::Load(path, texture);
}

Status RetainedMode::CreateWrap(WrapType type, const Frame* /*reference*/, float ox, float oy,
                                float oz, float dx, float dy, float dz, float ux, float uy,
                                float uz, float ou, float ov, float su, float sv,
                                std::unique_ptr<Wrap>* wrap) const {
    return Wrap::Create(type, {ox, oy, oz}, {dx, dy, dz}, {ux, uy, uz}, ou, ov, su, sv, wrap);
}

Status RetainedMode::CreateShadow(std::shared_ptr<Visual> visual, std::shared_ptr<Light> light,
                                  float px, float py, float pz, float nx, float ny, float nz,
                                  std::shared_ptr<Shadow>* shadow) const {
    return Shadow::Create(std::move(visual), std::move(light), {px, py, pz}, {nx, ny, nz},
                          shadow);
}

Status RetainedMode::CreateViewport(Device* device, Frame* camera, int x, int y, int width,
                                    int height, std::unique_ptr<Viewport>* viewport) const {
    if (viewport == nullptr || width < 1 || height < 1) {
        return D3DRMERR_BADVALUE;
    }
    if (device == nullptr) {
        return D3DRMERR_BADDEVICE;
    }
    if (camera == nullptr) {
        return D3DRMERR_BADOBJECT;
    }
    if (x < 0 || y < 0 || x + width > device->GetWidth() || y + height > device->GetHeight()) {
        return D3DRMERR_BADVALUE;
    }
    *viewport = std::make_unique<Viewport>(device, camera, x, y, width, height);
    return D3DRM_OK;
}

Status RetainedMode::SetDefaultTextureColors(std::uint32_t colors) {
    if (colors < 2) {
        return D3DRMERR_BADVALUE;
    }
    m_defaultTextureColors = colors;
    return D3DRM_OK;
}

Status RetainedMode::SetDefaultTextureShades(std::uint32_t shades) {
    if (shades < 1) {
        return D3DRMERR_BADVALUE;
    }
    m_defaultTextureShades = shades;
    return D3DRM_OK;
}

}  // namespace roamer::rm
