// The settings record: installation folder, wallpaper file name and the two dial texts,
// each a fixed UTF-16 buffer, and the defaults a reset puts back.
#ifndef HORLOMA_CLOCK_SETTINGS_H
#define HORLOMA_CLOCK_SETTINGS_H

#include "settings/text_rules.h"

struct ClockSettings {
    Utf16Unit installPath[kTextCapacity];
    Utf16Unit nameBack[kTextCapacity];
    Utf16Unit textUp[kTextCapacity];
    Utf16Unit textDown[kTextCapacity];
};

// Copies the three defaults (text and terminator only) into nameBack, textUp and
// textDown; installPath is left alone.
void ResetClockSettings(ClockSettings& settings);

#endif
