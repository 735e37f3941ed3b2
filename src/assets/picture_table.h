// The show's 22 pictures in loading order: each picture's name (data/<name>.jpg and its slot in the
// TextureSet), its size in pixels, how its texels are made and how it is laid into its texture. The
// loader, the data generator and its tests all read this one table; adding a picture is one line.
#pragma once

// How a picture's texels are made from its RGB pixels.
enum class TexelConversion {
    plain_rgb,        // opaque RGB
    alpha_from_red,   // light maps: opaque where red is far from mid-grey
    swapped_rgb,      // blue and red exchanged (no picture of the show uses it)
    black_mask,       // backdrops only: black, opaque where green is dark
    grey_from_green,  // titles: grey from green, clear where blue is full
};
constexpr TexelConversion texel_conversions[] = {TexelConversion::plain_rgb, TexelConversion::alpha_from_red,
                                                 TexelConversion::swapped_rgb, TexelConversion::black_mask,
                                                 TexelConversion::grey_from_green};

// A mipmapped texture is filtered trilinearly; one of one level is sampled at its nearest texel.
enum class Mipmaps { one_level, mipmapped };

// A picture at its own size may hold up to four times the pixels the table gives it (twice its
// width and height); a backdrop has exactly its size. That bounds the time and memory of start-up.
constexpr long long own_size_pixel_growth = 4;

// How a picture becomes a texture: at its own size, or copied into the top-left corner of a larger
// backdrop texture (a wide one is one screen high, a tall one one screen wide).
enum class PictureLayout { own_size, wide_backdrop, tall_backdrop };

// X(name, width, height, conversion, mipmaps, layout)
#define NINESCENES_PICTURES(X)                                               \
    X(lighttex1, 256, 256, alpha_from_red, one_level, own_size)              \
    X(lighttex3, 256, 256, alpha_from_red, one_level, own_size)              \
    X(wobllighttex, 256, 256, alpha_from_red, mipmapped, own_size)           \
    X(blob1, 256, 256, plain_rgb, mipmapped, own_size)                       \
    X(blob2, 256, 256, plain_rgb, one_level, own_size)                       \
    X(wobl, 256, 256, plain_rgb, one_level, own_size)                        \
    X(mag, 256, 256, plain_rgb, one_level, own_size)                         \
    X(refl1, 256, 256, plain_rgb, mipmapped, own_size)                       \
    X(refl2, 256, 256, plain_rgb, mipmapped, own_size)                       \
    X(tunnel, 256, 256, plain_rgb, one_level, own_size)                      \
    X(circletex, 256, 256, plain_rgb, mipmapped, own_size)                   \
    X(circletex2, 128, 128, plain_rgb, mipmapped, own_size)                  \
    X(linetex, 256, 256, plain_rgb, mipmapped, own_size)                     \
    X(scrolltex, 512, 1024, plain_rgb, mipmapped, own_size)                  \
    X(scrolltausta, 640, 2000, plain_rgb, one_level, tall_backdrop)          \
    X(wobltausta, 2048, 480, plain_rgb, one_level, wide_backdrop)            \
    X(blobitausta, 2000, 480, plain_rgb, one_level, wide_backdrop)           \
    X(pyoritystausta, 640, 2000, plain_rgb, one_level, tall_backdrop)        \
    X(border, 1024, 480, black_mask, one_level, wide_backdrop)               \
    X(loppukuva, 640, 480, plain_rgb, one_level, wide_backdrop)              \
    X(details, 512, 256, grey_from_green, one_level, own_size)               \
    X(quembly, 512, 256, grey_from_green, one_level, own_size)

struct PictureEntry {
    const char* name;
    int width, height;
    TexelConversion conversion;
    Mipmaps mipmaps;
    PictureLayout layout;

    // A backdrop's long side: its width when wide, its height when tall.
    constexpr int backdrop_size() const { return layout == PictureLayout::tall_backdrop ? height : width; }
    // The most pixels its file may hold.
    constexpr long long accepted_pixels() const
    {
        return (layout == PictureLayout::own_size ? own_size_pixel_growth : 1) * static_cast<long long>(width) * height;
    }
};

#define NINESCENES_PICTURE_ENTRY(name, width, height, conversion, mipmaps, layout) \
    {#name, width, height, TexelConversion::conversion, Mipmaps::mipmaps, PictureLayout::layout},
inline constexpr PictureEntry picture_table[] = {NINESCENES_PICTURES(NINESCENES_PICTURE_ENTRY)};
#undef NINESCENES_PICTURE_ENTRY

constexpr int picture_count = sizeof picture_table / sizeof picture_table[0];

// The show reads each picture from <name>.jpg in its data directory.
constexpr const char* picture_extension = ".jpg";
