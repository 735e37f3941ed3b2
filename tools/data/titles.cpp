// Pictures that carry text: the two title overlays of the opening, the credits that climb the
// twisted column, and the end picture.
#include <cmath>
#include <string_view>

#include "pictures.h"
#include "text.h"

namespace {

// ---- title overlays ----
//
// The show turns an overlay into grey from its green channel and opacity from 255 − blue, so the
// ground is pure blue (clear), and text is white in a soft dark outline, blue falling with coverage.

constexpr float outline_sigma = 1.8f;    // pixels
constexpr float outline_gain = 3.0f;     // how far the blurred coverage reaches before it fades
constexpr float outline_opacity = 0.8f;
constexpr float title_shade = 0.25f;     // how much darker the text gets towards its foot

// Lays the white text (shaded from its top to its foot) over its dark outline and encodes
// grey and opacity for the overlay conversion.
void encode_overlay(Canvas& canvas, const Mask& coverage, float text_top, float text_foot)
{
    const Mask halo = blurred(coverage, outline_sigma, Edges::zero);
    for (int y = 0; y < canvas.height; ++y) {
        const float grey = 1.0f - title_shade * smoothstep(text_top, text_foot, static_cast<float>(y));
        for (int x = 0; x < canvas.width; ++x) {
            const float text = value(coverage, x, y);
            const float outline = outline_opacity * clamp01(value(halo, x, y) * outline_gain);
            const float alpha = text + outline * (1.0f - text);
            // Colour not premultiplied: the text's share of what covers the pixel.
            const float level = alpha > 0.0f ? grey * text / alpha : 0.0f;
            pixel(canvas, x, y) = {level, level, 1.0f - alpha};
        }
    }
}

// A thin rule with tapered ends, as a coverage mask.
void draw_rule(Mask& mask, float left, float right, float centre_y, float half_thickness)
{
    for (int y = 0; y < mask.height; ++y) {
        const float across = smoothstep(half_thickness + 0.7f, half_thickness - 0.7f,
                                        std::fabs(static_cast<float>(y) + 0.5f - centre_y));
        if (across <= 0.0f)
            continue;
        for (int x = 0; x < mask.width; ++x) {
            const float p = static_cast<float>(x) + 0.5f;
            const float along = smoothstep(left, left + 40.0f, p) * smoothstep(right, right - 40.0f, p);
            value(mask, x, y) = std::fmax(value(mask, x, y), across * along);
        }
    }
}

// ---- scrolltex ----
//
// The column shows a face 512 columns wide on about 270 screen pixels, and 0.8 of the picture's
// height on its 8-unit height, so the picture is squeezed about 3.5 times more across than down.
// The letters are set wide to make up for part of it: on screen they stand tall and narrow.

constexpr int credit_slots = 16;        // lines in one turn of the picture
constexpr float credit_em_height = 34.0f;
constexpr float credit_em_width = 80.0f;
constexpr float credit_max_width = 460.0f;  // pixels; longer lines are set narrower
constexpr float column_rule_width = 3.0f;   // gold rules along the face's edges

struct CreditLine {
    std::u32string_view text;
    bool heading;
};

constexpr CreditLine credits[credit_slots] = {
    {U"ninescenes", true},  {U"code", true},          {U"the crew", false},   {U"pictures", true},
    {U"by numbers", false}, {U"music", true},         {U"one synth", false},  {U"\u2605", true},
    {U"greetings", true},   {U"demo makers", false},  {U"pixel pushers", false}, {U"trackers", false},
    {U"sizecoders", false}, {U"party crews", false},  {U"and you", false},    {U"\u2605", true},
};

Colour column_ground(float x, float y, float width, float height)
{
    const float stripes = 0.5f + 0.5f * std::sin(two_pi * y * (4.0f * credit_slots) / height);
    Colour colour = mix(ink, night_blue, 0.55f + 0.15f * stripes);
    const float edge = std::fmin(x, width - x);
    return mix(colour, gold * 0.8f, smoothstep(column_rule_width + 0.8f, column_rule_width - 0.8f, edge));
}

void set_credit_line(Mask& mask, const CreditLine& line, float centre_y)
{
    TextStyle style = {Typeface::condensed_bold, credit_em_width, credit_em_height};
    const float width = text_width(style, line.text);
    if (width > credit_max_width)
        style.em_width *= credit_max_width / width;
    draw_text_centred(mask, style, line.text, 0.5f * static_cast<float>(mask.width), centre_y);
}

// ---- loppukuva ----

constexpr float end_horizon = 318.0f;  // rows
constexpr float end_sun_radius = 84.0f;
constexpr int end_samples = 2;  // per pixel, each way, for the sun's clean stripes

Colour end_sky(float x, float y)
{
    const float t = y / end_horizon;
    Colour colour = mix(ink, violet * 0.9f, smoothstep(0.0f, 0.75f, t));
    colour = mix(colour, ember, smoothstep(0.6f, 1.0f, t) * 0.8f);
    const float distance = std::hypot(x - 320.0f, y - end_horizon);
    const float halo = std::exp(-distance / 150.0f);
    colour = colour + gold * (0.35f * halo);
    // The sun, cut by thin gaps that widen towards the horizon.
    const float disc = smoothstep(end_sun_radius + 1.0f, end_sun_radius - 1.0f, distance);
    const float depth = (y - (end_horizon - end_sun_radius)) / end_sun_radius;
    const float gap_width = 0.5f * smoothstep(0.35f, 1.0f, depth);
    const float stripe = std::fmod(y, 14.0f) / 14.0f;
    const float cut = smoothstep(gap_width - 0.04f, gap_width + 0.04f, stripe);
    const Colour sun = mix(cream, ember, smoothstep(0.0f, 1.0f, depth));
    return mix(colour, sun, disc * cut);
}

Colour end_sea(float x, float y)
{
    const float t = (y - end_horizon) / (480.0f - end_horizon);
    Colour colour = mix(violet * 0.5f, ink, std::pow(t, 0.5f));
    // Glints of the sun on the water: short ripples that spread with the distance.
    const float spread = 50.0f + 160.0f * t;
    const float path = std::exp(-std::pow((x - 320.0f) / spread, 2.0f));
    const float ripple = periodic_noise(x / (12.0f + 40.0f * t), y / (1.5f + 4.0f * t), 1 << 12, 1 << 12, 81u);
    const float glint = smoothstep(0.15f, 0.7f, ripple) * path * (1.0f - 0.6f * t);
    return colour + mix(gold, ember, t) * glint;
}

}  // namespace

