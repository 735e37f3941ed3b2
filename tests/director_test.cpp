// The scene director: which scene each moment belongs to, the beat and wave timings, and whole
// frames of the show read back from the offscreen context.
#include "assets/jpeg.h"
#include "assets/textures.h"
#include "effects/gl_base.h"
#include "show/director.h"
#include "show/show_state.h"
#include "platform/offscreen.h"
#include "show/view.h"
#include "allocation_counter.h"
#include "gl_state.h"
#include "gl_value_check.h"
#include "show_fixture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

TEST(SceneChoice, EveryTableEntryBelongsToTheSceneBefore)
{
    EXPECT_EQ(scene_index(0.0), 0);
    for (int i = 0; i < scene_table_size; ++i) {
        double entry = scene_table[i];
        EXPECT_EQ(scene_index(entry - 0.001), i) << entry;
        EXPECT_EQ(scene_index(entry), i) << entry;
        EXPECT_EQ(scene_index(std::nextafter(entry, 1e9)), i + 1) << entry;
    }
    EXPECT_EQ(scene_index(500.0), closing_scene);
}

TEST(SceneChoice, BeatParityIsOddThroughSceneSix)
{
    EXPECT_EQ(beats_passed(134.439), 0);
    EXPECT_EQ(beats_passed(138.0), 3);
    EXPECT_EQ(beats_passed(scene_table[5]), 8) << "the last beat is still ahead at the cut";
    for (double t : {147.3, 160.0, 172.8})
        EXPECT_EQ(beats_passed(t) % 2, 1) << t;
}

TEST(SceneChoice, WaveAmplitudeRisesAtEachPeriodAndRestsInItsSecondHalf)
{
    const double period = 1.0 / 0.15552099533437014;
    EXPECT_EQ(wave_amplitude(63.0), 0.0f);
    EXPECT_EQ(wave_amplitude(63.809), 0.0f);
    EXPECT_NEAR(wave_amplitude(63.809 + 1e-9), 0.25f, 1e-6);
    EXPECT_NEAR(wave_amplitude(63.809 + period * 0.25), 0.0625f, 1e-6);
    EXPECT_EQ(wave_amplitude(63.809 + period * 0.6), 0.0f);
    EXPECT_EQ(wave_amplitude(63.809 + period * 0.99), 0.0f);
    EXPECT_NEAR(wave_amplitude(63.809 + period * 3 + 1e-6), 0.25f, 1e-5);
}

TEST(SceneChoice, BeatStepEasesOutAndItsFlashDecays)
{
    BeatPulse before = beat_pulse(60.0);
    EXPECT_EQ(before.step, 0.0f);
    EXPECT_EQ(before.flash, 0.0f);
    BeatPulse on_beat = beat_pulse(64.035 + 1e-4);
    EXPECT_NEAR(on_beat.step, 0.0f, 1e-3) << "the step has just begun its climb from 0 to 1";
    EXPECT_NEAR(on_beat.flash, 0.2f, 1e-3);
    const double beat = 1.0 / 0.6269592476489033;
    BeatPulse halfway = beat_pulse(64.035 + beat * 2.5);
    EXPECT_NEAR(halfway.step, 3.0f - 0.25f, 1e-4);
    EXPECT_NEAR(halfway.flash, 0.05f, 1e-4);
}


struct Backdrop {
    std::vector<unsigned char> picture;
    int width, height;  // of the picture
    int texture_width, texture_height;
};

static Backdrop read_backdrop(const char* name, int size, int tall)
{
    Backdrop b;
    b.picture = load_jpeg((std::string("data/") + name + ".jpg").c_str(), &b.width, &b.height);
    PictureSize texture = backdrop_texture_size(size, tall ? PictureLayout::tall_backdrop : PictureLayout::wide_backdrop);
    b.texture_width = texture.width;
    b.texture_height = texture.height;
    return b;
}

static double wrap(double x) { return x - std::floor(x); }

