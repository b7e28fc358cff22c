#include "platform/rm/jpeg_decoder.h"

#include <climits>
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>  // jpeglib.h uses FILE and size_t without including their headers
#include <utility>
#include <vector>

#include <jpeglib.h>

#include "platform/rm/picture_format.h"

namespace roamer::rm {
namespace {

// The library reports a fatal error by calling error_exit, which must not return: it jumps
// back to Run's setjmp. Only the library's C frames and these callbacks lie in between.
struct ErrorTrap {
    jpeg_error_mgr manager;  // first, so the library's pointer to it is a pointer to the trap
    std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

// Warnings (damaged data the library works around) are not the user's business.
void Silent(j_common_ptr) {}

void LimitScans(j_common_ptr info) {
    if (info->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxJpegScans)
        JumpOut(info);
}

struct Decompression {
    ErrorTrap trap{};
    jpeg_progress_mgr progress{};
    jpeg_decompress_struct info{};
};

bool Adobe(const jpeg_decompress_struct& info) { return info.saw_Adobe_marker != 0; }

// One decoded row into RGBA. CMYK from Adobe's programs is stored inverted (0 is full ink).
void WidenRow(const unsigned char* from, std::size_t width, int components, bool inverted,
              std::uint8_t* to) {
    for (std::size_t x = 0; x < width; ++x, from += components, to += 4) {
        if (components == 4) {
            const unsigned k = inverted ? from[3] : 255u - from[3];
            for (int c = 0; c < 3; ++c) {
                const unsigned ink = inverted ? from[c] : 255u - from[c];
                to[c] = static_cast<std::uint8_t>((ink * k + 127u) / 255u);
            }
        } else {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
        to[3] = 0xFF;
    }
}

// Everything that may end in the library's error_exit happens here, with nothing that needs
// destroying in this frame: the buffers belong to the caller.
bool Run(Decompression& job, std::span<const unsigned char> bytes, int* width, int* height,
         Image* image, std::vector<unsigned char>* row) {
    jpeg_decompress_struct& info = job.info;
    info.err = jpeg_std_error(&job.trap.manager);
    job.trap.manager.error_exit = JumpOut;
    job.trap.manager.output_message = Silent;
    job.progress.progress_monitor = LimitScans;
    if (setjmp(job.trap.jump) != 0) return false;
    jpeg_create_decompress(&info);
    info.progress = &job.progress;
    info.mem->max_memory_to_use = kMaxJpegLibraryMemory;
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
    if (info.image_width == 0 || info.image_height == 0 || info.image_width > INT_MAX ||
        info.image_height > INT_MAX)
        return false;
    *width = static_cast<int>(info.image_width);
    *height = static_cast<int>(info.image_height);
    if (image == nullptr) return true;
    if (std::uint64_t{info.image_width} * info.image_height > kMaxPicturePixels) return false;

    const bool ink = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = ink ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&info);  // a progressive file's scans are all read here
    const int components = info.output_components;
    if (info.output_width != info.image_width || info.output_height != info.image_height ||
        components != (ink ? 4 : 3))
        return false;
    const std::size_t w = info.output_width;
    row->resize(w * static_cast<std::size_t>(components));
    image->rgba.assign(w * info.output_height * 4u, 0);
    while (info.output_scanline < info.output_height) {
        const std::size_t y = info.output_scanline;
        JSAMPROW rows[1] = {row->data()};
        if (jpeg_read_scanlines(&info, rows, 1) != 1) return false;
        WidenRow(row->data(), w, components, Adobe(info), image->rgba.data() + y * w * 4u);
    }
    image->width = *width;
    image->height = *height;
    // The rest of the file after the last row (trailing markers, padding) is not read.
    return true;
}

bool Read(std::span<const unsigned char> bytes, int* width, int* height, Image* image) {
    if (bytes.empty() || bytes.size() > ULONG_MAX) return false;
    Decompression job;
    std::vector<unsigned char> row;
    Image decoded;
    const bool ok = Run(job, bytes, width, height, image ? &decoded : nullptr, &row);
    jpeg_destroy_decompress(&job.info);
    if (ok && image != nullptr) *image = std::move(decoded);
    return ok;
}

}  // namespace

bool ReadJpegSize(std::span<const unsigned char> bytes, int* width, int* height) {
    return Read(bytes, width, height, nullptr);
}

bool DecodeJpeg(std::span<const unsigned char> bytes, Image* image) {
    int width = 0;
    int height = 0;
    return Read(bytes, &width, &height, image);
}

}  // namespace roamer::rm