// The show's name, a rule and a line beneath it.
void paint_details(Canvas& canvas)
{
    Mask coverage = make_mask(canvas.width, canvas.height);
    const TextStyle title = {Typeface::bold, 72.0f, 72.0f};
    const float title_centre = 108.0f;
    draw_text_centred(coverage, title, U"ninescenes", 0.5f * canvas.width, title_centre);
    draw_rule(coverage, 80.0f, canvas.width - 80.0f, 158.0f, 1.0f);
    const TextStyle tagline = {Typeface::book, 21.0f, 21.0f};
    draw_text_centred(coverage, tagline, U"a real-time show in nine scenes", 0.5f * canvas.width, 186.0f);
    const float cap = cap_height(title);
    encode_overlay(canvas, coverage, title_centre - 0.5f * cap, title_centre + 0.5f * cap);
}

// The credits: what was made, and by whom.
void paint_quembly(Canvas& canvas)
{
    Mask coverage = make_mask(canvas.width, canvas.height);
    const TextStyle what = {Typeface::book, 30.0f, 30.0f};
    draw_text_centred(coverage, what, U"code \u00b7 pictures \u00b7 music", 0.5f * canvas.width, 96.0f);
    draw_rule(coverage, 120.0f, canvas.width - 120.0f, 130.0f, 0.8f);
    const TextStyle who = {Typeface::bold, 40.0f, 40.0f};
    draw_text_centred(coverage, who, U"the ninescenes crew", 0.5f * canvas.width, 166.0f);
    encode_overlay(canvas, coverage, 0.0f, static_cast<float>(canvas.height));
}

// Credits and greetings in even slots, so the picture repeats down the column without a seam.
void paint_scrolltex(Canvas& canvas)
{
    const float width = static_cast<float>(canvas.width);
    const float height = static_cast<float>(canvas.height);
    paint_each(canvas, [&](float x, float y) { return column_ground(x, y, width, height); });

    const float pitch = height / credit_slots;
    Mask headings = make_mask(canvas.width, canvas.height);
    Mask names = make_mask(canvas.width, canvas.height);
    for (int slot = 0; slot < credit_slots; ++slot) {
        const CreditLine& line = credits[slot];
        set_credit_line(line.heading ? headings : names, line, (static_cast<float>(slot) + 0.5f) * pitch);
    }
    Mask all = make_mask(canvas.width, canvas.height);
    for (size_t i = 0; i < all.values.size(); ++i)
        all.values[i] = std::fmax(headings.values[i], names.values[i]);

    composite(canvas, blurred(all, 6.0f, Edges::wrap), violet, 1.4f);
    composite(canvas, blurred(all, 1.5f, Edges::wrap), ink, 1.2f);
    composite(canvas, headings, gold, 1.0f);
    composite(canvas, names, cream, 1.0f);
}

// The end: the show's name over a striped sun setting into the sea, and a last word.
void paint_loppukuva(Canvas& canvas)
{
    paint_supersampled(canvas, end_samples,
                       [&](float x, float y) { return y < end_horizon ? end_sky(x, y) : end_sea(x, y); });

    Mask name = make_mask(canvas.width, canvas.height);
    const TextStyle title = {Typeface::bold, 86.0f, 86.0f};
    const float title_centre = 140.0f;
    draw_text_centred(name, title, U"ninescenes", 0.5f * canvas.width, title_centre);
    composite(canvas, blurred(name, 14.0f, Edges::zero), ember, 1.3f);
    composite(canvas, blurred(name, 3.0f, Edges::zero), ink, 1.5f);
    const float cap = cap_height(title);
    for (int y = 0; y < canvas.height; ++y) {
        const float k = smoothstep(title_centre - 0.5f * cap, title_centre + 0.5f * cap, static_cast<float>(y));
        const Colour face = mix(cream, gold, k);
        for (int x = 0; x < canvas.width; ++x)
            pixel(canvas, x, y) = mix(pixel(canvas, x, y), face, value(name, x, y));
    }

    Mask thanks = make_mask(canvas.width, canvas.height);
    draw_text_centred(thanks, {Typeface::book, 26.0f, 26.0f}, U"thanks for watching", 0.5f * canvas.width, 420.0f);
    composite(canvas, blurred(thanks, 2.0f, Edges::zero), ink, 1.5f);
    composite(canvas, thanks, cream, 0.9f);
}
