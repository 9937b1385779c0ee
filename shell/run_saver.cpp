#include "shell/run_saver.h"

#include <gdiplus.h>

#include "resources/resource_ids.h"
#include "settings/settings_store.h"
#include "shell/command_line.h"
#include "shell/saver_globals.h"

SaverGlobals saver;
HINSTANCE saverInstance;
char productName[kProductStringCapacity];
char windowClassName[kProductStringCapacity];
char versionText[kProductStringCapacity];
char rightsLine[kProductStringCapacity];

static const char kDamagedRegistryMessage[] =
    "Registry information is damaged. Please reinstall screen saver";
static const char kGdiplusFailedMessage[] = "Error loading GDI+ library.";

static void LoadProductStrings(HINSTANCE instance)
{
    LoadStringA(instance, IDS_PRODUCT_NAME, productName, COUNTOF(productName));
    LoadStringA(instance, IDS_WINDOW_CLASS, windowClassName, COUNTOF(windowClassName));
    LoadStringA(instance, IDS_VERSION_TEXT, versionText, COUNTOF(versionText));
    LoadStringA(instance, IDS_RIGHTS_LINE, rightsLine, COUNTOF(rightsLine));
}

static int ReportFatal(const char* message)
{
    MessageBoxA(NULL, message, productName, MB_ICONHAND);
    return 1;
}

int RunSaver(HINSTANCE instance, int showCommand)
{
    (void)showCommand;  // the saver window takes it once it is built
    saverInstance = instance;
    LoadProductStrings(instance);

    if (!ReadInstallPath(saver.settings))
        return ReportFatal(kDamagedRegistryMessage);
    LoadClockSettings(saver.settings);

    Gdiplus::GdiplusStartupInput startupInput;
    startupInput.GdiplusVersion = 1;
    startupInput.DebugEventCallback = NULL;
    startupInput.SuppressBackgroundThread = FALSE;
    startupInput.SuppressExternalCodecs = FALSE;
    ULONG_PTR gdiplusToken = 0;
    if (Gdiplus::GdiplusStartup(&gdiplusToken, &startupInput, NULL) != Gdiplus::Ok)
        return ReportFatal(kGdiplusFailedMessage);

    SaverCommand command = ParseSaverCommandLine();
    saver.hostWindow = command.host;

    switch (command.mode) {
    case SaverMode::ChangePassword:
        // Not built yet: the password change comes with the password hooks.
        return 0;
    case SaverMode::Configure:
        // Not built yet: the settings dialog comes with the configuration dialogs.
        return 0;
    case SaverMode::Preview:
        saver.isFullScreen = 0;
        break;
    case SaverMode::FullScreen:
        saver.isFullScreen = 1;
        break;
    }

    // Not built yet: the saver window and its message loop come with the clock on
    // screen. Until then both saver modes end here, as a failed window creation does.
    return 0;
}
