// Renders the show offscreen, frame-exact (the demo time advances one frame step per frame, however
// long a frame takes to draw), into an H.264 video with its soundtrack, PNG frames, a WAV file of
// the soundtrack or a contact sheet of the scenes. `ninescenes-capture --help` lists the options.
#include "assets/data_directory.h"
#include "contact_sheet.h"
#include "output_files.h"
#include "show/audio.h"
#include "platform/offscreen.h"
#include "png_frames.h"
#include "progress.h"
#include "request.h"
#include "show/clock.h"
#include "show/demo.h"
#include "show/director.h"
#include "show/show_state.h"
#include "show/view.h"
#include "soundtrack.h"
#include "video_encoder.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using Frame = std::vector<unsigned char>;

static constexpr long long no_frame = -1;

// The temporary names the outputs are written under until they are kept.
struct OutputNames {
    std::string video, wav, contact_sheet, png_directory;
};

// What the frames are drawn for, frame by frame, and where the drawing stands.
struct Run {
    CaptureRequest request;
    ShowState show;
    OutputNames outputs;
    long long last_frame = no_frame;  // the last frame of the grid to draw
    long long sheet_frames[contact_sheet_scenes];
    size_t next_toggle = 0;
    size_t next_moment = 0;
    bool drawn_any = false;
    double previous_time = 0.0;
};

static void abandon_capture()
{
    abandon_video();
    discard_outputs();
}

[[noreturn]] static void fail(const std::string& why)
{
    end_progress();
    std::string message = named_as_given(why);
    abandon_capture();
    std::fprintf(stderr, "ninescenes-capture: %s\n", message.c_str());
    std::exit(1);
}

static void check(bool ok, const std::string& why)
{
    if (!ok)
        fail(why);
}

static std::string numbered_name(const std::string& directory, long long number)
{
    char name[32];
    std::snprintf(name, sizeof name, "/%06lld.png", number);
    return directory + name;
}

static void write_png_frame(const std::string& path, const Frame& frame)
{
    std::string why;
    check(write_png(path, frame, screen_width, screen_height, &why), why);
}

static void plan_frames(Run& run)
{
    const CaptureRequest& request = run.request;
    if (wants_range_frames(request))
        run.last_frame = request.end_frame - 1;
    if (!request.moments.empty()) {
        double last_moment_frames = request.moments.back() * double(request.rate.frames) / double(request.rate.seconds);
        run.last_frame = static_cast<long long>(std::floor(last_moment_frames));
    }
    for (int scene = 0; scene < contact_sheet_scenes; ++scene) {
        bool wanted = !request.contact_sheet.empty();
        run.sheet_frames[scene] = wanted ? nearest_frame(request.rate, scene_middle(scene)) : no_frame;
        run.last_frame = std::max(run.last_frame, run.sheet_frames[scene]);
    }
}

// Presses the keys due by t, then draws the frame of t and waits for the driver to finish it. Frames
// drawn back to back without a buffer swap otherwise pile up in the driver's queue: the tool held
// twice the show's memory within 20 s of show time, for no gain in speed.
static void draw_at(Run& run, double t)
{
    const std::vector<Toggle>& toggles = run.request.toggles;
    for (; run.next_toggle < toggles.size() && toggles[run.next_toggle].moment <= t; ++run.next_toggle)
        press_switch_key(run.show, toggles[run.next_toggle].key == 'B' ? SwitchKey::b : SwitchKey::j);
    draw_frame_at(run.show, t, run.drawn_any ? t - run.previous_time : frame_time(run.request.rate, 1));
    glFinish();
    run.drawn_any = true;
    run.previous_time = t;
}

// Writes the --at moments up to t, each named by the millisecond. One before t lies between two
// frames of the grid and is drawn as a frame of its own, in its place in time; one at t is the frame
// just drawn, if t_drawn.
static void capture_moments(Run& run, double t, bool t_drawn)
{
    const std::vector<double>& moments = run.request.moments;
    for (; run.next_moment < moments.size(); ++run.next_moment) {
        double moment = moments[run.next_moment];
        if (moment > t || (moment == t && !t_drawn))
            return;
        if (moment < t)
            draw_at(run, moment);
        write_png_frame(numbered_name(run.outputs.png_directory, moment_number(moment)),
                        read_frame_rgba(screen_width, screen_height));
    }
}

static void keep_range_frame(Run& run, long long n)
{
    const CaptureRequest& request = run.request;
    if (!request.video.empty()) {
        static Frame video_frame(size_t(screen_width) * screen_height * 4);
        read_frame_bgra_bottom_up(screen_width, screen_height, video_frame.data());
        std::string why;
        check(write_video_frame(video_frame.data(), &why), why);
    }
    if (!request.png_directory.empty())
        write_png_frame(numbered_name(run.outputs.png_directory, n - request.first_frame),
                        read_frame_rgba(screen_width, screen_height));
}

