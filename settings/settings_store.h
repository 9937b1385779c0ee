// Reading and writing the settings in the registry: the installation folder from the
// machine-wide key the installer writes, the user's three values from the user's key.
#ifndef HORLOMA_SETTINGS_STORE_H
#define HORLOMA_SETTINGS_STORE_H

#include "settings/clock_settings.h"

// The key path, the same in HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER.
extern const wchar_t kSettingsKeyPath[];

// Sets installPath from "Install path" (one trailing backslash dropped); false, with
// installPath untouched, when the entry is missing, unreadable or not a fitting REG_SZ.
bool ReadInstallPath(ClockSettings& settings);

// Defaults first, then each stored value that reads as a fitting REG_SZ. Never creates
// the user's key.
void LoadClockSettings(ClockSettings& settings);

// Writes textUp, textDown and nameBack as whole 520-byte buffers; silent on failure.
void SaveClockSettings(const ClockSettings& settings);

#endif
