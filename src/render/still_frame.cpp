// The anti-aliased still shown when a walk halts at a recorded stop: the scene is drawn several
// times with the projection window shifted by fractions of a pixel and the pictures averaged.
#include "render/engine_status.h"
#include "render/error_text.h"
#include "render/frame_accumulator.h"
#include "render/render_engine.h"

namespace roamer::render {
namespace {

// The device's pictures are 8-bit RGBA; the accumulator takes each pixel as 0x00RRGGBB.
constexpr PixelLayout kPacked{0xFF0000u, 0x00FF00u, 0x0000FFu, 4};
constexpr std::int32_t kCopyFailed = 1;
constexpr std::int32_t kInvalidArgument = static_cast<std::int32_t>(0x80070057u);

void PackPicture(const rm::Picture& picture, std::vector<std::uint8_t>& packed) {
    const std::size_t pixels = picture.rgba.size() / 4;
    packed.resize(pixels * 4);
    for (std::size_t i = 0; i < pixels; ++i) {
        packed[i * 4 + 0] = picture.rgba[i * 4 + 2];  // blue in the low byte
        packed[i * 4 + 1] = picture.rgba[i * 4 + 1];
        packed[i * 4 + 2] = picture.rgba[i * 4 + 0];
        packed[i * 4 + 3] = 0;
    }
}

void UnpackPicture(const std::vector<std::uint8_t>& packed, rm::Picture& picture) {
    const std::size_t pixels = packed.size() / 4;
    picture.rgba.resize(pixels * 4);
    for (std::size_t i = 0; i < pixels; ++i) {
        picture.rgba[i * 4 + 0] = packed[i * 4 + 2];
        picture.rgba[i * 4 + 1] = packed[i * 4 + 1];
        picture.rgba[i * 4 + 2] = packed[i * 4 + 0];
        picture.rgba[i * 4 + 3] = 255;
    }
}

// Puts the projection window back however the smoothing ends.
class ViewPlaneRestorer {
public:
    ViewPlaneRestorer(RenderEngine& engine, float l, float r, float b, float t)
        : m_engine(engine), m_l(l), m_r(r), m_b(b), m_t(t) {}
    ~ViewPlaneRestorer() { m_engine.SetViewPlane(m_l, m_r, m_b, m_t); }
    ViewPlaneRestorer(const ViewPlaneRestorer&) = delete;
    ViewPlaneRestorer& operator=(const ViewPlaneRestorer&) = delete;

private:
    RenderEngine& m_engine;
    float m_l, m_r, m_b, m_t;
};

}  // namespace

std::int32_t RenderEngine::SmoothFrame(int passes) {
    if (!m_lpRMDevice) return rm::D3DRMERR_BADDEVICE;
    if (m_smoothed) return 0;
    m_smoothed = true;
    if (m_window != nullptr) m_window->MakeCurrent();

    float l = 0, r = 0, b = 0, t = 0;
    if (std::int32_t s = GetViewPlane(&l, &r, &b, &t); s != 0) return s;
    // The jitter moves by fractions of the pixels drawn: device pixels on a dense screen.
    const int width = m_lpRMDevice->GetPixelWidth();
    const int height = m_lpRMDevice->GetPixelHeight();
    if (width < 1 || height < 1) return kCopyFailed;
    ViewPlaneRestorer restore(*this, l, r, b, t);
    const double px = (static_cast<double>(l) - r) / width;
    const double py = (static_cast<double>(b) - t) / height;

    // Pass counts without a jitter table have no offsets to draw with.
    const std::span<const JitterOffset> jitter = JitterTable(passes);
    if (jitter.empty()) return rm::D3DRMERR_BADVALUE;

    if (!m_still.accumulator || m_still.accumulator->Width() != width ||
        m_still.accumulator->Height() != height) {
        m_still.accumulator = std::make_unique<FrameAccumulator>(width, height, kPacked);
    } else {
        m_still.accumulator->Reset();
    }
    FrameAccumulator& accumulator = *m_still.accumulator;
    rm::Picture& picture = m_still.picture;
    std::vector<std::uint8_t>& packed = m_still.packed;
    const std::size_t pitch = static_cast<std::size_t>(width) * 4;
    for (const JitterOffset& offset : jitter) {
        SetViewPlane(static_cast<float>(l + px * offset.x), static_cast<float>(r + px * offset.x),
                     static_cast<float>(b + py * offset.y), static_cast<float>(t + py * offset.y));
        if (m_initialized) {
            if (std::int32_t s = m_lpRMView->Clear(); s < 0)
                return ShowFailure(s, "m_lpRMView->Clear() fail!");
            // A scene the viewport finds nothing to draw in still gives a picture.
            if (std::int32_t s = m_lpRMView->Render(*m_lpRMScene);
                s < 0 && s != rm::D3DRMERR_BADVALUE)
                return ShowFailure(s, "m_lpRMView->Render() fail!");
        }
        m_lpRMDevice->Update();
        if (m_lpRMDevice->ReadBackBuffer(&picture) < 0 || picture.width != width ||
            picture.height != height)
            return kCopyFailed;
        PackPicture(picture, packed);
        if (!accumulator.Accumulate(packed.data(), pitch)) {
            m_host.ShowMessage(ErrorText(kInvalidArgument));
            return kInvalidArgument;
        }
    }
    accumulator.Average(passes, packed.data(), pitch);
    UnpackPicture(packed, picture);
    if (m_lpRMDevice->WriteBackBuffer(picture) < 0) return kCopyFailed;
    if (std::int32_t s = m_lpRMDevice->Update(); s < 0)
        return ShowFailure(s, "m_lpRMDevice->Update() fail!");
    return 0;
}

}  // namespace roamer::render
