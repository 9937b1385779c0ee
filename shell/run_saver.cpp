#include "shell/run_saver.h"

#include <gdiplus.h>

#include "dialogs/settings_dialog.h"
#include "resources/resource_ids.h"
#include "settings/settings_store.h"
#include "shell/command_line.h"
#include "shell/password_hooks.h"
#include "shell/saver_globals.h"
#include "shell/saver_window.h"

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
        return ChangeSaverPassword(saver.hostWindow);
    case SaverMode::Configure:
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SETTINGS), saver.hostWindow,
                        SettingsDialogProc, 0);
        return 0;
    case SaverMode::Preview:
        saver.isFullScreen = 0;
        break;
    case SaverMode::FullScreen:
        saver.isFullScreen = 1;
        break;
    }

    if (RegisterSaverClass(instance) == 0)
        return 0;
    if (!CreateSaverWindow(instance, showCommand))
        return 0;

    // Tells the system a screen saver runs, for as long as the window does.
    BOOL previousRunning = FALSE;
    if (saver.isFullScreen)
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, &previousRunning, 0);

    // Only the quit message ends the loop; an error result (-1) does not.
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) != 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }

    if (saver.isFullScreen)
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, &previousRunning, 0);
    Gdiplus::GdiplusShutdown(gdiplusToken);
    return static_cast<int>(msg.wParam);
}