// The backdrop texel that the layer shows at screen pixel (x, y), y from the top.
static Rgb expected_backdrop(const Backdrop& b, float scroll, float span, bool vertical, int x, int y)
{
    double s, t;
    if (vertical) {
        s = (x + 0.5) / 640.0 * 0.625;
        t = scroll + (y + 0.5) / 480.0 * (480.0 / span);
    } else {
        s = scroll + (x + 0.5) / 640.0 * (640.0 / span);
        t = (y + 0.5) / 480.0 * 0.9375;
    }
    int column = static_cast<int>(wrap(s) * b.texture_width);
    int row = static_cast<int>(wrap(t) * b.texture_height);
    if (column >= b.width || row >= b.height)
        return {0, 0, 0};
    const unsigned char* p = &b.picture[(static_cast<size_t>(row) * b.width + column) * 3];
    return {p[0], p[1], p[2]};
}

// Share of the rows' pixels that show exactly the backdrop's texel at the given scroll.
static double backdrop_match(const std::vector<unsigned char>& frame, const Backdrop& b, float scroll, float span,
                             bool vertical, int first_row, int last_row, int last_column = 640)
{
    int matching = 0, total = 0;
    for (int y = first_row; y < last_row; y += 3)
        for (int x = 0; x < last_column; x += 3) {
            Rgb want = expected_backdrop(b, scroll, span, vertical, x, y);
            Rgb got = pixel_at(frame, x, y);
            matching += std::abs(want.r - got.r) + std::abs(want.g - got.g) + std::abs(want.b - got.b) <= 3;
            ++total;
        }
    return static_cast<double>(matching) / total;
}

struct BackdropCase {
    double t;
    const char* name;
    int size, tall;
    float scroll;
    int first_row, last_row;  // rows the border leaves open
    int last_column;          // the blob and its rings stay right of this in scene 1
};

class ShowFrames : public ::testing::Test {};

TEST_F(ShowFrames, EveryBackdropIsOnScreenAtItsScroll)
{
    const double S0 = scene_table[0], S1 = scene_table[1], S3 = scene_table[3], S6 = scene_table[6];
    const BackdropCase cases[] = {
        {45.0, "blobitausta", 2000, 0, static_cast<float>((45.0 - S0) * 0.03), 0, 480, 160},
        {60.0, "wobltausta", 2048, 0, static_cast<float>((60.0 - S1) * 0.014), 80, 400, 640},
        {110.0, "pyoritystausta", 2000, 1, static_cast<float>((110.0 - S3) * 0.028), 0, 480, 640},
        {180.0, "scrolltausta", 2000, 1, static_cast<float>((180.0 - S6) * 0.01), 0, 480, 640},
        {205.0, "pyoritystausta", 2000, 1, static_cast<float>((205.0 - S6) * 0.01), 0, 480, 640},
    };
    // The ring scenes add their light over the whole backdrop: made black, it adds nothing.
    const GLuint black = black_texture();
    const GLuint light[] = {std::exchange(textures.linetex, black), std::exchange(textures.circletex2, black)};
    for (const BackdropCase& c : cases) {
        draw_show_at(c.t);
        std::vector<unsigned char> frame = grab_frame();
        save_frame(frame, (std::string("backdrop_") + c.name + "_" + std::to_string(static_cast<int>(c.t))).c_str());
        Backdrop b = read_backdrop(c.name, c.size, c.tall);
        bool vertical = c.tall != 0;
        double right = backdrop_match(frame, b, c.scroll, 2000.0f, vertical, c.first_row, c.last_row, c.last_column);
        EXPECT_GT(right, 0.3) << c.name << " at " << c.t;
        for (float shift : {-0.1f, -0.05f, 0.05f, 0.1f}) {
            double shifted = backdrop_match(frame, b, c.scroll + shift, 2000.0f, vertical, c.first_row, c.last_row,
                                            c.last_column);
            EXPECT_LT(shifted, right * 0.5) << c.name << " at " << c.t << " matches as well shifted by " << shift;
        }
    }
    textures.linetex = light[0];
    textures.circletex2 = light[1];
    glDeleteTextures(1, &black);
}

