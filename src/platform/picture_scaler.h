// The last pass of a frame in a window larger than the picture. The show draws its 640 × 480 picture
// in the window's lower left corner exactly as on a screen of that size; this pass copies it into a
// texture and draws it again as one quad over the largest 4:3 rectangle that fits the window, centred,
// with black around it. Plain GL 1.1, so it runs on the window and offscreen alike.
#pragma once

// A rectangle in window pixels, x and y from the lower left corner as GL counts them.
struct PictureRect {
    int x, y, width, height;
};

// The largest rectangle of the picture's 4:3 shape that fits a window of width × height, centred.
PictureRect fit_picture(int window_width, int window_height);

// Makes the texture the picture is copied into; once, in a new context.
void init_picture_scaler();

// Scales the picture drawn in the corner to the whole window, black around it. Leaves GL as it
// found it, the viewport included.
void scale_picture(int window_width, int window_height);
