// Start-up of the show after the pictures: music, effect tables, meshes, then the music starts.
#include "show/demo.h"

#include "assets/data_directory.h"
#include "assets/meshes.h"
#include "effects/dct_band.h"
#include "effects/feedback_trails.h"
#include "effects/metaballs.h"
#include "platform/audio.h"
#include "show/clock.h"

bool init_demo()
{
    audio_init(audio_rate);
    music_open(data_file(music_file).c_str());
    build_cavity_field();
    init_trail_texture();
    init_dct_effect();
    load_meshes();
    app_active = true;
    music_play();
    seek_music_to_demo_time();
    return true;
}