TEST_F(ShowFrames, BorderFramesTheWobbleScene)
{
    draw_show_at(70.0);
    std::vector<unsigned char> frame = grab_frame();
    EXPECT_LT(mean_brightness(frame, 0, 0, 640, 8), 4.0) << "black bar at the top";
    EXPECT_LT(mean_brightness(frame, 0, 472, 640, 480), 4.0) << "black bar at the bottom";
    EXPECT_GT(mean_brightness(frame, 0, 200, 640, 280), 20.0) << "the backdrop shows between";
}

TEST_F(ShowFrames, SceneFiveOpensWithAWhiteFlash)
{
    draw_show_at(scene_table[4] + 1e-4);
    std::vector<unsigned char> frame = grab_frame();
    EXPECT_GT(mean_brightness(frame, 0, 0, 640, 480), 254.0);
    draw_show_at(scene_table[4] + 1.0);
    EXPECT_LT(mean_brightness(grab_frame(), 0, 0, 640, 8), 130.0) << "half a flash over the border bar";
}

TEST_F(ShowFrames, EndPictureFadesInThenTheShowFadesToBlackAndEnds)
{
    draw_show_at(220.0);
    std::vector<unsigned char> end_picture = grab_frame();
    save_frame(end_picture, "end_picture");
    Backdrop b = read_backdrop("loppukuva", 640, 0);
    EXPECT_GT(backdrop_match(end_picture, b, 0.0f, 1024.0f, false, 0, 480), 0.9);
    // It fades in over five seconds: a fifth of it a second in, three fifths three seconds in.
    EXPECT_NEAR(picture_weight(&TextureSet::loppukuva, end_picture_start + 1.0), 0.2, 0.02);
    EXPECT_NEAR(picture_weight(&TextureSet::loppukuva, end_picture_start + 3.0), 0.6, 0.02);

    draw_show_at(232.0);
    EXPECT_NEAR(mean_brightness(grab_frame(), 0, 0, 640, 480), mean_brightness(end_picture, 0, 0, 640, 480) * 0.5,
                3.0);
    draw_show_at(237.0);
    EXPECT_EQ(mean_brightness(grab_frame(), 0, 0, 640, 480), 0.0);
    EXPECT_FALSE(draw_show_at(240.0)) << "240 s itself is still shown";
    Frame last = grab_frame();
    EXPECT_TRUE(draw_show_at(240.001));
    EXPECT_EQ(grab_frame(), last) << "the frame that ends the show is drawn as the one before";
}

TEST_F(ShowFrames, BeatStepHoldsAfterTheBeatsStop)
{
    draw_show_at(96.3);
    float held = shown().beat_step;
    EXPECT_GT(held, 19.0f);
    draw_show_at(100.0);
    EXPECT_EQ(shown().beat_step, held);
}

TEST_F(ShowFrames, ZeroHeightWindowKeepsAFiniteProjection)
{
    set_view(640, 0);
    double projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    for (double element : projection)
        EXPECT_TRUE(std::isfinite(element));
    EXPECT_NE(projection[0], 0.0);
    set_view(screen_width, screen_height);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[5], 1.0 / std::tan(22.5 * M_PI / 180.0), 1e-6);
    EXPECT_NEAR(projection[0], projection[5] * 480.0 / 640.0, 1e-6);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Moments inside every scene, either side of every cut (by a millisecond), and about the end.
static std::vector<double> list_moments_across_the_show()
{
    std::vector<double> moments = {0.0,   3.0,   19.0,  27.0,  35.0,  48.0,  56.5,  58.0,  70.0,
                                   76.8,  99.0,  110.0, 122.4, 138.0, 150.0, 160.0, 185.0, 205.0,
                                   215.0, 232.0, 238.0, 239.999, 240.0};
    for (double cut : scene_table)
        for (double t : {cut - 0.001, cut, cut + 0.001})
            moments.push_back(t);
    return moments;
}

static const std::vector<double> moments_across_the_show = list_moments_across_the_show();

// Every moment plain, then with both post effects.
static void draw_every_moment(const std::function<void(double)>& draw)
{
    for (bool post_effects : {false, true}) {
        shown().trails_on = shown().dct_on = post_effects;
        for (double t : moments_across_the_show)
            draw(t);
    }
    shown().trails_on = shown().dct_on = false;
}

