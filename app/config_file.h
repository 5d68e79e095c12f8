#pragma once
// config.ini: display mode, ocean detail and the frame-rate switch, as seven or eight
// whitespace-separated tokens in a fixed order:
//   displaymode= <0 | width height>  waterdetail= <low|med|high>  showfps= <1|0>
#include "platform/run_description.h"

// Reads the file. Returns true when every token was read and the three keys matched;
// windowed, waterDetail and showFps are written only then, width and height as soon as
// they are read. A missing or malformed file is reported in one line on standard error.
bool ReadConfig(const char* fileName, int* width, int* height, bool* windowed, int* waterDetail,
                bool* showFps);
// The same, from the run's config file into its settings.
bool ReadConfig(RunDescription* run);
