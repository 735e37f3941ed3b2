// The moments of the music that the pictures follow: where each scene starts, the beats the blobs
// flip on, and the end of the show. The director draws by them and the music is composed on them.
#pragma once

constexpr int scene_table_size = 8;
constexpr int beat_time_count = 9;
constexpr int closing_scene = 8;

// Start times (s) of scenes 1 to 8; scene 0 starts with the show.
inline constexpr double scene_table[scene_table_size] = {38.452, 57.632, 96.0,   102.4,
                                                          128.029, 147.211, 172.82, 198.43};
// Where scene n starts: 0 for the first, then the table's entries.
constexpr double scene_start(int n) { return n == 0 ? 0.0 : scene_table[n - 1]; }
// The starts by what begins there.
constexpr double cluster_start = scene_start(1);      // the metaball cluster
constexpr double wobble_start = scene_start(2);       // the wobbling cube (scene 3 runs on from here)
constexpr double first_ring_start = scene_start(4);   // the ring of knots
constexpr double cavity_start = scene_start(5);       // the blob cavity
constexpr double second_ring_start = scene_start(6);  // the ring of stars over the cavity
constexpr double column_start = scene_start(7);       // the twisted column
constexpr double closing_start = scene_start(8);      // the bulging cube
// The beats of the blob part (scenes 5 and 6); the last equals the start of scene 6.
inline constexpr double beat_times[beat_time_count] = {134.439, 136.21, 137.611, 139.413, 140.804,
                                                        142.606, 144.0,  145.808, 147.211};
constexpr double end_picture_start = 211.219;
// The whole picture fades to black over final_fade_seconds from final_fade_start, and the music with it.
constexpr double final_fade_start = 228.0;
constexpr double final_fade_seconds = 8.0;
constexpr double show_end = 240.0;

// The wobbling cube's scenes: the backdrop swells once every 6.43 s from wave_start, and the cube
// steps with a flash every 1.595 s from beat_start until beats_stop.
constexpr double wave_start = 63.809;
constexpr double wave_period = 6.43;
constexpr double beat_start = 64.035;
constexpr double beat_period = 1.595;
// The beat's rate as the show has always computed it: 1 / 1.595 but for its last three bits, kept
// so that every frame stays what it was.
constexpr double beat_rate = 0.6269592476489033;
constexpr double beats_stop = 96.4;
