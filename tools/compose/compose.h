// The show's music: an original piece in A minor composed into an XM song.
#pragma once
#include "xm/xm_file.h"

constexpr int32_t SHOW_CHANNELS = 10;
constexpr int32_t SHOW_ROWS = 64;  // one pattern: four bars of sixteen rows
constexpr int32_t SHOW_SPEED = 6;
constexpr int32_t SHOW_BPM = 128;

// The song without a script: same output on every run.
XmSong compose_show_song();
