// Writes RGBA frames as PNG files with libpng.
#include "png_frames.h"

#include <png.h>

#include <cstdio>

bool write_png(const std::string& path, const std::vector<unsigned char>& rgba, int width, int height,
               std::string* why)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    // The colour buffer's alpha is meaningless on screen; keep the picture opaque.
    std::vector<unsigned char> opaque(rgba);
    for (size_t i = 3; i < opaque.size(); i += 4)
        opaque[i] = 255;
    if (!png_image_write_to_file(&image, path.c_str(), 0, opaque.data(), 0, nullptr)) {
        std::string reason = "cannot write " + path + ": " + image.message;
        if (why)
            *why = reason;
        else
            std::fprintf(stderr, "ninescenes: %s\n", reason.c_str());
        return false;
    }
    return true;
}
