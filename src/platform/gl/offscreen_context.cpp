#include "platform/gl/offscreen_context.h"

#include <epoxy/egl.h>

namespace roamer::gl {

OffscreenContext::~OffscreenContext() {
    const auto display = static_cast<EGLDisplay>(m_display);
    if (display == EGL_NO_DISPLAY) {
        return;
    }
    if (m_context != nullptr) {
        if (eglGetCurrentContext() == static_cast<EGLContext>(m_context)) {
            eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        }
        eglDestroyContext(display, static_cast<EGLContext>(m_context));
    }
    eglTerminate(display);
}

rm::Status OffscreenContext::Create(std::unique_ptr<OffscreenContext>* context) {
    if (context == nullptr) {
        return rm::D3DRMERR_BADVALUE;
    }
    std::unique_ptr<OffscreenContext> made(new OffscreenContext);
    if (!epoxy_has_egl_extension(EGL_NO_DISPLAY, "EGL_MESA_platform_surfaceless")) {
        return rm::D3DRMERR_BADDEVICE;
    }
    EGLDisplay display =
        eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY) {
        return rm::D3DRMERR_BADDEVICE;
    }
    EGLint major = 0;
    EGLint minor = 0;
    if (eglInitialize(display, &major, &minor) != EGL_TRUE) {
        return rm::D3DRMERR_BADDEVICE;
    }
    made->m_display = display;
    if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) {
        return rm::D3DRMERR_BADDEVICE;
    }
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 3,
                                 EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT, EGL_NONE};
    // Surfaceless: the device draws into framebuffer objects of its own, so no config is needed.
    EGLContext egl = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (egl == EGL_NO_CONTEXT) {
        return rm::D3DRMERR_BADDEVICE;
    }
    made->m_context = egl;
    if (const rm::Status status = made->MakeCurrent(); rm::Failed(status)) {
        return status;
    }
    *context = std::move(made);
    return rm::D3DRM_OK;
}

rm::Status OffscreenContext::MakeCurrent() {
    return eglMakeCurrent(static_cast<EGLDisplay>(m_display), EGL_NO_SURFACE, EGL_NO_SURFACE,
                          static_cast<EGLContext>(m_context)) == EGL_TRUE
               ? rm::D3DRM_OK
               : rm::D3DRMERR_BADDEVICE;
}

}  // namespace roamer::gl
