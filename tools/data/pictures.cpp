// Paints every picture of the show's picture table at the size the table gives and writes it as JPEG.
#include "pictures.h"

#include "assets/picture_table.h"
#include "jpeg_writer.h"
#include "text.h"

namespace {

// One painter per picture, in the table's order: paint_<name>.
#define NINESCENES_PAINTER(name, ...) paint_##name,
void (*const painters[picture_count])(Canvas& canvas) = {NINESCENES_PICTURES(NINESCENES_PAINTER)};
#undef NINESCENES_PAINTER

}  // namespace

void list_pictures(std::vector<std::string>& names)
{
    for (const PictureEntry& picture : picture_table)
        names.push_back(std::string(picture.name) + picture_extension);
}

bool write_pictures(const std::string& out_dir)
{
    if (!load_fonts())
        return false;
    for (int i = 0; i < picture_count; ++i) {
        const PictureEntry& picture = picture_table[i];
        Canvas canvas = make_canvas(picture.width, picture.height);
        painters[i](canvas);
        if (!write_jpeg(out_dir + "/" + picture.name + picture_extension, canvas))
            return false;
    }
    return true;
}
