#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/rm/color.h"
#include "platform/rm/face.h"
#include "platform/rm/frame.h"
#include "platform/rm/light.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/shadow.h"
#include "platform/rm/status.h"
#include "platform/rm/texture.h"
#include "platform/rm/viewport.h"
#include "platform/rm/wrap.h"

namespace roamer::rm {

// The object that makes the others, the way the render engine asks for them.
class RetainedMode {
public:
    // A frame without parent: the scene.
    std::unique_ptr<Frame> CreateScene() const { return std::make_unique<Frame>(); }
    // A child of `parent`, owned by it.
    Status CreateFrame(Frame* parent, Frame** frame) const;
    std::shared_ptr<MeshBuilder> CreateMeshBuilder() const;
    // A face that belongs to no mesh yet.
    std::shared_ptr<Face> CreateFace() const;
    // D3DRMERR_BADVALUE for a type outside 0..4.
    Status CreateLight(LightType type, Color color, std::shared_ptr<Light>* light) const;
    Status CreateLightRGB(LightType type, float red, float green, float blue,
                          std::shared_ptr<Light>* light) const;
    Status LoadTexture(const std::string& path, std::shared_ptr<Texture>* texture) const;
    // The reference frame names the coordinates of origin and axes; the face vertices a wrap is
    // applied to are taken in those same coordinates.
    Status CreateWrap(WrapType type, const Frame* reference, float ox, float oy, float oz,
                      float dx, float dy, float dz, float ux, float uy, float uz, float ou,
                      float ov, float su, float sv, std::unique_ptr<Wrap>* wrap) const;
    Status CreateShadow(std::shared_ptr<Visual> visual, std::shared_ptr<Light> light, float px,
                        float py, float pz, float nx, float ny, float nz,
                        std::shared_ptr<Shadow>* shadow) const;
    Status CreateViewport(Device* device, Frame* camera, int x, int y, int width, int height,
                          std::unique_ptr<Viewport>* viewport) const;

    // Kept for the render engine to read back; 8-bit colour needs no palette budget.
    Status SetDefaultTextureColors(std::uint32_t colors);
    std::uint32_t GetDefaultTextureColors() const { return m_defaultTextureColors; }
    Status SetDefaultTextureShades(std::uint32_t shades);
    std::uint32_t GetDefaultTextureShades() const { return m_defaultTextureShades; }

private:
    std::uint32_t m_defaultTextureColors = 8;
    std::uint32_t m_defaultTextureShades = 16;
};

}  // namespace roamer::rm
