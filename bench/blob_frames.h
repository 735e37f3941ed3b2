// The blob scenes' fields as the show builds them: eleven frames of scene 1's free cluster and eleven
// of the cavity of scenes 5 and 6, for the metaball benchmarks and the peers measured beside them.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>

enum class BlobScene { cluster, cavity };
constexpr int blob_frames = 11;

// Sets blob_volume's inputs (balls, their box, the threshold) as the scene does in frame k.
void place_blob_frame(BlobScene scene, int k);

// Resets blob_volume's field as the scene does: cleared for the cluster, the cavity wall else.
void reset_blob_field(BlobScene scene);

// Copies the whole field of frame k into blob_volume, built once on first use and kept.
void load_blob_field(BlobScene scene, int k);

// Reports the vertices and triangles a mesh benchmark made, as averages per iteration.
void report_mesh(benchmark::State& state, int64_t vertices, int64_t triangles);
