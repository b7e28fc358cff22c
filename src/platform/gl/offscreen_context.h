#pragma once

#include <memory>

#include "platform/rm/status.h"

namespace roamer::gl {

// An OpenGL 3.3 core context without any window or display: EGL on Mesa's surfaceless platform
// (llvmpipe when there is no GPU). For the tools and the tests; the player draws in the context
// of its window instead.
class OffscreenContext {
public:
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    // Creates the context and makes it current; D3DRMERR_BADDEVICE when EGL or the context is
    // not available.
    static rm::Status Create(std::unique_ptr<OffscreenContext>* context);
    rm::Status MakeCurrent();

private:
    OffscreenContext() = default;

    void* m_display = nullptr;
    void* m_context = nullptr;
};

}  // namespace roamer::gl
