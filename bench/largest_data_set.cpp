// Writes the costliest data set the show accepts, to measure its start-up against: every picture at
// the most pixels it may hold (an odd width, so that mipmapped ones are rescaled), of noise, as a
// progressive file of 62 scans just under the bytes it may take; the meshes copied; as the music,
// 62 MB of the smallest MP3 frames there are (8 kbit/s at 24 kHz, 24 ms each).
// usage: ninescenes-largest-data SOURCE_DATA OUT_DATA
#include "assets/jpeg.h"
#include "assets/mesh_table.h"
#include "assets/picture_table.h"

#include <jpeglib.h>
#include <lame/lame.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

static constexpr int noise_quality = 100;
static constexpr int bands = 10;  // each component's AC coefficients, in a first and a refining scan
static constexpr int music_rate = 24000;
static constexpr int music_kbps = 8;
static constexpr int music_chunk_seconds = 600;
static constexpr long long music_bytes = 62'000'000;

// DC of all three components, then its refinement, then per component each AC band twice: 62 scans.
static std::vector<jpeg_scan_info> scan_script()
{
    std::vector<jpeg_scan_info> script = {{3, {0, 1, 2}, 0, 0, 0, 1}, {3, {0, 1, 2}, 0, 0, 1, 0}};
    for (int component = 0; component < 3; ++component)
        for (int refining = 0; refining < 2; ++refining)
            for (int band = 0; band < bands; ++band)
                script.push_back({1, {component}, 1 + band * 63 / bands, (band + 1) * 63 / bands, refining, 1 - refining});
    return script;
}

static bool write_noise_picture(const fs::path& path, int width, int height, std::mt19937& random)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct encoder;
    jpeg_error_mgr errors;
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    jpeg_stdio_dest(&encoder, file);
    encoder.image_width = width;
    encoder.image_height = height;
    encoder.input_components = 3;
    encoder.in_color_space = JCS_RGB;
    jpeg_set_defaults(&encoder);
    jpeg_set_quality(&encoder, noise_quality, TRUE);
    for (int c = 0; c < 3; ++c)
        encoder.comp_info[c].h_samp_factor = encoder.comp_info[c].v_samp_factor = 1;
    std::vector<jpeg_scan_info> script = scan_script();
    encoder.scan_info = script.data();
    encoder.num_scans = int(script.size());
    jpeg_start_compress(&encoder, TRUE);
    std::vector<unsigned char> row(size_t(width) * 3);
    while (encoder.next_scanline < encoder.image_height) {
        for (unsigned char& sample : row)
            sample = static_cast<unsigned char>(random());
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&encoder, rows, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    return std::fclose(file) == 0;
}

// Ten minutes of noise in the smallest frames, repeated (frames follow frames whole) to the size.
static bool write_long_music(const fs::path& path, std::mt19937& random)
{
    lame_global_flags* lame = lame_init();
    lame_set_in_samplerate(lame, music_rate);
    lame_set_out_samplerate(lame, music_rate);
    lame_set_num_channels(lame, 2);
    lame_set_brate(lame, music_kbps);
    lame_set_bWriteVbrTag(lame, 0);
    lame_init_params(lame);
    std::vector<short> pcm(size_t(music_chunk_seconds) * music_rate * 2);
    for (short& sample : pcm)
        sample = static_cast<short>(random() % 8000);
    std::vector<unsigned char> chunk(pcm.size() * 5 / 8 + 7200);
    int size = lame_encode_buffer_interleaved(lame, pcm.data(), int(pcm.size() / 2), chunk.data(), int(chunk.size()));
    size += lame_encode_flush(lame, chunk.data() + size, int(chunk.size()) - size);
    lame_close(lame);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    for (long long written = 0; file && written + size <= music_bytes; written += size)
        std::fwrite(chunk.data(), 1, size_t(size), file);
    return file && std::fclose(file) == 0;
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: ninescenes-largest-data SOURCE_DATA OUT_DATA\n");
        return 1;
    }
    fs::path source = argv[1], out = argv[2];
    fs::create_directories(out);
    std::mt19937 random(1);
    for (const PictureEntry& picture : picture_table) {
        bool own = picture.layout == PictureLayout::own_size;
        int width = own ? 2 * picture.width - 1 : picture.width;
        int height = own ? 2 * picture.height : picture.height;
        fs::path path = out / (std::string(picture.name) + picture_extension);
        if (!write_noise_picture(path, width, height, random)
            || (long long)fs::file_size(path) > largest_file_bytes(picture.accepted_pixels())) {
            std::fprintf(stderr, "ninescenes-largest-data: %s not written within its bounds\n", path.c_str());
            return 1;
        }
    }
    for (const char* mesh : mesh_names) {
        std::string name = std::string(mesh) + mesh_extension;
        fs::copy_file(source / name, out / name, fs::copy_options::overwrite_existing);
    }
    return write_long_music(out / "dot.mp3", random) ? 0 : 1;
}
