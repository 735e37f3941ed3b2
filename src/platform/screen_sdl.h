// The show's screen on SDL: the 640 × 480 full-screen mode, the whole desktop without a mode switch,
// or a window that can be resized. Inside, the picture is always drawn at 640 × 480; where the
// window is larger, a last pass scales it up before the frame is shown.
#pragma once

enum class ScreenChoice {
    mode_640x480,  // the full-screen 640 × 480 mode: a mode switch
    desktop,       // full screen at the desktop's own resolution
    window,        // a window that can be resized
};

struct WindowSize {
    int width, height;
};

// What the choice opens on a desktop of the given size: the picture's own size for the mode; the
// desktop's for the desktop; for a window, the largest whole multiple of 640 × 480 that covers at
// most 80 % of the desktop's area and leaves a tenth of its width and height for panels and the
// title bar, and never less than once.
WindowSize window_size_for(ScreenChoice choice, WindowSize desktop);

struct Screen {
    ScreenChoice choice;
    WindowSize window;
};

// Opens the screen with SDL's video already initialised; false when SDL cannot (its error says why).
// The pointer is hidden over a full-screen show only.
bool open_screen(ScreenChoice choice, Screen* screen);

// The window was resized: it follows, never smaller than the picture, which stays 640 × 480.
void resize_screen(Screen& screen, int width, int height);

// Shows the frame just drawn: scaled to the window where that is larger than the picture.
void show_frame(const Screen& screen);