TEST_F(ShowFrames, FramesAllocateNothing)
{
    const std::function<void(double)> draw = [](double t) { draw_show_at(t); };
    draw_every_moment(draw);
    glFinish();
    start_counting_allocations();
    draw_every_moment(draw);
    long allocations = stop_counting_allocations();
    glFinish();
    EXPECT_EQ(allocations, 0);
}

TEST_F(ShowFrames, FramesRaiseNoGlErrorAndSendOnlyFiniteValues)
{
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    long before = nonfinite_gl_values();
    draw_every_moment([before](double t) {
        SCOPED_TRACE(t);
        draw_show_at(t);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_EQ(nonfinite_gl_values(), before) << "a value that is not a finite number reached GL";
    });
}

// Every routine the director calls starts from the base state and leaves it: at every moment either
// side of every cut, plain and with both post effects, the state after each routine is compared
// with the base, and a routine that leaves something changed is named with what it changed (the
// base is then set again, so that the next routine is judged on its own).
TEST_F(ShowFrames, EveryRoutineLeavesTheBaseGlState)
{
    set_view(screen_width, screen_height);
    float projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    const GlState base = base_gl_state(projection);
    ASSERT_EQ(gl_state_differences(base, read_gl_state()), "") << "before the first frame";
    std::vector<std::string> faults;
    int checked = 0;
    double at = 0.0;
    const RoutineWatch watch = [&](const char* routine) {
        ++checked;
        std::string changed = gl_state_differences(base, read_gl_state());
        if (changed.empty())
            return;
        faults.push_back(std::to_string(at) + " s: " + routine + " left " + changed);
        set_gl_base_state();
        set_view(screen_width, screen_height);
    };
    draw_every_moment([&](double t) {
        at = t;
        draw_frame_at(shown(), t, 1.0 / 60.0, &watch);
        watch("the frame as a whole");
    });
    EXPECT_GT(checked, 400) << "a routine or more per moment";
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults, the first: " << faults.front();
}

// What each picture contributes to a frame: drawn once as it is and once with the picture swapped for
// opaque black, a picture on screen changes pixels and one that is not drawn changes none.
// The show never clears the colour buffer; here every frame starts from the same clear colour, so
// that what shows through the gaps of one frame is not what the frame before it drew.
static Frame draw_on_clear_frame(double t)
{
    glClear(GL_COLOR_BUFFER_BIT);
    draw_frame_at(shown(), t, 0.0);
    return grab_frame();
}

static int pixels_changed_without(Slot slot, double t, const Frame& frame, GLuint black)
{
    GLuint kept = textures.*slot;
    textures.*slot = black;
    Frame swapped = draw_on_clear_frame(t);
    textures.*slot = kept;
    int changed = 0;
    for (size_t i = 0; i < frame.size(); i += 4)
        changed += frame[i] != swapped[i] || frame[i + 1] != swapped[i + 1] || frame[i + 2] != swapped[i + 2];
    return changed;
}

struct SceneLayers {
    double t;
    const char* what;
    std::vector<Slot> shown, hidden;
};

