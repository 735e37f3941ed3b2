// Progress: throttled by the wall clock on a terminal, by the fraction done elsewhere.
#include "progress.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>

using Clock = std::chrono::steady_clock;

static constexpr double terminal_interval_seconds = 0.25;
static constexpr int log_steps = 10;

static long long total = 0;
static Clock::time_point started;
static Clock::time_point last_shown;
static int last_step = 0;
static bool on_terminal = false;
static bool line_open = false;

void start_progress(long long total_frames)
{
    total = total_frames;
    started = last_shown = Clock::now();
    last_step = 0;
    on_terminal = isatty(STDERR_FILENO);
}

static void show(long long done, double elapsed)
{
    double rate = elapsed > 0 ? done / elapsed : 0.0;
    long long left = rate > 0 ? static_cast<long long>((total - done) / rate + 0.5) : 0;
    std::fprintf(stderr, "%sninescenes-capture: %lld/%lld frames, %.1f frames/s, %lld:%02lld left%s",
                 on_terminal ? "\r" : "", done, total, rate, left / 60, left % 60, on_terminal ? "\033[K" : "\n");
    line_open = on_terminal;
}

void report_progress(long long frames_done)
{
    Clock::time_point now = Clock::now();
    double elapsed = std::chrono::duration<double>(now - started).count();
    if (on_terminal) {
        if (std::chrono::duration<double>(now - last_shown).count() < terminal_interval_seconds && frames_done < total)
            return;
        last_shown = now;
    } else {
        int step = static_cast<int>(frames_done * log_steps / total);
        if (step == last_step)
            return;
        last_step = step;
    }
    show(frames_done, elapsed);
}

void end_progress()
{
    if (line_open)
        std::fputc('\n', stderr);
    line_open = false;
}
