// The pure rules of the screen-saver command line: which mode a first argument asks
// for, where the host window's number stands, and how that number is read.
#ifndef HORLOMA_SAVER_ARGUMENTS_H
#define HORLOMA_SAVER_ARGUMENTS_H

#include <stdint.h>

#include "settings/text_rules.h"

enum class SaverMode { FullScreen, Preview, Configure, ChangePassword };

// Only the second character of argument 1 counts (so /s, -s and /S agree), and only its
// low 8 bits: a character whose low byte is that of a mode letter selects the mode.
SaverMode SaverModeFromArgument(const Utf16Unit* argument1);

// The text holding the host window's number: argument 2 for /p and /a, argument 1 from
// its fourth character on for /c:NNNN, and an empty text for the full-screen mode.
const Utf16Unit* HostNumberText(SaverMode mode, const Utf16Unit* argument1,
                                const Utf16Unit* argument2);

// A signed decimal number: leading white space, an optional sign, then digits up to the
// first other character. No digits read as 0; values beyond 32 bits stop at the limit.
int32_t ParseHostNumber(const Utf16Unit* text);

#endif
