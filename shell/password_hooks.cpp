#include "shell/password_hooks.h"

#include "shell/saver_globals.h"

int passwordCheckActive;

// The version structure of the 95/98/Me era, the size the call passes.
static_assert(sizeof(OSVERSIONINFOA) == 148, "OSVERSIONINFOA is 148 bytes");

// The functions are looked up by name; GetProcAddress's result goes through void* to
// take their types.
typedef BOOL(WINAPI* VerifyScreenSavePwdFunction)(HWND);
typedef DWORD(WINAPI* PwdChangePasswordAFunction)(LPCSTR, HWND, DWORD, LPVOID);

// Where the 95/98/Me family keeps whether the screen saver asks for a password.
static const char kDesktopKeyPath[] = "Control Panel\\Desktop";
static const char kUsePasswordValue[] = "ScreenSaveUsePassword";

static const char kVerifyLibrary[] = "PASSWORD.CPL";
static const char kVerifyFunction[] = "VerifyScreenSavePwd";

static const char kChangeLibrary[] = "MPR.DLL";
static const char kChangeFunction[] = "PwdChangePasswordA";
static const char kChangeProvider[] = "SCRSAVE";
static const char kChangeLibraryMissingMessage[] =
    "File MPR.DLL not found! (This file needed for change password.)";
// "fount" is how the system's own message has it.
static const char kChangeFunctionMissingMessage[] =
    "Function PwdChangePasswordA in file MPR.DLL not fount! (This function needed for "
    "change password.)";

// The verification function when a password is set and the system has one; NULL when
// the saver may close without asking.
static VerifyScreenSavePwdFunction FindPasswordCheck()
{
    VerifyScreenSavePwdFunction verify = NULL;
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, kDesktopKeyPath, &key) != ERROR_SUCCESS)
        return NULL;
    // Zeroed first, so a value shorter than 4 bytes counts by the bytes it has. A longer
    // one does not fit and counts as no password.
    DWORD usePassword = 0;
    DWORD size = sizeof(usePassword);
    if (RegQueryValueExA(key, kUsePasswordValue, NULL, NULL,
                         reinterpret_cast<BYTE*>(&usePassword), &size) == ERROR_SUCCESS &&
        usePassword != 0) {
        // Left loaded: the next verification loads it again.
        HMODULE library = LoadLibraryA(kVerifyLibrary);
        if (library != NULL)
            verify = reinterpret_cast<VerifyScreenSavePwdFunction>(
                reinterpret_cast<void*>(GetProcAddress(library, kVerifyFunction)));
    }
    RegCloseKey(key);
    return verify;
}

int VerifySaverPassword()
{
    if (saver.isFullScreen != 1)
        return 1;
    // Zeroed, so that a failed call reads as another family.
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
    if (version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS)
        return 1;

    // The verification may dispatch messages; a close that arrives meanwhile is ignored.
    passwordCheckActive = 1;
    VerifyScreenSavePwdFunction verify = FindPasswordCheck();
    int result = 1;
    if (verify != NULL)
        result = verify(saver.hostWindow);
    passwordCheckActive = 0;
    return result;
}

int ChangeSaverPassword(HWND host)
{
    HMODULE library = LoadLibraryA(kChangeLibrary);
    if (library == NULL) {
        MessageBoxA(NULL, kChangeLibraryMissingMessage, productName, MB_ICONHAND);
        return 1;
    }
    PwdChangePasswordAFunction change = reinterpret_cast<PwdChangePasswordAFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, kChangeFunction)));
    if (change == NULL) {
        MessageBoxA(NULL, kChangeFunctionMissingMessage, productName, MB_ICONHAND);
        return 1;
    }
    change(kChangeProvider, host, 0, 0);
    FreeLibrary(library);
    return 0;
}