// Half a second either side of every cut: a cut moved by a second, or a layer dropped or drawn in
// the wrong scene, changes what is on screen. The tunnel is not turned (no frame time passes), so
// the same moment draws the same frame twice.
TEST_F(ShowFrames, EachSceneShowsItsPicturesEitherSideOfEveryCut)
{
    // The cuts as the music has them, written out rather than read from the show's own table.
    const double S0 = 38.452, S1 = 57.632, S2 = 96.0, S3 = 102.4, S4 = 128.029, S5 = 147.211, S6 = 172.82,
                 S7 = 198.43, end_picture = 211.219;
    using T = TextureSet;
    const SceneLayers cases[] = {
        {23.0, "first title over the tunnel", {&T::tunnel, &T::details}, {&T::quembly, &T::blobitausta}},
        {30.0, "second title over the tunnel", {&T::tunnel, &T::quembly}, {&T::details}},
        {S0 - 0.5, "tunnel fading out", {&T::tunnel}, {&T::blobitausta, &T::blob2, &T::circletex}},
        {S0 + 0.5, "blob cluster fading in", {&T::blobitausta, &T::blob2, &T::circletex}, {&T::tunnel, &T::border}},
        {S1 - 0.5, "rings under the next backdrop, the blob swung off", {&T::blobitausta, &T::circletex, &T::wobltausta, &T::border}, {&T::blob2, &T::wobl}},
        {S1 + 0.5, "cube swinging in over the wavy backdrop", {&T::wobltausta, &T::border, &T::wobl, &T::wobllighttex}, {&T::blobitausta, &T::blob2, &T::circletex}},
        {S2 - 0.5, "wobbling cube", {&T::wobltausta, &T::border, &T::wobl, &T::wobllighttex}, {&T::pyoritystausta}},
        {S2 + 0.5, "wobbling cube runs on", {&T::wobltausta, &T::border, &T::wobl, &T::wobllighttex}, {&T::pyoritystausta}},
        {S3 - 0.5, "wobbling cube", {&T::wobltausta, &T::border, &T::wobl, &T::wobllighttex}, {&T::pyoritystausta, &T::refl1, &T::linetex, &T::circletex2}},
        {S3 + 0.5, "first ring of knots", {&T::pyoritystausta, &T::refl1, &T::linetex, &T::circletex2}, {&T::wobltausta, &T::border, &T::wobl, &T::wobllighttex, &T::refl2}},
        {S4 - 0.5, "first ring of knots", {&T::pyoritystausta, &T::refl1, &T::linetex, &T::circletex2}, {&T::blob1, &T::border, &T::refl2}},
        {S4 + 0.5, "the flash washes the cavity out", {&T::border}, {&T::pyoritystausta, &T::refl1, &T::linetex, &T::circletex2}},
        {S5 - 0.5, "cavity", {&T::blob1, &T::border}, {&T::pyoritystausta, &T::refl2, &T::linetex, &T::circletex2}},
        {S5 + 0.5, "second ring of stars over the cavity", {&T::blob1, &T::border, &T::refl2, &T::linetex, &T::circletex2}, {&T::pyoritystausta, &T::refl1}},
        {S6 - 0.5, "second ring of stars over the cavity", {&T::blob1, &T::border, &T::refl2, &T::linetex, &T::circletex2}, {&T::scrolltausta, &T::scrolltex, &T::lighttex3, &T::refl1}},
        {S6 + 0.5, "twisted column", {&T::scrolltausta, &T::scrolltex, &T::lighttex3}, {&T::blob1, &T::border, &T::refl2, &T::linetex, &T::circletex2}},
        {S7 - 0.5, "twisted column", {&T::scrolltausta, &T::scrolltex, &T::lighttex3}, {&T::pyoritystausta, &T::circletex, &T::mag}},
        {S7 + 0.5, "bulging cube in its rings", {&T::pyoritystausta, &T::circletex, &T::mag, &T::lighttex1}, {&T::scrolltausta, &T::scrolltex, &T::lighttex3, &T::loppukuva}},
        {end_picture - 0.5, "bulging cube in its rings", {&T::pyoritystausta, &T::circletex, &T::mag, &T::lighttex1}, {&T::loppukuva}},
        {end_picture + 0.5, "end picture fading in", {&T::pyoritystausta, &T::circletex, &T::mag, &T::lighttex1, &T::loppukuva}, {}},
    };
    const GLuint black = black_texture();
    for (const SceneLayers& c : cases) {
        SCOPED_TRACE(std::to_string(c.t) + " s, " + c.what);
        Frame frame = draw_on_clear_frame(c.t);
        for (size_t k = 0; k < c.shown.size(); ++k)
            EXPECT_GT(pixels_changed_without(c.shown[k], c.t, frame, black), 500) << "shown picture " << k;
        for (size_t k = 0; k < c.hidden.size(); ++k)
            EXPECT_EQ(pixels_changed_without(c.hidden[k], c.t, frame, black), 0) << "hidden picture " << k;
    }
    glDeleteTextures(1, &black);
}
