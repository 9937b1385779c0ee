// The settings dialog: the wallpaper chosen from thumbnails of the bitmaps in the
// wallpaper folder, the two dial texts, and OK, Set to default, Home page, About, Cancel.
#ifndef HORLOMA_SETTINGS_DIALOG_H
#define HORLOMA_SETTINGS_DIALOG_H

#include <windows.h>

#include "settings/clock_settings.h"

// The dialog's own copy of the settings: loaded on open, reset by Set to default, filled
// from the controls and saved on OK. Its installPath stays empty.
extern ClockSettings dialogSettings;

// Procedure of dialog resource 208, the Configure mode.
INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the record in the controls: the two texts, and the first wallpaper whose name
// begins with nameBack (item 0 when none does) selected.
void FillSettingsControls(HWND dialog, ClockSettings settings);

#endif