static void keep_sheet_frame(Run& run, long long n, double t)
{
    for (int scene = 0; scene < contact_sheet_scenes; ++scene)
        if (run.sheet_frames[scene] == n) {
            std::string why;
            check(add_to_contact_sheet(scene, t, read_frame_rgba(screen_width, screen_height).data(), &why), why);
        }
}

// Every frame from the start of the show is drawn, those before the range too, so that what carries
// from frame to frame (the tunnel's turn, the trails) is as in a capture of the whole show.
static void draw_frames(Run& run)
{
    const CaptureRequest& request = run.request;
    bool range_frames = wants_range_frames(request);
    start_progress(run.last_frame + 1);
    for (long long n = 0; n <= run.last_frame; ++n) {
        double t = frame_time(request.rate, n);
        capture_moments(run, t, false);
        draw_at(run, t);
        capture_moments(run, t, true);
        if (range_frames && n >= request.first_frame && n < request.end_frame)
            keep_range_frame(run, n);
        keep_sheet_frame(run, n, t);
        if (interrupted())
            fail("interrupted; no output kept");
        report_progress(n + 1);
    }
    capture_moments(run, HUGE_VAL, false);
    end_progress();
}

static void open_show()
{
    if (!open_offscreen_context(screen_width, screen_height))
        std::exit(1);
    set_view(screen_width, screen_height);
    init_gl_and_textures();
    init_demo(0.0);
}

// The soundtrack of the range's frames, to the sample; silence, with a notice, where the music
// does not reach.
static Samples soundtrack_of_range(const CaptureRequest& request)
{
    long long first = sample_frame_at(frame_time(request.rate, request.first_frame));
    long long end = sample_frame_at(frame_time(request.rate, request.end_frame));
    long long music_end = no_music;
    std::string music = data_file(music_file);
    Samples sound = cut_soundtrack(music, first, end - first, &music_end);
    if (music_end == no_music)
        std::fprintf(stderr, "ninescenes-capture: no music in %s: the soundtrack is silence\n", music.c_str());
    else if (music_end < end)
        std::fprintf(stderr, "ninescenes-capture: the music in %s ends at %.3f s: the soundtrack is silent from there\n",
                     music.c_str(), double(music_end) / audio_rate);
    return sound;
}

static std::string claimed_file(const std::string& path)
{
    std::string why;
    std::string temporary = path.empty() ? "" : claim_file(path, &why);
    check(path.empty() || !temporary.empty(), why);
    return temporary;
}

// Every output is claimed, and a video tried, before the long work starts: one that cannot be made
// is refused at once.
static OutputNames claim_outputs(const CaptureRequest& request)
{
    std::string why;
    if (!request.video.empty())
        check(find_ffmpeg(&why), why);
    OutputNames names;
    names.video = claimed_file(request.video);
    names.wav = claimed_file(request.wav);
    names.contact_sheet = claimed_file(request.contact_sheet);
    if (!request.png_directory.empty()) {
        names.png_directory = claim_frame_folder(request.png_directory, request.overwrite, &why);
        check(!names.png_directory.empty(), why);
    }
    if (!request.video.empty() && !try_video(names.video, &why))
        fail("cannot make the video " + request.video + ": " + why);
    return names;
}

int main(int argc, char** argv)
{
    Run run;
    run.request = parse_capture_request(argc, argv);
    const CaptureRequest& request = run.request;
    if (!find_data_directory(request.data_directory.empty() ? nullptr : request.data_directory.c_str()))
        return 1;
    watch_for_interrupts();
    std::atexit(abandon_capture);
    run.outputs = claim_outputs(request);
    const OutputNames& outputs = run.outputs;
    plan_frames(run);
    std::string why;
    Samples sound;
    if (!request.video.empty() || !request.wav.empty())
        sound = soundtrack_of_range(request);
    if (!request.wav.empty())
        check(write_wav(outputs.wav, sound, &why), why);
    if (run.last_frame != no_frame) {
        open_show();
        if (!request.video.empty())
            check(start_video(outputs.video, screen_width, screen_height, request.rate, sound, &why), why);
        draw_frames(run);
        if (!request.video.empty())
            check(finish_video(&why), why);
        if (!request.contact_sheet.empty())
            check(write_contact_sheet(outputs.contact_sheet, &why), why);
    }
    check(keep_outputs(&why), why);
    return 0;
}
