// The ffmpeg process: raw frames on its standard input, the sound from an unnamed temporary file on
// descriptor 3, its messages into another, read back only when it fails. A trial run first makes a
// one-frame video of the output's name, so that a container ffmpeg does not know by the name's
// extension, or one that cannot hold H.264 and AAC, is refused before any frame is drawn.
#include "video_encoder.h"

#include "output_files.h"
#include "show/audio.h"
#include "platform/mp3_decoder.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

static constexpr const char* ffmpeg_name = "ffmpeg";
static constexpr int sound_descriptor = 3;
// A whole frame fits in the pipe, so the renderer rarely waits for ffmpeg to pick one up.
static constexpr int pipe_bytes = 1 << 20;
// x264's fastest presets but one: on two cores the drawing takes one and the encoding must leave it
// most of it. "veryfast" costs some 40 % more time per frame, for a file half as large.
static constexpr const char* encoder_preset = "superfast";
static constexpr const char* video_quality = "18";  // x264's constant rate factor: near transparent
static constexpr const char* sound_bitrate = "192k";

static std::string ffmpeg_path;
static pid_t ffmpeg_pid = -1;
static int frame_pipe = -1;
static int message_file = -1;
static size_t frame_bytes = 0;

bool find_ffmpeg(std::string* why)
{
    const char* path = std::getenv("PATH");
    std::string directories = path ? path : "";
    for (size_t start = 0; start <= directories.size();) {
        size_t colon = std::min(directories.find(':', start), directories.size());
        std::string directory = directories.substr(start, colon - start);
        std::string candidate = (directory.empty() ? "." : directory) + "/" + ffmpeg_name;
        if (access(candidate.c_str(), X_OK) == 0) {
            ffmpeg_path = candidate;
            return true;
        }
        start = colon + 1;
    }
    *why = "no ffmpeg program on the PATH: a video needs it (Debian package ffmpeg, see scripts/install-deps)";
    return false;
}

// An unnamed file, closed when this process and ffmpeg have both let go of it.
static int unnamed_file()
{
    char name[] = "/tmp/ninescenes-capture-XXXXXX";
    int file = mkostemp(name, O_CLOEXEC);
    if (file >= 0)
        unlink(name);
    return file;
}

static bool write_all(int file, const void* bytes, size_t length)
{
    const char* at = static_cast<const char*>(bytes);
    while (length > 0) {
        ssize_t written = write(file, at, length);
        if (written < 0 && errno == EINTR && !interrupted())
            continue;
        if (written <= 0)
            return false;
        at += written;
        length -= size_t(written);
    }
    return true;
}

// The options of the output, the same for the trial as for the video.
static std::vector<std::string> output_arguments(const std::string& file)
{
    return {"-map", "0:v", "-map", "1:a",
            "-c:v", "libx264", "-preset", encoder_preset, "-crf", video_quality, "-pix_fmt", "yuv420p",
            "-c:a", "aac", "-b:a", sound_bitrate,
            "-movflags", "+faststart",
            "file:" + file};
}

static std::vector<std::string> with_output(std::vector<std::string> arguments, const std::string& file)
{
    std::vector<std::string> output = output_arguments(file);
    arguments.insert(arguments.end(), output.begin(), output.end());
    return arguments;
}

static std::vector<std::string> ffmpeg_arguments(const std::string& file, int width, int height, const FrameRate& rate)
{
    std::string size = std::to_string(width) + "x" + std::to_string(height);
    std::string frames_per_second = std::to_string(rate.frames) + "/" + std::to_string(rate.seconds);
    return with_output({ffmpeg_name, "-nostdin", "-hide_banner", "-loglevel", "error", "-y",
                        "-f", "rawvideo", "-pix_fmt", "bgra", "-video_size", size, "-framerate", frames_per_second,
                        "-i", "pipe:0",
                        "-f", "s16le", "-ar", std::to_string(audio_rate), "-ac", std::to_string(mp3_channel_count),
                        "-i", "pipe:" + std::to_string(sound_descriptor),
                        "-vf", "vflip"},
                       file);
}

// One black frame and a moment of silence, from ffmpeg's own sources, encoded as the video will be.
static std::vector<std::string> trial_arguments(const std::string& file)
{
    return with_output({ffmpeg_name, "-nostdin", "-hide_banner", "-loglevel", "error", "-y",
                        "-f", "lavfi", "-i", "color=c=black:s=64x64:r=1:d=1",
                        "-f", "lavfi", "-i", "anullsrc=r=" + std::to_string(audio_rate) + ":cl=stereo",
                        "-frames:v", "1", "-shortest"},
                       file);
}

