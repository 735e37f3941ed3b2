// The show's frame: 640 × 480 pixels. A texture that holds a whole frame (a backdrop, the kept frame
// of the trails) is 1024 × 512 with the frame in one corner, covering these fractions of it.
#pragma once

constexpr int screen_width = 640;
constexpr int screen_height = 480;
constexpr int screen_texture_width = 1024;
constexpr int screen_texture_height = 512;
constexpr float screen_texture_s = static_cast<float>(screen_width) / screen_texture_width;     // 0.625
constexpr float screen_texture_t = static_cast<float>(screen_height) / screen_texture_height;  // 0.9375
