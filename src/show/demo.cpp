// Start-up of the show: GL state and pictures; music, effect tables, meshes, then the music starts.
#include "show/demo.h"

#include "assets/data_directory.h"
#include "assets/meshes.h"
#include "assets/textures.h"
#include "effects/feedback_trails.h"
#include "effects/gl_base.h"
#include "effects/metaballs.h"
#include "show/audio.h"
#include "show/clock.h"

// The loader leaves its last texture bound: the base state is set after it.
bool init_gl_and_textures()
{
    load_textures();
    set_gl_base_state();
    return true;
}

bool init_demo(double start_time)
{
    audio_init(audio_rate);
    music_open(data_file(music_file).c_str());
    build_cavity_field();
    init_trail_texture();
    load_meshes();
    music_play();
    seek_music_to_demo_time(start_time);
    return true;
}
