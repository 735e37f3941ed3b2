// Contact sheet: half-size frames on a dark ground, a label set with FreeType under each.
#include "contact_sheet.h"

#include "png_frames.h"
#include "show/timeline.h"
#include "show/view.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <vector>

static constexpr int columns = 3;
static constexpr int rows = 3;
static constexpr int shrink = 2;
static constexpr int thumb_width = screen_width / shrink;
static constexpr int thumb_height = screen_height / shrink;
static constexpr int gap = 8;
static constexpr int label_height = 26;
static constexpr int label_pixels = 15;
static constexpr int sheet_width = gap + columns * (thumb_width + gap);
static constexpr int sheet_height = gap + rows * (thumb_height + label_height + gap);
static constexpr unsigned char ground = 24;
static constexpr unsigned char ink = 230;
static constexpr const char* label_font = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

static std::vector<unsigned char> sheet;  // RGBA
static FT_Library fonts = nullptr;
static FT_Face face = nullptr;

double scene_middle(int scene)
{
    double start = scene == 0 ? 0.0 : scene_table[scene - 1];
    double end = scene == scene_table_size ? show_end : scene_table[scene];
    return (start + end) / 2;
}

static unsigned char* sheet_pixel(int x, int y) { return &sheet[(size_t(y) * sheet_width + x) * 4]; }

static bool open_font(std::string* why)
{
    if (face)
        return true;
    if (FT_Init_FreeType(&fonts) || FT_New_Face(fonts, label_font, 0, &face)
        || FT_Set_Pixel_Sizes(face, 0, label_pixels)) {
        *why = std::string("cannot load the label font ") + label_font;
        return false;
    }
    return true;
}

static void start_sheet()
{
    sheet.assign(size_t(sheet_width) * sheet_height * 4, ground);
    for (size_t i = 3; i < sheet.size(); i += 4)
        sheet[i] = 255;
}

// Each thumbnail pixel is the mean of a shrink × shrink block of the frame.
static void lay_thumbnail(int left, int top, const unsigned char* rgba)
{
    for (int y = 0; y < thumb_height; ++y)
        for (int x = 0; x < thumb_width; ++x)
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int dy = 0; dy < shrink; ++dy)
                    for (int dx = 0; dx < shrink; ++dx)
                        sum += rgba[((size_t(y) * shrink + dy) * screen_width + x * shrink + dx) * 4 + c];
                sheet_pixel(left + x, top + y)[c] = static_cast<unsigned char>(sum / (shrink * shrink));
            }
}

static void draw_label(int left, int baseline, const std::string& text)
{
    int pen = left;
    for (char letter : text) {
        if (FT_Load_Char(face, static_cast<unsigned char>(letter), FT_LOAD_RENDER))
            continue;
        const FT_Bitmap& glyph = face->glyph->bitmap;
        for (unsigned row = 0; row < glyph.rows; ++row)
            for (unsigned column = 0; column < glyph.width; ++column) {
                int x = pen + face->glyph->bitmap_left + int(column);
                int y = baseline - face->glyph->bitmap_top + int(row);
                if (x < 0 || x >= sheet_width || y < 0 || y >= sheet_height)
                    continue;
                int coverage = glyph.buffer[row * glyph.pitch + column];
                unsigned char* p = sheet_pixel(x, y);
                for (int c = 0; c < 3; ++c)
                    p[c] = static_cast<unsigned char>(p[c] + (ink - p[c]) * coverage / 255);
            }
        pen += int(face->glyph->advance.x >> 6);
    }
}

bool add_to_contact_sheet(int scene, double t, const unsigned char* rgba, std::string* why)
{
    if (!open_font(why))
        return false;
    if (sheet.empty())
        start_sheet();
    int left = gap + (scene % columns) * (thumb_width + gap);
    int top = gap + (scene / columns) * (thumb_height + label_height + gap);
    lay_thumbnail(left, top, rgba);
    char label[64];
    std::snprintf(label, sizeof label, "scene %d   %.3f s", scene, t);
    draw_label(left + 2, top + thumb_height + label_height - 8, label);
    return true;
}

bool write_contact_sheet(const std::string& path, std::string* why)
{
    if (sheet.empty())
        start_sheet();
    return write_png(path, sheet, sheet_width, sheet_height, why);
}
