// Triangle strips drawn as plain triangles from one index table, in one call: the triangles are the
// very ones GL makes of the strip, in its order and with its corner order (triangle k of a strip is
// vertices k, k + 1, k + 2, every odd one taken as k + 1, k, k + 2 so that all face the same way),
// so the pixels are the strips' own.
#pragma once

#include <cstdint>

// Index entries for the triangles of one strip of `vertices` vertices.
constexpr int strip_indices(int vertices) { return 3 * (vertices - 2); }

// Writes the triangles of the strip whose k-th vertex is number vertex(k) to out, and returns the
// entry after them.
template <typename VertexNumber>
constexpr uint16_t* add_strip(uint16_t* out, int vertices, VertexNumber vertex)
{
    for (int k = 0; k + 2 < vertices; ++k) {
        *out++ = static_cast<uint16_t>(vertex(k + (k & 1)));
        *out++ = static_cast<uint16_t>(vertex(k + 1 - (k & 1)));
        *out++ = static_cast<uint16_t>(vertex(k + 2));
    }
    return out;
}

// The index table of `strips` strips of `vertices` vertices each, stored one after the other.
template <int strips, int vertices>
struct StripTable {
    static constexpr int count = strips * strip_indices(vertices);
    uint16_t index[count];

    constexpr StripTable() : index()
    {
        uint16_t* out = index;
        for (int s = 0; s < strips; ++s)
            out = add_strip(out, vertices, [s](int k) { return s * vertices + k; });
    }
};
