// Writes the fuzzers' seed corpora: small JPEG files of every kind the decoder meets, from plain
// baseline to progressive, arithmetic-coded, CMYK, greyscale, 12-bit, restart intervals and one scan
// per component; and small SMF meshes, closed, open, empty and with a face of zero area.
// usage: make_fuzz_seeds PICTURE_DIR MESH_DIR
#include "jpeg_encoder.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct SeedKind {
    const char* name;
    JpegKind kind;
};

static const SeedKind seed_kinds[] = {
    {"baseline", {}},
    {"progressive", {JCS_RGB, true}},
    {"arithmetic", {JCS_RGB, false, true}},
    {"progressive_arithmetic", {JCS_RGB, true, true}},
    {"cmyk", {JCS_CMYK}},
    {"greyscale", {JCS_GRAYSCALE}},
    {"restarts", {JCS_RGB, false, false, true}},
    {"scan_per_component", {JCS_RGB, false, false, false, true}},
};

static constexpr int seed_width = 24;
static constexpr int seed_height = 16;

static std::string encode(const JpegKind& kind)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(seed_width) * seed_height * components_of(kind.colour_space));
    const size_t row_bytes = pixels.size() / seed_height;
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<unsigned char>((i % row_bytes * 7 + i / row_bytes * 13) % 256);
    return encode_jpeg(pixels, seed_width, seed_height, kind);
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
        std::fprintf(stderr, "make_fuzz_seeds: cannot write %s\n", path.c_str());
    return written;
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_fuzz_seeds PICTURE_DIR MESH_DIR\n");
        return 1;
    }
    for (const SeedKind& kind : seed_kinds)
        if (!write_seed(argv[1], std::string(kind.name) + ".jpg", encode(kind.kind)))
            return 1;
    if (!write_seed(argv[1], "twelve_bit.jpg", twelve_bit(encode(seed_kinds[0].kind))))
        return 1;
    for (const MeshSeed& seed : mesh_seeds())
        if (!write_seed(argv[2], seed.name, seed.bytes))
            return 1;
    return 0;
}
