// The SMF reader, with its checks and smooth normals, and the sphere-mapped drawing of a mesh.
#include "assets/meshes.h"

#include "assets/data_directory.h"
#include "assets/data_file.h"


#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

MeshSet meshes;

#define NINESCENES_MESH_SLOT(name) &MeshSet::name,
static Mesh MeshSet::*const mesh_slots[mesh_count] = {NINESCENES_MESHES(NINESCENES_MESH_SLOT)};
#undef NINESCENES_MESH_SLOT

// What a vertex without a direction of its own faces.
static constexpr float fallback_normal[3] = {0.0f, 0.0f, 1.0f};

// The reason a file cannot be used, as one line's worth of text.
__attribute__((format(printf, 2, 3))) static bool refuse(std::string& why, const char* format, ...)
{
    char text[160];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    why = text;
    return false;
}

static uint16_t read_u16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

static float read_f32(const unsigned char* p)
{
    uint32_t bits = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                    static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

static bool read_faces(Mesh& mesh, const unsigned char* bytes, std::string& why)
{
    mesh.indices.resize(static_cast<size_t>(mesh.face_count) * 3);
    for (size_t i = 0; i < mesh.indices.size(); ++i) {
        mesh.indices[i] = read_u16(bytes + 2 * i);
        if (mesh.indices[i] >= mesh.vertex_count)
            return refuse(why, "face %zu uses vertex %u of only %u", i / 3, mesh.indices[i], mesh.vertex_count);
    }
    return true;
}

static bool read_vertices(Mesh& mesh, const unsigned char* bytes, std::string& why)
{
    mesh.vertices.resize(static_cast<size_t>(mesh.vertex_count) * 3);
    for (size_t i = 0; i < mesh.vertices.size(); ++i) {
        mesh.vertices[i] = read_f32(bytes + 4 * i);
        if (!std::isfinite(mesh.vertices[i]))
            return refuse(why, "vertex %zu is not a finite point", i / 3);
    }
    return true;
}

// Each face adds its unnormalised cross product, twice its area in length, to its three corners.
static void accumulate_face_vectors(Mesh& mesh)
{
    mesh.normals.assign(mesh.vertices.size(), 0.0f);
    const float* p = mesh.vertices.data();
    for (size_t f = 0; f < mesh.indices.size(); f += 3) {
        const float* a = p + 3 * mesh.indices[f];
        const float* b = p + 3 * mesh.indices[f + 1];
        const float* c = p + 3 * mesh.indices[f + 2];
        const float e1[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const float e2[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const float n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                            e1[0] * e2[1] - e1[1] * e2[0]};
        for (int corner = 0; corner < 3; ++corner)
            for (int k = 0; k < 3; ++k)
                mesh.normals[3 * mesh.indices[f + corner] + k] += n[k];
    }
}

static void normalise(float* n)
{
    double x = n[0], y = n[1], z = n[2];
    double length_squared = x * x + y * y + z * z;
    if (!(length_squared > 0.0) || !std::isfinite(length_squared)) {
        std::memcpy(n, fallback_normal, sizeof fallback_normal);
        return;
    }
    double scale = 1.0 / std::sqrt(length_squared);
    n[0] = static_cast<float>(x * scale);
    n[1] = static_cast<float>(y * scale);
    n[2] = static_cast<float>(z * scale);
}

bool parse_smf(const unsigned char* bytes, size_t size, Mesh& mesh, std::string& why)
{
    if (size < smf_header_bytes)
        return refuse(why, "truncated: %zu bytes, too short for the %d-byte header", size, smf_header_bytes);
    mesh.face_count = read_u16(bytes);
    mesh.vertex_count = read_u16(bytes + 2);
    size_t face_bytes = static_cast<size_t>(mesh.face_count) * smf_face_bytes;
    size_t need = face_bytes + static_cast<size_t>(mesh.vertex_count) * smf_vertex_bytes;
    size_t got = size - smf_header_bytes;
    if (got < need)
        return refuse(why, "truncated: %zu bytes of faces and vertices where its counts need %zu", got, need);
    const unsigned char* body = bytes + smf_header_bytes;
    if (!read_faces(mesh, body, why) || !read_vertices(mesh, body + face_bytes, why))
        return false;
    accumulate_face_vectors(mesh);
    for (size_t v = 0; v < mesh.normals.size(); v += 3)
        normalise(&mesh.normals[v]);
    return true;
}

Mesh load_smf(const char* path)
{
    std::vector<unsigned char> bytes;
    std::string why;
    if (!read_data_file(path, smf_largest_file_bytes, bytes, why)) {
        std::fprintf(stderr, "ninescenes: cannot open mesh %s: %s\n", path, why.c_str());
        std::exit(1);
    }
    Mesh mesh;
    if (!parse_smf(bytes.data(), bytes.size(), mesh, why)) {
        std::fprintf(stderr, "ninescenes: mesh %s: %s\n", path, why.c_str());
        std::exit(1);
    }
    return mesh;
}

void load_meshes()
{
    for (int i = 0; i < mesh_count; ++i)
        meshes.*mesh_slots[i] = load_smf(data_file(std::string(mesh_names[i]) + mesh_extension).c_str());
}
