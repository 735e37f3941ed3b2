// Fuzzes the mesh reader: any bytes through the SMF parser, which must refuse or yield a mesh whose
// every index is in range and whose every normal is a finite unit vector.
#include "assets/meshes.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Mesh mesh;
    std::string why;
    if (!parse_smf(data, size, mesh, why))
        return 0;
    for (uint16_t index : mesh.indices)
        if (index >= mesh.vertex_count)
            std::abort();
    for (size_t v = 0; v < mesh.normals.size(); v += 3) {
        double length = std::hypot(mesh.normals[v], mesh.normals[v + 1], mesh.normals[v + 2]);
        if (!(std::fabs(length - 1.0) < 1e-3))
            std::abort();
    }
    return 0;
}
