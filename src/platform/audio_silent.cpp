// The offscreen build has no sound: the music calls only remember whether the music would be
// playing and where it was last sent.
#include "show/audio.h"

static long position_ms = 0;
static bool playing = false;

bool audio_init(int) { return true; }
bool music_open(const char*) { return true; }
void music_play() { playing = true; }
void music_seek_ms(int ms) { position_ms = ms < 0 ? 0 : ms; }
void music_stop() { playing = false; }
void audio_close() { playing = false; }

long music_position_ms() { return position_ms; }
bool music_is_playing() { return playing; }
