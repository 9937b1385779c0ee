#include "shell/saver_arguments.h"

static const Utf16Unit kEmptyText[] = {0};

// In /c:1234 the number starts after the letter and its colon.
static const size_t kConfigureNumberStart = 3;

SaverMode SaverModeFromArgument(const Utf16Unit* argument1)
{
    if (argument1[0] == 0 || argument1[1] == 0)
        return SaverMode::FullScreen;
    switch (argument1[1] & 0xFF) {
    case 'A':
    case 'a':
        return SaverMode::ChangePassword;
    case 'C':
    case 'c':
        return SaverMode::Configure;
    case 'P':
    case 'p':
        return SaverMode::Preview;
    default:
        return SaverMode::FullScreen;
    }
}

const Utf16Unit* HostNumberText(SaverMode mode, const Utf16Unit* argument1,
                                const Utf16Unit* argument2)
{
    switch (mode) {
    case SaverMode::Preview:
    case SaverMode::ChangePassword:
        return argument2;
    case SaverMode::Configure:
        for (size_t i = 0; i < kConfigureNumberStart; i++)
            if (argument1[i] == 0)
                return kEmptyText;
        return argument1 + kConfigureNumberStart;
    case SaverMode::FullScreen:
        break;
    }
    return kEmptyText;
}

static bool IsNumberSpace(Utf16Unit unit)
{
    return unit == ' ' || unit == '\t' || unit == '\n' || unit == '\v' || unit == '\f' ||
           unit == '\r';
}

int32_t ParseHostNumber(const Utf16Unit* text)
{
    size_t i = 0;
    while (IsNumberSpace(text[i]))
        i++;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        i++;
    }
    // Accumulated as a magnitude that stops growing once past the 32-bit range.
    const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    int64_t magnitude = 0;
    while (text[i] >= '0' && text[i] <= '9') {
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (text[i] - '0');
        i++;
    }
    if (magnitude > limit)
        magnitude = limit;
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}
