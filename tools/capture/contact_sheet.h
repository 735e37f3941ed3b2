// The contact sheet: one picture of the whole show, a frame from the middle of each scene, three
// by three at half size, each labelled with its scene and moment.
#pragma once

#include "show/timeline.h"

#include <string>

constexpr int contact_sheet_scenes = scene_table_size + 1;

// The middle of scene k (0 … 8), in seconds of demo time.
double scene_middle(int scene);

// Lays the frame (RGBA, top row first, the show's size) into the scene's place, labelled with t.
// False with the reason if the label's font cannot be loaded.
bool add_to_contact_sheet(int scene, double t, const unsigned char* rgba, std::string* why);
// Writes the sheet as PNG; false with the reason on failure.
bool write_contact_sheet(const std::string& path, std::string* why);
