// Where a screenshot is lit: reads a binary PPM picture (P6, 8 bits a channel) on standard input and
// prints the smallest rectangle holding every pixel that is not pure black, as WIDTHxHEIGHT+X+Y with
// X and Y from the top left corner, or "none" when every pixel is black.
// usage: ffmpeg -i shot.xwd -f image2pipe -c:v ppm - | lit_box
#include <algorithm>
#include <cstdio>
#include <vector>

int main()
{
    int width = 0, height = 0, top = 0;
    if (std::scanf("P6 %d %d %d", &width, &height, &top) != 3 || top != 255 || width <= 0 || height <= 0
        || std::getchar() == EOF) {
        std::fprintf(stderr, "lit_box: not an 8-bit binary PPM picture\n");
        return 1;
    }
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    int left = width, right = -1, first = height, last = -1;
    for (int y = 0; y < height; ++y) {
        if (std::fread(row.data(), 1, row.size(), stdin) != row.size()) {
            std::fprintf(stderr, "lit_box: the picture is cut short\n");
            return 1;
        }
        for (int x = 0; x < width; ++x)
            if (row[3 * x] || row[3 * x + 1] || row[3 * x + 2]) {
                left = std::min(left, x);
                right = std::max(right, x);
                first = std::min(first, y);
                last = y;
            }
    }
    if (right < 0)
        std::printf("none\n");
    else
        std::printf("%dx%d+%d+%d\n", right - left + 1, last - first + 1, left, first);
    return 0;
}
