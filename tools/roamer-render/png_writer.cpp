#include "roamer-render/png_writer.h"

#include <cstdio>
#include <filesystem>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace roamer::tools {
namespace {

void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    const auto* bytes = static_cast<const unsigned char*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

bool WritePng(const rm::Picture& picture, const std::string& path) {
    const std::size_t pixels = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (picture.width < 1 || picture.height < 1 || picture.rgba.size() != pixels * 4) return false;
    // The device's alpha is coverage, not transparency: the picture is what the screen shows.
    std::vector<unsigned char> rgb(pixels * 3);
    for (std::size_t i = 0; i < pixels; ++i)
        for (std::size_t c = 0; c < 3; ++c) rgb[i * 3 + c] = picture.rgba[i * 4 + c];
    std::vector<unsigned char> png;
    if (stbi_write_png_to_func(AppendBytes, &png, picture.width, picture.height, 3, rgb.data(),
                               picture.width * 3) == 0)
        return false;
    const std::string temp = path + ".part";
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    if (std::fclose(file) != 0 || !written) {
        std::remove(temp.c_str());
        return false;
    }
    std::error_code error;
    std::filesystem::rename(temp, path, error);
    if (error) std::remove(temp.c_str());
    return !error;
}

}  // namespace roamer::tools
