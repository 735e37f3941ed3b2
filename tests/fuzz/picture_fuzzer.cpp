// Fuzzes the picture path: any bytes through the JPEG decoder, and every decoded picture through
// every texel conversion the loaders apply. A refusal is fine; a crash, a hang, an out-of-bounds
// access or a runaway allocation is a finding.
#include "assets/jpeg.h"
#include "assets/textures.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodedPicture picture;
    std::string why;
    if (!decode_jpeg_bytes(data, size, picture, why))
        return 0;
    volatile uint32_t sink = 0;
    for (TexelConversion conversion : texel_conversions)
        for (size_t i = 0; i + 2 < picture.rgb.size(); i += 3) {
            const unsigned char* p = &picture.rgb[i];
            sink = sink ^ convert_texel(conversion, p[0], p[1], p[2]) ^
                   convert_backdrop_texel(conversion, p[0], p[1], p[2]);
        }
    return 0;
}
