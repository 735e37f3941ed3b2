// The post effects: the band's block loop, portable and packed, beside a TurboJPEG round trip of the
// same band (the usual way to make such artefacts), and each effect's whole cost per frame.
#include "offscreen_show.h"

#include "effects/dct_band.h"
#include "effects/feedback_trails.h"
#include "show/director.h"
#include "show/show_state.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

// A detailed moment: the metaball cluster in front of its glowing rings crosses the band.
static constexpr double band_moment = 45.0;
static constexpr int jpeg_quality = 10;

// The band of a real frame, read back as the effect reads it.
static const uint8_t* rendered_band()
{
    static std::vector<uint8_t> band;
    if (band.empty()) {
        show_is_loaded();
        draw_frame_at(bench_show(), band_moment, 1.0 / 60.0);
        band.resize(band_bytes);
        glReadPixels(band_left, band_bottom, band_width, band_height, GL_RGBA, GL_UNSIGNED_BYTE, band.data());
    }
    return band.data();
}

static void band_blocks(benchmark::State& state, void (*requantise)(const uint8_t*, uint8_t*))
{
    const uint8_t* in = rendered_band();
    static uint8_t out[band_bytes];
    for (auto _ : state) {
        requantise(in, out);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * band_width * band_height);
}
BENCHMARK_CAPTURE(band_blocks, portable, requantise_blocks_portable)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(band_blocks, packed, requantise_blocks)->Unit(benchmark::kMicrosecond);

[[noreturn]] static void turbojpeg_failed(tjhandle handle)
{
    std::fprintf(stderr, "TurboJPEG: %s\n", tjGetErrorStr2(handle));
    std::exit(1);
}

// Quality 10 with full-resolution colour (4:4:4), compressed into a buffer of the largest size
// such a band can need, then decompressed. flags 0 is TurboJPEG's default (accurate) DCT.
static void band_turbojpeg_round_trip(benchmark::State& state, int flags)
{
    const uint8_t* in = rendered_band();
    static uint8_t out[band_bytes];
    tjhandle compressor = tjInitCompress(), decompressor = tjInitDecompress();
    std::vector<unsigned char> jpeg(tjBufSize(band_width, band_height, TJSAMP_444));
    for (auto _ : state) {
        unsigned char* data = jpeg.data();
        unsigned long size = jpeg.size();
        if (tjCompress2(compressor, in, band_width, band_row_bytes, band_height, TJPF_RGBA, &data, &size,
                        TJSAMP_444, jpeg_quality, flags | TJFLAG_NOREALLOC) != 0)
            turbojpeg_failed(compressor);
        if (tjDecompress2(decompressor, data, size, out, band_width, band_row_bytes, band_height, TJPF_RGBA,
                          flags) != 0)
            turbojpeg_failed(decompressor);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * band_width * band_height);
    tjDestroy(compressor);
    tjDestroy(decompressor);
}
BENCHMARK_CAPTURE(band_turbojpeg_round_trip, accurate_dct, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(band_turbojpeg_round_trip, fast_dct, TJFLAG_FASTDCT)->Unit(benchmark::kMicrosecond);

// GL work is measured in wall time, waiting for the driver to finish every frame's effect.
static void post_effect_per_frame(benchmark::State& state, void (*apply)())
{
    rendered_band();
    for (auto _ : state) {
        apply();
        glFinish();
    }
}
BENCHMARK_CAPTURE(post_effect_per_frame, dct_band, [] { apply_dct_effect(bench_show().work->band, static_cast<float>(band_moment)); })
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(post_effect_per_frame, feedback_trails, apply_feedback_trails)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);
