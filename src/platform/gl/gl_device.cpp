#include "platform/gl/gl_device.h"

#include <epoxy/gl.h>

#include <cstring>

#include "platform/gl/scene_renderer.h"
#include "platform/rm/viewport.h"

namespace roamer::gl {
namespace {

// Errors left in the context by other drawing (the window toolkit shares it) are not ours: each
// operation reports only what it caused. Bounded, as a lost context may repeat its error.
void ForgetEarlierErrors() {
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

bool HasUsableContext() {
    // Without a current context the dispatch answers null instead of a version.
    if (glGetString(GL_VERSION) == nullptr || !epoxy_is_desktop_gl()) {
        return false;
    }
    return epoxy_gl_version() >= 33;
}

void MakeColorTexture(int width, int height, GLuint* texture) {
    glGenTextures(1, texture);
    glBindTexture(GL_TEXTURE_2D, *texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

}  // namespace

GlDevice::GlDevice(int width, int height, double scale)
    : m_width(width),
      m_height(height),
      m_scale(scale),
      m_pixelWidth(rm::DevicePixels(width, scale)),
      m_pixelHeight(rm::DevicePixels(height, scale)) {}

GlDevice::PixelRectangle GlDevice::DeviceRectangle(const rm::Viewport& viewport) const {
    // Both edges are rounded, so viewports side by side still meet.
    const int left = rm::DevicePixels(viewport.GetX(), m_scale);
    const int right = rm::DevicePixels(viewport.GetX() + viewport.GetWidth(), m_scale);
    const int top = rm::DevicePixels(viewport.GetY(), m_scale);
    const int bottom = rm::DevicePixels(viewport.GetY() + viewport.GetHeight(), m_scale);
    return {left, m_pixelHeight - bottom, right - left, bottom - top};
}

GlDevice::~GlDevice() {
    m_renderer.reset();
    glDeleteFramebuffers(1, &m_backFramebuffer);
    glDeleteFramebuffers(1, &m_frontFramebuffer);
    glDeleteTextures(1, &m_backColor);
    glDeleteTextures(1, &m_frontColor);
    glDeleteRenderbuffers(1, &m_depthStencil);
}

rm::Status GlDevice::Create(int width, int height, std::unique_ptr<GlDevice>* device,
                            double pixelScale) {
    if (device == nullptr || !(pixelScale >= 1.0 && pixelScale <= 4.0)) {
        return rm::D3DRMERR_BADVALUE;
    }
    if (!HasUsableContext()) {
        return rm::D3DRMERR_BADDEVICE;
    }
    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    if (width < 1 || height < 1 || rm::DevicePixels(width, pixelScale) > largest ||
        rm::DevicePixels(height, pixelScale) > largest) {
        return rm::D3DRMERR_BADVALUE;
    }
    std::unique_ptr<GlDevice> made(new GlDevice(width, height, pixelScale));
    if (!made->CreateBuffers()) {
        return rm::D3DRMERR_BADDEVICE;
    }
    made->m_renderer = SceneRenderer::Create();
    if (made->m_renderer == nullptr) {
        return rm::D3DRMERR_BADDEVICE;
    }
    *device = std::move(made);
    return rm::D3DRM_OK;
}

bool GlDevice::CreateBuffers() {
    MakeColorTexture(m_pixelWidth, m_pixelHeight, &m_backColor);
    MakeColorTexture(m_pixelWidth, m_pixelHeight, &m_frontColor);
    glGenRenderbuffers(1, &m_depthStencil);
    glBindRenderbuffer(GL_RENDERBUFFER, m_depthStencil);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, m_pixelWidth, m_pixelHeight);

    glGenFramebuffers(1, &m_backFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, m_backFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_backColor, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              m_depthStencil);
    const bool backComplete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;

    glGenFramebuffers(1, &m_frontFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, m_frontFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_frontColor, 0);
    const bool frontComplete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return backComplete && frontComplete;
}

rm::Status GlDevice::Clear(const rm::Viewport& viewport) {
    ForgetEarlierErrors();
    if (viewport.GetDevice() != this) {
        return rm::D3DRMERR_BADDEVICE;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, m_backFramebuffer);
    glEnable(GL_SCISSOR_TEST);
    // Our rows run from the top; OpenGL's from the bottom.
    const PixelRectangle area = DeviceRectangle(viewport);
    glScissor(area.x, area.y, area.width, area.height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glClearStencil(0);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFF);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    return glGetError() == GL_NO_ERROR ? rm::D3DRM_OK : rm::D3DRMERR_BADDEVICE;
}

rm::Status GlDevice::Render(const rm::Viewport& viewport, const rm::Frame& scene) {
    ForgetEarlierErrors();
    if (viewport.GetDevice() != this) {
        return rm::D3DRMERR_BADDEVICE;
    }
    if (viewport.GetCamera() == nullptr) {
        return rm::D3DRMERR_BADOBJECT;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, m_backFramebuffer);
    const PixelRectangle area = DeviceRectangle(viewport);
    glViewport(area.x, area.y, area.width, area.height);
    m_renderer->Draw(*this, viewport, scene);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return glGetError() == GL_NO_ERROR ? rm::D3DRM_OK : rm::D3DRMERR_BADDEVICE;
}

rm::Status GlDevice::Update() {
    ForgetEarlierErrors();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_backFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_frontFramebuffer);
    glBlitFramebuffer(0, 0, m_pixelWidth, m_pixelHeight, 0, 0, m_pixelWidth, m_pixelHeight,
                      GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return glGetError() == GL_NO_ERROR ? rm::D3DRM_OK : rm::D3DRMERR_BADDEVICE;
}

rm::Status GlDevice::PresentTo(unsigned framebuffer, int width, int height) {
    ForgetEarlierErrors();
    if (width < 1 || height < 1) {
        return rm::D3DRMERR_BADVALUE;
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_frontFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    glBlitFramebuffer(0, 0, m_pixelWidth, m_pixelHeight, 0, 0, width, height, GL_COLOR_BUFFER_BIT,
                      GL_LINEAR);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    return glGetError() == GL_NO_ERROR ? rm::D3DRM_OK : rm::D3DRMERR_BADDEVICE;
}

rm::Status GlDevice::ClearWindow(unsigned framebuffer, int width, int height) {
    ForgetEarlierErrors();
    if (!HasUsableContext()) return rm::D3DRMERR_BADDEVICE;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, width, height);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    return glGetError() == GL_NO_ERROR ? rm::D3DRM_OK : rm::D3DRMERR_BADDEVICE;
}

rm::Status GlDevice::ReadFramebuffer(unsigned framebuffer, rm::Picture* picture) {
    ForgetEarlierErrors();
    if (picture == nullptr) {
        return rm::D3DRMERR_BADVALUE;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(m_pixelWidth) * 4u;
    // Read straight into the picture (a picture read before keeps its storage) and turn the rows
    // over in place: a still frame reads the device several times in a row.
    picture->width = m_pixelWidth;
    picture->height = m_pixelHeight;
    picture->rgba.resize(rowBytes * static_cast<std::size_t>(m_pixelHeight));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, m_pixelWidth, m_pixelHeight, GL_RGBA, GL_UNSIGNED_BYTE, picture->rgba.data());
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    m_rowScratch.resize(rowBytes);
    for (int top = 0, bottom = m_pixelHeight - 1; top < bottom; ++top, --bottom) {
        std::uint8_t* upper = &picture->rgba[static_cast<std::size_t>(top) * rowBytes];
        std::uint8_t* lower = &picture->rgba[static_cast<std::size_t>(bottom) * rowBytes];
        std::memcpy(m_rowScratch.data(), upper, rowBytes);
        std::memcpy(upper, lower, rowBytes);
        std::memcpy(lower, m_rowScratch.data(), rowBytes);
    }
    // The picture is 24-bit colour; blending leaves meaningless values in alpha.
    for (std::size_t at = 3; at < picture->rgba.size(); at += 4) {
        picture->rgba[at] = 255;
    }
    return glGetError() == GL_NO_ERROR ? rm::D3DRM_OK : rm::D3DRMERR_BADDEVICE;
}

rm::Status GlDevice::ReadBackBuffer(rm::Picture* picture) {
    return ReadFramebuffer(m_backFramebuffer, picture);
}

rm::Status GlDevice::ReadFrontBuffer(rm::Picture* picture) {
    return ReadFramebuffer(m_frontFramebuffer, picture);
}

rm::Status GlDevice::WriteBackBuffer(const rm::Picture& picture) {
    ForgetEarlierErrors();
    const std::size_t rowBytes = static_cast<std::size_t>(m_pixelWidth) * 4u;
    if (picture.width != m_pixelWidth || picture.height != m_pixelHeight ||
        picture.rgba.size() != rowBytes * static_cast<std::size_t>(m_pixelHeight)) {
        return rm::D3DRMERR_BADVALUE;
    }
    // Each row goes straight to its place counted from the bottom: no turned-over copy needed.
    glBindTexture(GL_TEXTURE_2D, m_backColor);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int row = 0; row < m_pixelHeight; ++row) {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, m_pixelHeight - 1 - row, m_pixelWidth, 1, GL_RGBA,
                        GL_UNSIGNED_BYTE, &picture.rgba[static_cast<std::size_t>(row) * rowBytes]);
    }
    return glGetError() == GL_NO_ERROR ? rm::D3DRM_OK : rm::D3DRMERR_BADDEVICE;
}

}  // namespace roamer::gl
