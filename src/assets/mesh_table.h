// The show's meshes and their file format: read by the loader, the data generator and its tests.
#pragma once

#include <cstddef>

// SMF, little-endian, no magic number or padding: the face count F and the vertex count V (unsigned
// 16-bit), then F faces of three unsigned 16-bit vertex indices (0-based), then V vertices of three
// 32-bit IEEE floats (x, y, z). Faces wound counter-clockwise seen from outside face outwards.
constexpr int smf_header_bytes = 4;
constexpr int smf_face_bytes = 6;
constexpr int smf_vertex_bytes = 12;
constexpr int smf_largest_count = 65535;
// The longest file whose counts can ask for anything: what follows is never read.
constexpr size_t smf_largest_file_bytes =
    smf_header_bytes + static_cast<size_t>(smf_largest_count) * (smf_face_bytes + smf_vertex_bytes);

// X(name): the meshes in loading order, each read from data/<name>.smf into its slot of the MeshSet.
// obu1 is the ring of scene 4, obu2 the smaller ring of scene 6.
#define NINESCENES_MESHES(X) X(obu1) X(obu2)

#define NINESCENES_MESH_NAME(name) #name,
inline constexpr const char* mesh_names[] = {NINESCENES_MESHES(NINESCENES_MESH_NAME)};
#undef NINESCENES_MESH_NAME

constexpr int mesh_count = sizeof mesh_names / sizeof mesh_names[0];

constexpr const char* mesh_extension = ".smf";
