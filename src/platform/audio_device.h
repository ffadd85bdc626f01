// The sound device of this system, beneath the output's choice of sink.
#pragma once
#include <cstdint>
#include <string>

#include "platform/audio_output.h"

// Opens the default device pulling from render. Returns 1, or 0 with the reason in *why.
int32_t audio_device_open(AudioRenderFn render, void* user, std::string* why);

// Closes the device, if one is open; render no longer runs when this returns.
void audio_device_close();
