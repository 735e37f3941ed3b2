#include "pictures.h"

#include "jpeg_writer.h"
#include "text.h"

namespace {

struct PictureRecipe {
    const char* name;
    int width;
    int height;
    void (*paint)(Canvas& canvas);
};

// Sizes are those the show's loaders expect: power-of-two textures, and backdrops of a fixed layout.
const PictureRecipe recipes[] = {
    {"lighttex1", 256, 256, paint_lighttex1},
    {"lighttex3", 256, 256, paint_lighttex3},
    {"wobllighttex", 256, 256, paint_wobllighttex},
    {"blob1", 256, 256, paint_blob1},
    {"blob2", 256, 256, paint_blob2},
    {"wobl", 256, 256, paint_wobl},
    {"mag", 256, 256, paint_mag},
    {"refl1", 256, 256, paint_refl1},
    {"refl2", 256, 256, paint_refl2},
    {"tunnel", 256, 256, paint_tunnel},
    {"circletex", 256, 256, paint_circletex},
    {"circletex2", 128, 128, paint_circletex2},
    {"linetex", 256, 256, paint_linetex},
    {"scrolltex", 512, 1024, paint_scrolltex},
    {"scrolltausta", 640, 2000, paint_scrolltausta},
    {"wobltausta", 2048, 480, paint_wobltausta},
    {"blobitausta", 2000, 480, paint_blobitausta},
    {"pyoritystausta", 640, 2000, paint_pyoritystausta},
    {"border", 1024, 480, paint_border},
    {"loppukuva", 640, 480, paint_loppukuva},
    {"details", 512, 256, paint_details},
    {"quembly", 512, 256, paint_quembly},
};

}  // namespace

bool write_pictures(const std::string& out_dir)
{
    if (!load_fonts())
        return false;
    for (const PictureRecipe& recipe : recipes) {
        Canvas canvas = make_canvas(recipe.width, recipe.height);
        recipe.paint(canvas);
        if (!write_jpeg(out_dir + "/" + recipe.name + ".jpg", canvas))
            return false;
    }
    return true;
}
