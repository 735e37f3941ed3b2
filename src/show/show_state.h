// Everything of the show that changes from frame to frame, in one struct owned by whoever drives the
// frames: the SDL loop, the capture tool, each test and benchmark make their own. What never changes
// after start-up (the textures, the meshes, the tables) stays global.
#pragma once

#include "effects/matrix.h"
#include "effects/workspace.h"
#include "show/keys.h"

#include <memory>

struct ShowState {
    double demo_time = 0.0;    // seconds since the music started
    double frame_delta = 0.0;  // seconds of the last frame interval
    bool first_frame = true;   // the demo time does not advance on the first frame
    KeyPolls keys;
    // The switches of B (feedback trails) and J (block band), and the frames left before either key
    // may toggle again: one counter for both.
    bool trails_on = false;
    bool dct_on = false;
    int key_debounce = 0;
    // The wobbling cube's beat position: it holds still after the beats stop.
    float beat_step = 0.0f;
    // The tunnel's accumulated rotation: the identity until the tunnel first turns, then multiplied
    // by each frame's turn and never reset.
    Matrix4 tunnel_orientation = identity_matrix();
    // The effects' working storage, rewritten by each frame that uses it (the trails keep their frame
    // in their texture).
    std::unique_ptr<EffectWorkspace> work = std::make_unique<EffectWorkspace>();
};
