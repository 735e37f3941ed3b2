// Lettering for the pictures: DejaVu fonts rendered with FreeType onto a canvas.
#include "text.h"

#include <cmath>
#include <cstdio>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

constexpr int typeface_count = 3;
constexpr const char* typeface_paths[typeface_count] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
};
// FreeType's fixed-point formats: 26.6 for sizes and positions, 16.16 for linear advances.
constexpr float units_26_6 = 64.0f;
constexpr float units_16_16 = 65536.0f;
// At 72 dots per inch a point is a pixel, so char sizes are pixel sizes.
constexpr FT_UInt pixel_resolution = 72;

FT_Library library = nullptr;
FT_Face faces[typeface_count] = {};

FT_Face select_face(const TextStyle& style)
{
    FT_Face face = faces[static_cast<int>(style.face)];
    FT_Set_Char_Size(face, static_cast<FT_F26Dot6>(std::lround(style.em_width * units_26_6)),
                     static_cast<FT_F26Dot6>(std::lround(style.em_height * units_26_6)), pixel_resolution,
                     pixel_resolution);
    return face;
}

float kerning(FT_Face face, FT_UInt previous, FT_UInt glyph)
{
    if (!previous || !FT_HAS_KERNING(face))
        return 0.0f;
    FT_Vector delta;
    FT_Get_Kerning(face, previous, glyph, FT_KERNING_UNFITTED, &delta);
    return static_cast<float>(delta.x) / units_26_6;
}

// Unhinted outlines, so stretched and fractionally placed letters keep their shapes.
constexpr FT_Int32 glyph_load_flags = FT_LOAD_NO_HINTING;

float advance(FT_Face face, FT_UInt glyph)
{
    if (FT_Load_Glyph(face, glyph, glyph_load_flags))
        return 0.0f;
    return static_cast<float>(face->glyph->linearHoriAdvance) / units_16_16;
}

void stamp_bitmap(Mask& coverage, const FT_Bitmap& bitmap, int left, int top)
{
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const int y = top + static_cast<int>(row);
        if (y < 0 || y >= coverage.height)
            continue;
        for (unsigned column = 0; column < bitmap.width; ++column) {
            const int x = left + static_cast<int>(column);
            if (x < 0 || x >= coverage.width)
                continue;
            const float c = bitmap.buffer[row * bitmap.pitch + column] / 255.0f;
            float& v = value(coverage, x, y);
            if (c > v)
                v = c;
        }
    }
}

// Renders one glyph with its origin at (x, baseline); the fraction of x goes into the outline.
void draw_glyph(Mask& coverage, FT_Face face, FT_UInt glyph, float x, float baseline)
{
    const float whole_x = std::floor(x);
    FT_Vector shift = {static_cast<FT_Pos>(std::lround((x - whole_x) * units_26_6)), 0};
    FT_Set_Transform(face, nullptr, &shift);
    const bool rendered = !FT_Load_Glyph(face, glyph, glyph_load_flags | FT_LOAD_RENDER);
    FT_Set_Transform(face, nullptr, nullptr);
    if (!rendered || face->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        return;
    const int top = static_cast<int>(std::lround(baseline)) - face->glyph->bitmap_top;
    stamp_bitmap(coverage, face->glyph->bitmap, static_cast<int>(whole_x) + face->glyph->bitmap_left, top);
}

}  // namespace

bool load_fonts()
{
    if (FT_Init_FreeType(&library)) {
        std::fprintf(stderr, "ninescenes-data: cannot start FreeType\n");
        return false;
    }
    for (int i = 0; i < typeface_count; ++i) {
        if (FT_New_Face(library, typeface_paths[i], 0, &faces[i])) {
            std::fprintf(stderr, "ninescenes-data: cannot load font %s\n", typeface_paths[i]);
            return false;
        }
    }
    return true;
}

float text_width(const TextStyle& style, std::u32string_view text)
{
    FT_Face face = select_face(style);
    float width = 0.0f;
    FT_UInt previous = 0;
    for (char32_t c : text) {
        const FT_UInt glyph = FT_Get_Char_Index(face, c);
        width += kerning(face, previous, glyph) + advance(face, glyph);
        previous = glyph;
    }
    return width;
}

float cap_height(const TextStyle& style)
{
    FT_Face face = select_face(style);
    if (FT_Load_Char(face, U'H', glyph_load_flags))
        return 0.0f;
    return static_cast<float>(face->glyph->metrics.horiBearingY) / units_26_6;
}

void draw_text(Mask& coverage, const TextStyle& style, std::u32string_view text, float x, float baseline)
{
    FT_Face face = select_face(style);
    FT_UInt previous = 0;
    for (char32_t c : text) {
        const FT_UInt glyph = FT_Get_Char_Index(face, c);
        x += kerning(face, previous, glyph);
        const float step = advance(face, glyph);
        draw_glyph(coverage, face, glyph, x, baseline);
        x += step;
        previous = glyph;
    }
}

void draw_text_centred(Mask& coverage, const TextStyle& style, std::u32string_view text, float centre_x,
                       float centre_y)
{
    const float x = centre_x - 0.5f * text_width(style, text);
    draw_text(coverage, style, text, x, centre_y + 0.5f * cap_height(style));
}
