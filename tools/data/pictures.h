// The show's 22 pictures: one painting routine each, and the step that writes them all.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

// Paints and writes every picture as OUT_DIR/<name>.jpg; false after a failure (already reported).
bool write_pictures(const std::string& out_dir);
// Appends the file names write_pictures writes.
void list_pictures(std::vector<std::string>& names);

// Light maps, glows and reflection maps (lights.cpp).
void paint_lighttex1(Canvas& canvas);
void paint_lighttex3(Canvas& canvas);
void paint_wobllighttex(Canvas& canvas);
void paint_circletex(Canvas& canvas);
void paint_circletex2(Canvas& canvas);
void paint_linetex(Canvas& canvas);
void paint_refl1(Canvas& canvas);
void paint_refl2(Canvas& canvas);

// Seamless surface tiles (tiles.cpp).
void paint_tunnel(Canvas& canvas);
void paint_blob1(Canvas& canvas);
void paint_blob2(Canvas& canvas);
void paint_wobl(Canvas& canvas);
void paint_mag(Canvas& canvas);

// Backdrops and the letterbox frame (backdrops.cpp).
void paint_blobitausta(Canvas& canvas);
void paint_wobltausta(Canvas& canvas);
void paint_scrolltausta(Canvas& canvas);
void paint_pyoritystausta(Canvas& canvas);
void paint_border(Canvas& canvas);

// Pictures with text (titles.cpp); they need load_fonts() first.
void paint_details(Canvas& canvas);
void paint_quembly(Canvas& canvas);
void paint_scrolltex(Canvas& canvas);
void paint_loppukuva(Canvas& canvas);
