#include "render/render_engine.h"

#include "render/engine_status.h"

namespace roamer::render {
namespace {

constexpr float kBackPlane = 5000.0f;
constexpr rm::RenderMode kRenderMode =
    rm::D3DRMRENDERMODE_BLENDEDTRANSPARENCY | rm::D3DRMRENDERMODE_SORTEDTRANSPARENCY;

// A progress that never shows a window.
class NoProgress final : public Progress {
public:
    bool HasWindow() const override { return false; }
    void SetMessage(std::string_view) override {}
    void SetRange(int, int) override {}
    void SetStep(int) override {}
    void SetPos(int) override {}
    void OffsetPos(int) override {}
    void StepIt() override {}
};

}  // namespace

RenderEngine::RenderEngine(Host& host, std::unique_ptr<Progress> progress)
    : m_host(host),
      m_progress(progress ? std::move(progress) : std::make_unique<NoProgress>()) {}

RenderEngine::~RenderEngine() {
    m_progress->Close();
    // The device and viewport hold drawing resources of the surface's context.
    if (m_lpRMDevice && m_window != nullptr) m_window->MakeCurrent();
    m_lpRMView.reset();
    m_lpRMDevice.reset();
}

std::int32_t RenderEngine::Init(rm::RenderSurface* surface, int width, int height,
                                bool preferHardware) {
    if (surface == nullptr) return kNoWindow;
    if (width < 1) return kBadWidth;
    if (height < 1) return kBadHeight;
    // A retry after a failed start begins from nothing: no object of the failed one stays.
    ReleaseObjects();
    m_window = surface;
    m_width = width;
    m_height = height;
    m_preferHardware = preferHardware;
    m_fullScreen = false;

    m_windowDepth = surface->GetDepth();
    m_driverTable.windowDepth = m_windowDepth;

    // The display and its drawing context.
    if (!surface->MakeCurrent()) return kNoDisplay;
    m_lpDD = surface;
    if (!m_lpDD->GetDisplayMode(&m_display)) return kNoDisplay;

    m_driverTable.count = 0;
    m_driverTable.Record(surface->EnumerateDrivers());
    if (m_driverTable.count == 0) return kNoDriver;
    m_driverTable.current = 0;

    m_lpD3DRM = std::make_unique<rm::RetainedMode>();
    m_lpRMScene = m_lpD3DRM->CreateScene();
    if (std::int32_t s = m_lpD3DRM->CreateFrame(m_lpRMScene.get(), &m_lpRMParentCamera); s < 0)
        return s;
    if (std::int32_t s = m_lpD3DRM->CreateFrame(m_lpRMParentCamera, &m_lpRMCamera); s < 0)
        return s;

    SetAmbientLight(0.5f, 0.5f, 0.5f);

    if (std::int32_t s = CreateDevice(); s != 0) return s;
    if (std::int32_t s = CreateView(); s != 0) return s;
    m_initialized = true;
    return 0;
}

std::int32_t RenderEngine::CreateDevice() {
    if (m_window == nullptr) return kNoWindow;
    m_still = {};  // sized for the device that is going
    m_lpDDClipper = m_window;
    m_driverTable.Choose(m_preferHardware);
    const DriverRecord* driver = m_driverTable.Current();
    if (driver == nullptr) return kNoDriver;

    std::unique_ptr<rm::Device> device;
    if (std::int32_t s = m_window->CreateDevice(driver->description, m_width, m_height, &device);
        s < 0)
        return s;
    if (!device) return rm::D3DRMERR_BADDEVICE;
    m_lpRMDevice = std::move(device);

    // Shades by the window's colour depth; their statuses do not matter.
    switch (m_windowDepth) {
        case 1:
            m_lpRMDevice->SetShades(4);
            m_lpD3DRM->SetDefaultTextureShades(4);
            break;
        case 16:
            m_lpRMDevice->SetShades(32);
            m_lpD3DRM->SetDefaultTextureColors(64);
            m_lpD3DRM->SetDefaultTextureShades(32);
            break;
        case 24:
        case 32:
            m_lpRMDevice->SetShades(256);
            m_lpD3DRM->SetDefaultTextureColors(64);
            m_lpD3DRM->SetDefaultTextureShades(256);
            break;
        default:
            break;
    }
    m_lpRMDevice->SetRenderMode(kRenderMode);
    ReadDeviceState();

    if (driver->doesTextures) {
        m_textureFormatCount = 0;
        for (int i = 0; i < driver->description.textureFormats && m_textureFormatCount < 20; ++i)
            ++m_textureFormatCount;
    }
    return 0;
}

std::int32_t RenderEngine::ReadDeviceState() {
    m_deviceState.dither = m_lpRMDevice->GetDither();
    m_deviceState.shades = m_lpRMDevice->GetShades();
    m_deviceState.ReadQuality(m_lpRMDevice->GetQuality());
    return 0;
}

std::int32_t RenderEngine::CreateView() {
    std::unique_ptr<rm::Viewport> view;
    if (std::int32_t s = m_lpD3DRM->CreateViewport(m_lpRMDevice.get(), m_lpRMCamera, 0, 0,
                                                     m_width, m_height, &view);
        s < 0)
        return s;
    if (!view) return rm::D3DRMERR_BADVALUE;
    m_lpRMView = std::move(view);
    return m_lpRMView->SetBack(kBackPlane);
}

std::int32_t RenderEngine::Resize(int width, int height) {
    m_progress->Close();
    if (width <= 0) return kBadWidth;
    if (height <= 0) return kBadHeight;
    if (!m_lpD3DRM) return kNoD3DRM;
    if (m_lpDDClipper == nullptr) return kNoClipper;

    m_initialized = false;
    const int oldWidth = m_width;
    const int oldHeight = m_height;
    m_width = width;
    m_height = height;

    m_window->MakeCurrent();
    m_lpRMView.reset();
    m_lpRMDevice.reset();

    const DriverRecord* driver = m_driverTable.Current();
    std::unique_ptr<rm::Device> device;
    std::int32_t status = driver == nullptr ? kNoDriver
                                            : m_window->CreateDevice(driver->description, width,
                                                                     height, &device);
    if (status >= 0 && !device) status = rm::D3DRMERR_BADDEVICE;
    if (status < 0) {
        m_width = oldWidth;
        m_height = oldHeight;
        return status;
    }
    m_lpRMDevice = std::move(device);
    m_lpRMDevice->SetRenderMode(kRenderMode);
    m_lpRMDevice->SetShades(m_deviceState.shades);
    m_lpRMDevice->SetDither(m_deviceState.dither);
    m_lpRMDevice->SetQuality(m_deviceState.Quality());

    std::unique_ptr<rm::Viewport> view;
    status = m_lpD3DRM->CreateViewport(m_lpRMDevice.get(), m_lpRMCamera, 0, 0, width, height,
                                       &view);
    if (status >= 0 && !view) status = rm::D3DRMERR_BADVALUE;
    if (status < 0) {
        m_width = oldWidth;
        m_height = oldHeight;
        return status;
    }
    m_lpRMView = std::move(view);
    if (std::int32_t s = m_lpRMView->SetBack(kBackPlane); s < 0) return s;
    m_initialized = true;
    return 0;
}

std::int32_t RenderEngine::ShowFailure(std::int32_t status, const char* message) {
    m_host.ShowMessage(message);
    return status;
}

// Clear and draw into the back buffer without presenting it.
std::int32_t RenderEngine::DrawScene() {
    if (std::int32_t s = m_lpRMView->Clear(); s < 0)
        return ShowFailure(s, "m_lpRMView->Clear() fail!");
    if (std::int32_t s = m_lpRMView->Render(*m_lpRMScene); s < 0)
        return ShowFailure(s, "m_lpRMView->Render() fail!");
    return 0;
}

std::int32_t RenderEngine::Render() {
    if (!m_lpRMView) return kNoViewport;
    if (!m_lpRMDevice) return kNoDevice;
    if (!m_lpRMScene) return kNoScene;
    if (!m_initialized) return 0;
    m_smoothed = false;
    m_window->MakeCurrent();
    if (std::int32_t s = DrawScene(); s != 0) return s;
    if (std::int32_t s = m_lpRMDevice->Update(); s < 0)
        return ShowFailure(s, "m_lpRMDevice->Update() fail!");
    return 0;
}

std::int32_t RenderEngine::Cleanup() {
    ReleaseObjects();
    return 0;
}

void RenderEngine::ReleaseObjects() {
    m_initialized = false;
    if (m_window != nullptr) m_window->MakeCurrent();
    if (m_lpRMAmbient) {
        if (m_lpRMScene) m_lpRMScene->DeleteLight(m_lpRMAmbient.get());
        m_lpRMAmbient.reset();
    }
    m_lpRMCamera = nullptr;
    m_lpRMParentCamera = nullptr;
    m_lpRMView.reset();
    m_lpRMScene.reset();
    m_lpRMDevice.reset();
    m_still = {};
    m_lpDDClipper = nullptr;
    m_lpD3DRM.reset();
    m_lpDD = nullptr;
}

std::int32_t RenderEngine::SetAmbientLight(float red, float green, float blue) {
    if (!m_lpD3DRM) return kNoD3DRM;
    if (m_lpRMAmbient) return m_lpRMAmbient->SetColorRGB(red, green, blue);
    std::shared_ptr<rm::Light> light;
    if (std::int32_t s = m_lpD3DRM->CreateLightRGB(rm::D3DRMLIGHT_AMBIENT, red, green, blue, &light);
        s < 0)
        return s;
    if (!m_lpRMScene) return kNoScene;
    if (std::int32_t s = m_lpRMScene->AddLight(light); s < 0) return s;
    m_lpRMAmbient = std::move(light);
    return 0;
}

std::int32_t RenderEngine::SetAmbientColor(rm::Color color) {
    if (!m_lpRMAmbient) return rm::D3DRMERR_BADOBJECT;
    return m_lpRMAmbient->SetColor(color);
}

std::int32_t RenderEngine::SetDither(bool on) {
    if (!m_lpRMDevice) return rm::D3DRMERR_BADDEVICE;
    const std::int32_t s = m_lpRMDevice->SetDither(on);
    m_deviceState.dither = on;
    return s;
}

std::int32_t RenderEngine::SetQuality(rm::RenderQuality quality) {
    if (!m_lpRMDevice) return kQualityWithoutDevice;
    const std::int32_t status = m_lpRMDevice->SetQuality(quality);
    m_deviceState.ReadQuality(m_lpRMDevice->GetQuality());
    SetTextureQuality(rm::D3DRMTEXTURE_LINEAR);
    return status;
}

std::int32_t RenderEngine::SetTextureQuality(rm::TextureQuality quality) {
    if (!m_lpRMDevice) return rm::D3DRMERR_BADDEVICE;
    return m_lpRMDevice->SetTextureQuality(quality);
}

std::int32_t RenderEngine::SetViewPlane(float left, float right, float bottom, float top) {
    if (!m_lpRMView) return kNoViewport;
    return m_lpRMView->SetPlane(left, right, bottom, top);
}

std::int32_t RenderEngine::GetViewPlane(float* left, float* right, float* bottom,
                                        float* top) const {
    if (!m_lpRMView) return kNoViewport;
    return m_lpRMView->GetPlane(left, right, bottom, top);
}

std::int32_t RenderEngine::SetUniformScaling(bool on) {
    if (!m_lpRMView) return kNoViewport;
    return m_lpRMView->SetUniformScaling(on);
}

std::int32_t RenderEngine::Pick(int x, int y, std::vector<rm::PickHit>* picked) const {
    if (!m_lpRMView) return kNoViewport;
    return m_lpRMView->Pick(x, y, picked);
}

bool RenderEngine::IsHardwareDriver() const {
    const DriverRecord* driver = m_driverTable.Current();
    return driver != nullptr && driver->isHardware;
}

std::int32_t RenderEngine::GetScene(rm::Frame** frame) const {
    if (frame != nullptr) *frame = m_lpRMScene.get();
    return 0;
}

}  // namespace roamer::render