// Starts ffmpeg with the frames (or nothing) on its standard input and the sound (if any) on
// descriptor 3.
static bool spawn_ffmpeg(const std::vector<std::string>& arguments, int frames_in, int sound_in)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (frames_in >= 0)
        posix_spawn_file_actions_adddup2(&actions, frames_in, STDIN_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (sound_in >= 0)
        posix_spawn_file_actions_adddup2(&actions, sound_in, sound_descriptor);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, message_file, STDERR_FILENO);
    // Its own process group: a ^C on the terminal reaches only the capture, which then stops ffmpeg.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    int result = posix_spawn(&ffmpeg_pid, ffmpeg_path.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (result != 0)
        ffmpeg_pid = -1;
    return result == 0;
}

bool start_video(const std::string& file, int width, int height, const FrameRate& rate, const Samples& sound,
                 std::string* why)
{
    int sound_file = unnamed_file();
    message_file = unnamed_file();
    int ends[2];
    bool ready = sound_file >= 0 && message_file >= 0 && pipe2(ends, O_CLOEXEC) == 0;
    if (ready && !(write_all(sound_file, sound.data(), sound.size() * sizeof(int16_t))
                   && lseek(sound_file, 0, SEEK_SET) == 0)) {
        close(ends[0]);
        close(ends[1]);
        ready = false;
    }
    if (!ready) {
        *why = std::string("cannot prepare the sound for ffmpeg: ") + std::strerror(errno);
        if (sound_file >= 0)
            close(sound_file);
        return false;
    }
    fcntl(ends[1], F_SETPIPE_SZ, pipe_bytes);
    bool started = spawn_ffmpeg(ffmpeg_arguments(file, width, height, rate), ends[0], sound_file);
    close(ends[0]);
    close(sound_file);
    if (!started) {
        close(ends[1]);
        *why = "cannot start " + ffmpeg_path;
        return false;
    }
    frame_pipe = ends[1];
    frame_bytes = size_t(width) * height * 4;
    return true;
}

// ffmpeg's first line of messages, its reason for failing, without the "[muxer @ 0x…] " before it.
static std::string first_message()
{
    std::string text;
    char chunk[4096];
    lseek(message_file, 0, SEEK_SET);
    for (ssize_t got; (got = read(message_file, chunk, sizeof chunk)) > 0;)
        text.append(chunk, size_t(got));
    text = text.substr(0, text.find_first_of("\r\n"));
    if (!text.empty() && text[0] == '[' && text.find("] ") != std::string::npos)
        text.erase(0, text.find("] ") + 2);
    return text;
}

// Waits for ffmpeg to end; false with its reason unless it ended well.
static bool wait_for_ffmpeg(std::string* why)
{
    int status = 0;
    pid_t waited;
    while ((waited = waitpid(ffmpeg_pid, &status, 0)) < 0 && errno == EINTR)
        if (interrupted())
            kill(ffmpeg_pid, SIGTERM);
    ffmpeg_pid = -1;
    if (waited > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return true;
    if (interrupted()) {
        *why = "interrupted; no output kept";
        return false;
    }
    if (waited > 0 && WIFSIGNALED(status)) {
        *why = "ffmpeg was killed by signal " + std::to_string(WTERMSIG(status)) + " (" + strsignal(WTERMSIG(status))
            + ")";
        return false;
    }
    std::string message = first_message();
    *why = "ffmpeg failed" + (message.empty() ? std::string() : ": " + message);
    return false;
}

bool try_video(const std::string& file, std::string* why)
{
    message_file = unnamed_file();
    bool made = message_file >= 0 && spawn_ffmpeg(trial_arguments(file), -1, -1);
    if (!made)
        *why = "cannot start " + ffmpeg_path;
    else
        made = wait_for_ffmpeg(why);
    if (message_file >= 0)
        close(message_file);
    message_file = -1;
    return made;
}

bool write_video_frame(const unsigned char* bgra, std::string* why)
{
    if (write_all(frame_pipe, bgra, frame_bytes))
        return true;
    if (interrupted()) {
        *why = "interrupted";
        return false;
    }
    close(frame_pipe);
    frame_pipe = -1;
    wait_for_ffmpeg(why);
    return false;
}

bool finish_video(std::string* why)
{
    close(frame_pipe);
    frame_pipe = -1;
    return wait_for_ffmpeg(why);
}

void abandon_video()
{
    if (frame_pipe >= 0)
        close(frame_pipe);
    frame_pipe = -1;
    if (ffmpeg_pid > 0) {
        kill(ffmpeg_pid, SIGTERM);
        while (waitpid(ffmpeg_pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    ffmpeg_pid = -1;
}
