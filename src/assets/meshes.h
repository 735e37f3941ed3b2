// The show's triangle meshes: read from SMF files at start-up, given smooth normals, and drawn as
// mirrors by sphere mapping.
#pragma once

#include "assets/mesh_table.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct Mesh {
    std::vector<uint16_t> indices;  // three per face, as read
    std::vector<float> vertices;    // x, y, z per vertex, as read
    std::vector<float> normals;     // a unit x, y, z per vertex, computed at load
    uint16_t vertex_count = 0;
    uint16_t face_count = 0;
};

// One Mesh per entry of the mesh table, named after it.
struct MeshSet {
#define NINESCENES_MESH_SLOT(name) Mesh name;
    NINESCENES_MESHES(NINESCENES_MESH_SLOT)
#undef NINESCENES_MESH_SLOT
};
extern MeshSet meshes;

// Reads an SMF file and gives each vertex the normalised sum of its faces' cross products, so that
// larger faces weigh more. A vertex no face uses, or whose faces cancel out, faces +z. A missing
// file, one shorter than its counts say, a face index not below the vertex count or a coordinate that
// is not a finite number ends the program with status 1 and one line naming the file and the fault.
// Bytes after the vertices are ignored.
Mesh load_smf(const char* path);

// The same for the bytes of a file: false with the fault in why instead of ending the program.
bool parse_smf(const unsigned char* bytes, size_t size, Mesh& mesh, std::string& why);

// Every mesh of the mesh table, in its order, from data/<name>.smf.
void load_meshes();
