#include "settings/clock_settings.h"

static const Utf16Unit kDefaultNameBack[] = UTF16_TEXT("06.bmp");
static const Utf16Unit kDefaultTextUp[] = UTF16_TEXT("Veltrane");
static const Utf16Unit kDefaultTextDown[] = UTF16_TEXT("Ruvozu");

void ResetClockSettings(ClockSettings& settings)
{
    CopyTextBounded(settings.nameBack, COUNTOF(settings.nameBack), kDefaultNameBack);
    CopyTextBounded(settings.textUp, COUNTOF(settings.textUp), kDefaultTextUp);
    CopyTextBounded(settings.textDown, COUNTOF(settings.textDown), kDefaultTextDown);
}
