#include "settings/settings_store.h"

#include <windows.h>

const wchar_t kSettingsKeyPath[] = L"Software\\Veltrane\\Horloma";

static const wchar_t kInstallPathValue[] = L"Install path";
static const wchar_t kTextUpValue[] = L"textUp";
static const wchar_t kTextDownValue[] = L"textDown";
static const wchar_t kNameBackValue[] = L"nameBack";

// Every value is read into, and written from, one whole field: 260 units, 520 bytes.
static const DWORD kValueBytes = kTextCapacity * sizeof(wchar_t);

// Reads a REG_SZ value of at most kValueBytes into a field-sized text; false when the
// value is missing, too long, of another type, or carries no terminator in reach.
static bool QueryTextValue(HKEY key, const wchar_t* name, wchar_t* text, size_t capacity)
{
    BYTE data[kValueBytes];
    DWORD size = sizeof(data);
    DWORD type = REG_NONE;
    LONG result = RegQueryValueExW(key, name, NULL, &type, data, &size);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return false;
    return TextFromRegistryData(text, capacity, data, size);
}

bool ReadInstallPath(ClockSettings& settings)
{
    // The installer owns this key and the program never writes it, so it is opened for
    // reading: a standard user may not open an HKLM key for writing.
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSettingsKeyPath, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return false;
    wchar_t path[kTextCapacity];
    bool found = QueryTextValue(key, kInstallPathValue, path, COUNTOF(path));
    RegCloseKey(key);
    if (!found)
        return false;
    DropOneTrailingBackslash(path);
    CopyTextBounded(settings.installPath, COUNTOF(settings.installPath), path);
    return true;
}

static void LoadTextValue(HKEY key, const wchar_t* name, wchar_t* field, size_t capacity)
{
    wchar_t text[kTextCapacity];
    if (QueryTextValue(key, name, text, COUNTOF(text)))
        CopyTextBounded(field, capacity, text);
}

void LoadClockSettings(ClockSettings& settings)
{
    ResetClockSettings(settings);
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_ALL_ACCESS, &key) !=
        ERROR_SUCCESS)
        return;
    LoadTextValue(key, kTextUpValue, settings.textUp, COUNTOF(settings.textUp));
    LoadTextValue(key, kTextDownValue, settings.textDown, COUNTOF(settings.textDown));
    LoadTextValue(key, kNameBackValue, settings.nameBack, COUNTOF(settings.nameBack));
    RegCloseKey(key);
}

static void SaveTextValue(HKEY key, const wchar_t* name, const wchar_t* field)
{
    // The whole buffer goes out, tail and all, so the stored size never varies.
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(field), kValueBytes);
}

void SaveClockSettings(const ClockSettings& settings)
{
    HKEY key;
    DWORD disposition;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &key, &disposition) != ERROR_SUCCESS)
        return;
    static_assert(sizeof(settings.textUp) == kValueBytes, "a field is one stored value");
    SaveTextValue(key, kTextUpValue, settings.textUp);
    SaveTextValue(key, kTextDownValue, settings.textDown);
    SaveTextValue(key, kNameBackValue, settings.nameBack);
    RegCloseKey(key);
}
