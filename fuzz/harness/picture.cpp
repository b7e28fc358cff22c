// A picture as a texture loads it: our own checks of its header, then the image library's
// decoder, which this build compiles from source so that its code is covered too.
#include <cstddef>
#include <cstdint>

#include "harness/harness.h"
#include "platform/rm/texture.h"
#include "harness/memory_input.h"

namespace roamer::fuzz {

bool FuzzPicture(const std::uint8_t* data, std::size_t size) {
    static roamer::fuzz::MemoryInput input;
    input.Set(data, size);
    std::shared_ptr<roamer::rm::Texture> texture;
    const roamer::rm::Status status = roamer::rm::Texture::Load(input.Path(), &texture);
    if (roamer::rm::Failed(status) != (texture == nullptr)) return false;
    if (texture) {
        const roamer::rm::Image& image = texture->GetImage();
        if (image.width <= 0 || image.height <= 0 ||
            image.rgba.size() != std::size_t(image.width) * std::size_t(image.height) * 4u)
            return false;
    }
    return true;
}

}  // namespace roamer::fuzz
