// Writes the fuzzers' seed corpora: small JPEG files of every kind the decoder meets, from plain
// baseline to progressive, arithmetic-coded, CMYK, greyscale, 12-bit, restart intervals and one scan
// per component; and small SMF meshes, closed, open, empty and with a face of zero area.
// usage: make_fuzz_seeds PICTURE_DIR MESH_DIR
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

struct SeedKind {
    const char* name;
    int components;
    J_COLOR_SPACE colour_space;
    bool progressive, arithmetic, restarts, scan_per_component;
};

static const SeedKind seed_kinds[] = {
    {"baseline", 3, JCS_RGB, false, false, false, false},
    {"progressive", 3, JCS_RGB, true, false, false, false},
    {"arithmetic", 3, JCS_RGB, false, true, false, false},
    {"progressive_arithmetic", 3, JCS_RGB, true, true, false, false},
    {"cmyk", 4, JCS_CMYK, false, false, false, false},
    {"greyscale", 1, JCS_GRAYSCALE, false, false, false, false},
    {"restarts", 3, JCS_RGB, false, false, true, false},
    {"scan_per_component", 3, JCS_RGB, false, false, false, true},
};

static constexpr int seed_width = 24;
static constexpr int seed_height = 16;

static std::string encode(const SeedKind& kind)
{
    jpeg_compress_struct encoder;
    jpeg_error_mgr errors;
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&encoder, &bytes, &size);
    encoder.image_width = seed_width;
    encoder.image_height = seed_height;
    encoder.input_components = kind.components;
    encoder.in_color_space = kind.colour_space;
    jpeg_set_defaults(&encoder);
    if (kind.progressive)
        jpeg_simple_progression(&encoder);
    encoder.arith_code = kind.arithmetic;
    if (kind.restarts)
        encoder.restart_interval = 1;
    static jpeg_scan_info one_scan_each[3] = {{1, {0}, 0, 63, 0, 0}, {1, {1}, 0, 63, 0, 0}, {1, {2}, 0, 63, 0, 0}};
    if (kind.scan_per_component) {
        encoder.scan_info = one_scan_each;
        encoder.num_scans = 3;
    }
    jpeg_start_compress(&encoder, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(seed_width) * kind.components);
    for (int y = 0; y < seed_height; ++y) {
        for (size_t i = 0; i < row.size(); ++i)
            row[i] = static_cast<unsigned char>((i * 7 + y * 13) % 256);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&encoder, rows, 1);
    }
    jpeg_finish_compress(&encoder);
    std::string encoded(reinterpret_cast<char*>(bytes), size);
    std::free(bytes);
    jpeg_destroy_compress(&encoder);
    return encoded;
}

// A 12-bit picture cannot be made by the 8-bit library: the baseline seed with its frame header's
// precision raised, which the decoder must refuse cleanly.
static std::string twelve_bit(std::string bytes)
{
    bytes[bytes.find("\xFF\xC0") + 4] = 12;
    return bytes;
}

// An SMF file: the counts, the faces, then the vertices, little-endian.
static std::string smf(const std::vector<uint16_t>& faces, const std::vector<float>& vertices)
{
    std::string bytes;
    auto put = [&](const void* p, size_t n) { bytes.append(static_cast<const char*>(p), n); };
    uint16_t counts[2] = {static_cast<uint16_t>(faces.size() / 3), static_cast<uint16_t>(vertices.size() / 3)};
    put(counts, sizeof counts);
    put(faces.data(), faces.size() * sizeof faces[0]);
    put(vertices.data(), vertices.size() * sizeof vertices[0]);
    return bytes;
}

static const std::vector<float> tetrahedron_corners = {1, 1, 1, 1, -1, -1, -1, 1, -1, -1, -1, 1};

struct MeshSeed {
    const char* name;
    std::string bytes;
};

static std::vector<MeshSeed> mesh_seeds()
{
    return {
        {"tetrahedron.smf", smf({0, 1, 2, 0, 3, 1, 0, 2, 3, 1, 3, 2}, tetrahedron_corners)},
        {"triangle.smf", smf({0, 1, 2}, {0, 0, 0, 1, 0, 0, 0, 1, 0})},
        {"empty.smf", smf({}, {})},
        {"unused_vertex.smf", smf({0, 1, 2}, {0, 0, 0, 1, 0, 0, 0, 1, 0, 5, 5, 5})},
        {"zero_area.smf", smf({0, 1, 2, 0, 2, 1}, {0, 0, 0, 1, 1, 1, 2, 2, 2})},
    };
}

static bool write_seed(const std::string& directory, const std::string& name, const std::string& bytes)
{
    std::string path = directory + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file)
        std::fclose(file);
    if (!written)
        std::fprintf(stderr, "make_picture_seeds: cannot write %s\n", path.c_str());
    return written;
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_fuzz_seeds PICTURE_DIR MESH_DIR\n");
        return 1;
    }
    for (const SeedKind& kind : seed_kinds)
        if (!write_seed(argv[1], std::string(kind.name) + ".jpg", encode(kind)))
            return 1;
    if (!write_seed(argv[1], "twelve_bit.jpg", twelve_bit(encode(seed_kinds[0]))))
        return 1;
    for (const MeshSeed& seed : mesh_seeds())
        if (!write_seed(argv[2], seed.name, seed.bytes))
            return 1;
    return 0;
}
