// Counts the values that are not finite numbers among everything the show and GLU send to GL
// (vertices, texture coordinates, normals, colours, one by one or drawn from client arrays; raster
// positions; matrices).
#pragma once

long nonfinite_gl_values();
