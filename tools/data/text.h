// Text set with FreeType into coverage masks, in the DejaVu faces that Debian installs.
#pragma once

#include <string_view>

#include "canvas.h"

enum class Typeface { bold, condensed_bold, book };

// Pixel sizes of the em square; a width other than the height stretches the letters,
// for pictures that the show draws stretched the other way.
struct TextStyle {
    Typeface face;
    float em_width;
    float em_height;
};

// Loads every typeface once; returns false and prints one line on standard error on failure.
bool load_fonts();

float text_width(const TextStyle& style, std::u32string_view text);
// Height of the capital letters above the baseline.
float cap_height(const TextStyle& style);
// Adds the text's coverage (keeping the larger value where glyphs meet), pen starting at x.
void draw_text(Mask& coverage, const TextStyle& style, std::u32string_view text, float x, float baseline);
// Centres the text on centre_x and its capitals on centre_y.
void draw_text_centred(Mask& coverage, const TextStyle& style, std::u32string_view text, float centre_x,
                       float centre_y);
