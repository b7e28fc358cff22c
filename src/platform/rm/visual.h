#pragma once

#include <cstdint>

namespace roamer::rm {

// Something a frame shows: a mesh, or the shadow of one.
class Visual {
public:
    enum class Kind { Mesh, Shadow };

    virtual ~Visual() = default;
    virtual Kind GetKind() const = 0;

protected:
    Visual() = default;
    Visual(const Visual&) = default;
    Visual& operator=(const Visual&) = default;
};

}  // namespace roamer::rm
