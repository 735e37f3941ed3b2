// The SMF reader, with its checks and smooth normals, and the sphere-mapped drawing of a mesh.
#include "assets/meshes.h"

#include "assets/sphere_map.h"

#include <GL/gl.h>

#include <cerrno>
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

// One line naming the file and what is wrong with it, then status 1.
[[noreturn]] __attribute__((format(printf, 2, 3))) static void mesh_fault(const char* path, const char* format, ...)
{
    std::fprintf(stderr, "ninescenes: mesh %s: ", path);
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stderr, format, arguments);
    va_end(arguments);
    std::fputc('\n', stderr);
    std::exit(1);
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

// The bytes after the header that the counts call for; a shorter file ends the program.
static std::vector<unsigned char> read_body(std::FILE* file, const char* path, uint16_t faces, uint16_t vertices)
{
    size_t need = static_cast<size_t>(faces) * smf_face_bytes + static_cast<size_t>(vertices) * smf_vertex_bytes;
    std::vector<unsigned char> body(need);
    size_t got = std::fread(body.data(), 1, need, file);
    if (got < need)
        mesh_fault(path, "truncated: %zu bytes of faces and vertices where its counts need %zu", got, need);
    return body;
}

static void read_faces(Mesh& mesh, const unsigned char* bytes, const char* path)
{
    mesh.indices.resize(static_cast<size_t>(mesh.face_count) * 3);
    for (size_t i = 0; i < mesh.indices.size(); ++i) {
        mesh.indices[i] = read_u16(bytes + 2 * i);
        if (mesh.indices[i] >= mesh.vertex_count)
            mesh_fault(path, "face %zu uses vertex %u of only %u", i / 3, mesh.indices[i], mesh.vertex_count);
    }
}

static void read_vertices(Mesh& mesh, const unsigned char* bytes, const char* path)
{
    mesh.vertices.resize(static_cast<size_t>(mesh.vertex_count) * 3);
    for (size_t i = 0; i < mesh.vertices.size(); ++i) {
        mesh.vertices[i] = read_f32(bytes + 4 * i);
        if (!std::isfinite(mesh.vertices[i]))
            mesh_fault(path, "vertex %zu is not a finite point", i / 3);
    }
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

Mesh load_smf(const char* path)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        std::fprintf(stderr, "ninescenes: cannot open mesh %s: %s\n", path, std::strerror(errno));
        std::exit(1);
    }
    unsigned char header[smf_header_bytes];
    size_t header_read = std::fread(header, 1, sizeof header, file);
    if (header_read < sizeof header)
        mesh_fault(path, "truncated: %zu bytes, too short for the %d-byte header", header_read, smf_header_bytes);
    Mesh mesh;
    mesh.face_count = read_u16(header);
    mesh.vertex_count = read_u16(header + 2);
    std::vector<unsigned char> body = read_body(file, path, mesh.face_count, mesh.vertex_count);
    std::fclose(file);
    read_faces(mesh, body.data(), path);
    read_vertices(mesh, body.data() + static_cast<size_t>(mesh.face_count) * smf_face_bytes, path);
    accumulate_face_vectors(mesh);
    for (size_t v = 0; v < mesh.normals.size(); v += 3)
        normalise(&mesh.normals[v]);
    return mesh;
}

void load_meshes()
{
    for (int i = 0; i < mesh_count; ++i) {
        char path[64];
        std::snprintf(path, sizeof path, "%s/%s%s", mesh_directory, mesh_names[i], mesh_extension);
        meshes.*mesh_slots[i] = load_smf(path);
    }
}

void draw_mesh_sphere_mapped(const Mesh& mesh)
{
    begin_sphere_mapping();
    glBegin(GL_TRIANGLES);
    for (uint16_t index : mesh.indices) {
        glNormal3fv(&mesh.normals[3 * index]);
        glVertex3fv(&mesh.vertices[3 * index]);
    }
    glEnd();
    end_sphere_mapping();
}
