// The show's two meshes, built from formulas: a fluted torus knot tube (obu1) and a plump five-pointed
// star (obu2), both closed and wound counter-clockwise seen from outside.
#pragma once

#include <string>
#include <vector>

// Builds and writes every mesh of the mesh table as OUT_DIR/<name>.smf; false after a failure
// (already reported).
bool write_meshes(const std::string& out_dir);
// Appends the file names write_meshes writes.
void list_meshes(std::vector<std::string>& names);
