#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/host.h"
#include "platform/progress.h"
#include "platform/rm/device.h"
#include "platform/rm/frame.h"
#include "platform/rm/light.h"
#include "platform/rm/retained_mode.h"
#include "platform/rm/viewport.h"
#include "render/device_state.h"
#include "render/driver_table.h"
#include "render/still_frame_buffers.h"
#include "platform/rm/render_surface.h"

namespace roamer::render {

// The one object through which the program draws its scene. It owns the 3D objects: the
// retained-mode object, the device and viewport for the surface it draws on, the scene frame,
// the parent camera frame (where the viewer stands and faces) with the camera frame inside it
// (the tilt), and the scene's ambient light. The device is made again when the surface changes
// size; its settings are carried over.
//
// Every operation returns 0, a platform status passed through, or one of the engine's own
// codes (engine_status.h).
class RenderEngine {
public:
    // Messages go to `host`; `progress` is the engine's progress window (none shown at first).
    RenderEngine(Host& host, std::unique_ptr<Progress> progress);
    ~RenderEngine();
    RenderEngine(const RenderEngine&) = delete;
    RenderEngine& operator=(const RenderEngine&) = delete;

    // Life cycle. `surface` is what the engine draws for; it must outlive the engine's use of it
    // (until Cleanup). The full-screen mode of old is never used.
    std::int32_t Init(rm::RenderSurface* surface, int width, int height, bool preferHardware);
    std::int32_t Resize(int width, int height);
    std::int32_t Render();
    std::int32_t Cleanup();

    // The anti-aliased still: `passes` renders with the projection window shifted by fractions
    // of a pixel, averaged and shown. Once per still: an ordinary Render re-arms it.
    std::int32_t SmoothFrame(int passes);

    // Settings and queries.
    std::int32_t SetAmbientLight(float red, float green, float blue);
    std::int32_t SetAmbientColor(rm::Color color);
    std::int32_t SetDither(bool on);
    std::int32_t SetQuality(rm::RenderQuality quality);
    std::int32_t SetTextureQuality(rm::TextureQuality quality);
    std::int32_t SetViewPlane(float left, float right, float bottom, float top);
    std::int32_t GetViewPlane(float* left, float* right, float* bottom, float* top) const;
    std::int32_t SetUniformScaling(bool on);
    std::int32_t Pick(int x, int y, std::vector<rm::PickHit>* picked) const;
    bool IsHardwareDriver() const;
    std::int32_t GetScene(rm::Frame** frame) const;
    rm::RetainedMode* GetD3DRM() const { return m_lpD3DRM.get(); }

    // The viewer: the parent camera frame stands and turns on the floor plan, the camera frame
    // inside it tilts. Each shows its message on failure.
    std::int32_t SetCameraOrientation(float dx, float dy, float dz, float ux, float uy, float uz);
    std::int32_t SetParentCameraPosition(float x, float y, float z);
    std::int32_t GetParentCameraPosition(rm::Vector3* position);
    std::int32_t SetParentCameraOrientation(float dx, float dy, float dz, float ux, float uy,
                                            float uz);

    bool IsInitialized() const { return m_initialized; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetWindowDepth() const { return m_windowDepth; }
    const rm::DisplayMode& GetDisplay() const { return m_display; }
    const DriverTable& GetDriverTable() const { return m_driverTable; }
    const DeviceState& GetDeviceState() const { return m_deviceState; }
    int GetTextureFormatCount() const { return m_textureFormatCount; }
    rm::Device* GetDevice() const { return m_lpRMDevice.get(); }
    rm::Viewport* GetViewport() const { return m_lpRMView.get(); }
    rm::Frame* GetCameraFrame() const { return m_lpRMCamera; }
    rm::Frame* GetParentCameraFrame() const { return m_lpRMParentCamera; }
    const std::shared_ptr<rm::Light>& GetAmbientLight() const { return m_lpRMAmbient; }
    Progress& GetProgress() { return *m_progress; }

private:
    std::int32_t CreateDevice();
    std::int32_t CreateView();
    std::int32_t ReadDeviceState();
    std::int32_t DrawScene();
    void ReleaseObjects();
    std::int32_t ShowFailure(std::int32_t status, const char* message);

    Host& m_host;
    std::unique_ptr<rm::RetainedMode> m_lpD3DRM;
    std::unique_ptr<rm::Frame> m_lpRMScene;
    rm::Frame* m_lpRMParentCamera = nullptr;  // owned by the scene frame
    rm::Frame* m_lpRMCamera = nullptr;        // owned by the parent camera frame
    std::unique_ptr<rm::Device> m_lpRMDevice;
    std::unique_ptr<rm::Viewport> m_lpRMView;
    rm::RenderSurface* m_window = nullptr;
    // The display the surface is shown on, and the surface bound for drawing (the device's).
    rm::RenderSurface* m_lpDD = nullptr;
    rm::RenderSurface* m_lpDDClipper = nullptr;
    int m_width = 0;
    int m_height = 0;
    rm::DisplayMode m_display;
    int m_windowDepth = 0;
    bool m_preferHardware = false;
    bool m_fullScreen = false;
    DeviceState m_deviceState;
    DriverTable m_driverTable;
    int m_textureFormatCount = 0;
    bool m_initialized = false;
    std::shared_ptr<rm::Light> m_lpRMAmbient;
    bool m_smoothed = false;
    StillFrameBuffers m_still;
    std::unique_ptr<Progress> m_progress;
};

}  // namespace roamer::render
