// The real setup program, horloma-setup.exe, run silently in a prefix that has neither
// the product nor its font: what it installs, the entry the saver reads, the installed
// saver in its three window modes, and an uninstall that leaves only the user's own
// settings. The setup program and the programs it is checked against sit beside this one.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bitmap_files.h"
#include "render/clock_geometry.h"
#include "resource_ids.h"
#include "saver_process.h"

namespace {

// Generous for a loaded machine: a silent install takes a few seconds.
const DWORD kSetupWait = 120000;
const wchar_t kProductKey[] = L"Software\\Veltrane\\Horloma";
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Horloma";
const wchar_t kFontsKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const wchar_t kFontValue[] = L"Dodaz (TrueType)";
const wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
const wchar_t kSaverChoice[] = L"SCRNSAVE.EXE";

std::wstring BuildFolder()
{
    std::wstring saver = SaverProgramPath();
    return saver.substr(0, saver.find_last_of(L'\\') + 1);
}

std::wstring SystemFolder()
{
    wchar_t path[MAX_PATH];
    GetSystemDirectoryW(path, MAX_PATH);
    return path;
}

std::wstring FontsFolder()
{
    wchar_t path[MAX_PATH];
    GetWindowsDirectoryW(path, MAX_PATH);
    return std::wstring(path) + L"\\Fonts";
}

std::wstring ProgramFilesFolder()
{
    wchar_t path[MAX_PATH] = L"";
    SHGetFolderPathW(NULL, CSIDL_PROGRAM_FILES, NULL, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::wstring DefaultInstallFolder() { return ProgramFilesFolder() + L"\\Veltrane\\Horloma"; }
std::wstring InstalledSaverPath() { return SystemFolder() + L"\\Horloma.scr"; }

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadBytes(const std::wstring& path, std::string* bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes->clear();
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, NULL) && read > 0)
        bytes->append(buffer, read);
    CloseHandle(file);
    return true;
}

// The file at `installed` holds exactly the bytes of `original`.
void ExpectSameFile(const std::wstring& original, const std::wstring& installed)
{
    std::string want, got;
    ASSERT_TRUE(ReadBytes(original, &want)) << "cannot read the build's file";
    EXPECT_TRUE(ReadBytes(installed, &got)) << "not installed";
    EXPECT_TRUE(want == got) << "differs from the build's file";
}

std::vector<std::wstring> BitmapNames(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*.bmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::wstring WallpaperSet() { return BuildFolder() + L"wallpapers"; }

struct RegistryValue {
    std::wstring name;
    DWORD type;
    std::vector<BYTE> data;
    bool operator==(const RegistryValue& other) const
    {
        return name == other.name && type == other.type && data == other.data;
    }
};

bool KeyExists(HKEY hive, const wchar_t* path)
{
    HKEY key;
    if (RegOpenKeyExW(hive, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool GetValue(HKEY hive, const wchar_t* path, const wchar_t* name, RegistryValue* value)
{
    HKEY key;
    if (RegOpenKeyExW(hive, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    LONG result = RegQueryValueExW(key, name, NULL, &value->type, NULL, &size);
    if (result == ERROR_SUCCESS) {
        value->name = name;
        value->data.resize(size);
        result = RegQueryValueExW(key, name, NULL, &value->type, value->data.data(), &size);
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// A REG_SZ value's text; empty with a failure when it is missing or of another type.
std::wstring GetText(HKEY hive, const wchar_t* path, const wchar_t* name)
{
    RegistryValue value;
    if (!GetValue(hive, path, name, &value)) {
        ADD_FAILURE() << "no value " << testing::PrintToString(std::wstring(name));
        return L"";
    }
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    return std::wstring(reinterpret_cast<const wchar_t*>(value.data.data()),
                        value.data.size() / sizeof(wchar_t));
}

DWORD GetNumber(HKEY hive, const wchar_t* path, const wchar_t* name)
{
    RegistryValue value;
    EXPECT_TRUE(GetValue(hive, path, name, &value));
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD));
    DWORD number = 0;
    if (value.data.size() == sizeof(number))
        memcpy(&number, value.data.data(), sizeof(number));
    return number;
}

// Every value of the key, type and bytes as stored, in the key's order.
std::vector<RegistryValue> KeyValues(HKEY hive, const wchar_t* path)
{
    std::vector<RegistryValue> values;
    HKEY key;
    if (RegOpenKeyExW(hive, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD index = 0;; index++) {
        wchar_t name[256];
        DWORD nameLength = 256;
        BYTE data[2048];
        DWORD size = sizeof(data);
        RegistryValue value;
        if (RegEnumValueW(key, index, name, &nameLength, NULL, &value.type, data, &size) !=
            ERROR_SUCCESS)
            break;
        value.name = name;
        value.data.assign(data, data + size);
        values.push_back(value);
    }
    RegCloseKey(key);
    return values;
}

void PutText(HKEY hive, const wchar_t* path, const wchar_t* name, const std::wstring& text,
             size_t bytes)
{
    std::vector<BYTE> data(std::max(bytes, (text.size() + 1) * sizeof(wchar_t)));
    memcpy(data.data(), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(hive, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, REG_SZ, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

// Runs a command line to its end; its exit code, or 99 when it was stopped at the deadline.
DWORD RunToEnd(const std::wstring& commandLine, DWORD* processId = NULL)
{
    std::wstring line = commandLine;
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    if (!CreateProcessW(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        ADD_FAILURE() << "cannot start " << testing::PrintToString(commandLine);
        return 98;
    }
    if (processId != NULL)
        *processId = process.dwProcessId;
    DWORD exitCode = 99;
    if (WaitForSingleObject(process.hProcess, kSetupWait) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &exitCode);
    else
        TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

// An NSIS uninstaller copies itself to the temporary folder, starts the copy and returns
// at once: the work is done when the processes it started have ended too.
void WaitForChildrenOf(DWORD parentId)
{
    std::vector<HANDLE> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID != parentId)
            continue;
        HANDLE child = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (child != NULL)
            children.push_back(child);
    }
    CloseHandle(snapshot);
    for (HANDLE child : children) {
        EXPECT_EQ(WaitForSingleObject(child, kSetupWait), WAIT_OBJECT_0)
            << "the uninstaller's copy did not finish";
        CloseHandle(child);
    }
}

DWORD RunSetup(const std::wstring& arguments)
{
    return RunToEnd(L"\"" + BuildFolder() + L"horloma-setup.exe\" " + arguments);
}

// Runs the uninstall command the system lists for silent use, to its real end.
DWORD RunQuietUninstall()
{
    RegistryValue value;
    if (!GetValue(HKEY_LOCAL_MACHINE, kUninstallKey, L"QuietUninstallString", &value)) {
        ADD_FAILURE() << "no QuietUninstallString";
        return 98;
    }
    DWORD processId = 0;
    DWORD exitCode = RunToEnd(reinterpret_cast<const wchar_t*>(value.data.data()), &processId);
    WaitForChildrenOf(processId);
    return exitCode;
}

int FontProbe()
{
    return static_cast<int>(RunToEnd(L"\"" + BuildFolder() + L"font_probe.exe\""));
}

struct InstallCase {
    const char* name;
    const wchar_t* arguments;  // besides /S
    std::wstring (*folder)();
    std::wstring (*companyFolder)();  // left empty by the uninstall, if any
};

std::wstring CustomFolder() { return L"C:\\Other Place\\Clock Saver"; }
std::wstring DefaultCompanyFolder() { return ProgramFilesFolder() + L"\\Veltrane"; }
std::wstring NoFolder() { return L""; }

const InstallCase kInstallCases[] = {
    {"DefaultFolder", L"", DefaultInstallFolder, DefaultCompanyFolder},
    {"ChosenFolder", L" /D=C:\\Other Place\\Clock Saver", CustomFolder, NoFolder},
};

class SilentInstall : public testing::TestWithParam<InstallCase> {};

TEST_P(SilentInstall, InstallsEverythingAndUninstallLeavesOnlyTheUserSettings)
{
    const InstallCase& c = GetParam();
    const std::wstring folder = c.folder();
    const std::wstring fontFile = FontsFolder() + L"\\Dodaz.ttf";
    ASSERT_FALSE(Exists(fontFile)) << "the prefix must start without the font";
    ASSERT_NE(FontProbe(), 0) << "the font is found before it is installed";

    // A user's settings and screen-saver choice from before: no silent step touches them.
    RegDeleteTreeW(HKEY_CURRENT_USER, kProductKey);
    PutText(HKEY_CURRENT_USER, kProductKey, L"textUp", L"Z\u00fcrich", 520);
    PutText(HKEY_CURRENT_USER, kProductKey, L"nameBack", L"03.bmp", 520);
    PutText(HKEY_CURRENT_USER, kProductKey, L"textDown", L"short", 0);
    const std::vector<RegistryValue> userSettings = KeyValues(HKEY_CURRENT_USER, kProductKey);
    PutText(HKEY_CURRENT_USER, kDesktopKey, kSaverChoice, L"C:\\windows\\system32\\other.scr", 0);

    ASSERT_EQ(RunSetup(L"/S" + std::wstring(c.arguments)), 0u);

    ExpectSameFile(SaverProgramPath(), InstalledSaverPath());
    const std::vector<std::wstring> wallpapers = BitmapNames(WallpaperSet());
    ASSERT_FALSE(wallpapers.empty());
    EXPECT_TRUE(std::find(wallpapers.begin(), wallpapers.end(), L"06.bmp") != wallpapers.end());
    EXPECT_EQ(BitmapNames(folder + L"\\Wall paper"), wallpapers);
    for (const std::wstring& name : wallpapers) {
        SCOPED_TRACE(testing::PrintToString(name));
        ExpectSameFile(WallpaperSet() + L"\\" + name, folder + L"\\Wall paper\\" + name);
    }
    ExpectSameFile(BuildFolder() + L"fonts\\Dodaz-LICENSE.txt", folder + L"\\Dodaz-LICENSE.txt");
    EXPECT_TRUE(Exists(folder + L"\\Wallpapers-LICENSE.txt"));
    EXPECT_TRUE(Exists(folder + L"\\Uninstall.exe"));

    RegistryValue installPath;
    ASSERT_TRUE(GetValue(HKEY_LOCAL_MACHINE, kProductKey, L"Install path", &installPath));
    EXPECT_EQ(installPath.type, static_cast<DWORD>(REG_SZ));
    const std::wstring stored(reinterpret_cast<const wchar_t*>(installPath.data.data()),
                              installPath.data.size() / sizeof(wchar_t));
    EXPECT_EQ(stored, folder + std::wstring(1, L'\0'));

    ExpectSameFile(BuildFolder() + L"fonts\\Dodaz.ttf", fontFile);
    EXPECT_EQ(GetText(HKEY_LOCAL_MACHINE, kFontsKey, kFontValue), std::wstring(L"Dodaz.ttf", 10));
    EXPECT_EQ(FontProbe(), 0) << "a process started now does not find Dodaz";

    EXPECT_EQ(GetText(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName"), std::wstring(L"Horloma", 8));
    EXPECT_EQ(GetText(HKEY_LOCAL_MACHINE, kUninstallKey, L"Publisher"), std::wstring(L"Veltrane", 9));
    EXPECT_EQ(GetText(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion"), std::wstring(L"1.0", 4));
    EXPECT_EQ(GetText(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation"),
              folder + std::wstring(1, L'\0'));
    const std::wstring uninstaller = L"\"" + folder + L"\\Uninstall.exe\"";
    EXPECT_EQ(GetText(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString"),
              uninstaller + std::wstring(1, L'\0'));
    EXPECT_EQ(GetText(HKEY_LOCAL_MACHINE, kUninstallKey, L"QuietUninstallString"),
              uninstaller + L" /S" + std::wstring(1, L'\0'));
    EXPECT_EQ(GetText(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayIcon"),
              InstalledSaverPath() + L",0" + std::wstring(1, L'\0'));
    std::string saver, font;
    ReadBytes(SaverProgramPath(), &saver);
    ReadBytes(BuildFolder() + L"fonts\\Dodaz.ttf", &font);
    EXPECT_GE(GetNumber(HKEY_LOCAL_MACHINE, kUninstallKey, L"EstimatedSize"),
              (saver.size() + font.size()) / 1024);
    EXPECT_EQ(GetNumber(HKEY_LOCAL_MACHINE, kUninstallKey, L"NoModify"), 1u);
    EXPECT_EQ(GetNumber(HKEY_LOCAL_MACHINE, kUninstallKey, L"NoRepair"), 1u);

    EXPECT_EQ(GetText(HKEY_CURRENT_USER, kDesktopKey, kSaverChoice),
              std::wstring(L"C:\\windows\\system32\\other.scr") + std::wstring(1, L'\0'));
    // Chosen as the finish page would: the uninstall takes that choice back with it.
    PutText(HKEY_CURRENT_USER, kDesktopKey, kSaverChoice, InstalledSaverPath(), 0);

    ASSERT_EQ(RunQuietUninstall(), 0u);

    EXPECT_FALSE(Exists(InstalledSaverPath()));
    EXPECT_FALSE(Exists(folder)) << "the installation folder is left";
    if (!c.companyFolder().empty()) {
        EXPECT_FALSE(Exists(c.companyFolder())) << "the empty company folder is left";
    }
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kProductKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    RegistryValue leftOver;
    EXPECT_FALSE(GetValue(HKEY_LOCAL_MACHINE, kFontsKey, kFontValue, &leftOver));
    EXPECT_FALSE(GetValue(HKEY_CURRENT_USER, kDesktopKey, kSaverChoice, &leftOver));
    EXPECT_FALSE(Exists(fontFile));
    EXPECT_NE(FontProbe(), 0) << "the font is still found after the uninstall";
    EXPECT_EQ(KeyValues(HKEY_CURRENT_USER, kProductKey), userSettings);

    RegDeleteTreeW(HKEY_CURRENT_USER, kProductKey);
}

INSTANTIATE_TEST_SUITE_P(Folders, SilentInstall, testing::ValuesIn(kInstallCases),
                         [](const testing::TestParamInfo<InstallCase>& info) {
                             return std::string(info.param.name);
                         });

// The installed saver, started as the system starts it, with the default settings.
class InstalledSaver : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kProductKey);
        installed = RunSetup(L"/S") == 0;
    }
    static void TearDownTestSuite()
    {
        if (installed)
            RunQuietUninstall();
    }
    void SetUp() override { ASSERT_TRUE(installed) << "the silent install failed"; }

    static bool installed;
};
bool InstalledSaver::installed = false;

TEST_F(InstalledSaver, SettingsDialogListsTheInstalledWallpapers)
{
    PROCESS_INFORMATION process;
    ASSERT_TRUE(StartProgramProcess(InstalledSaverPath(), L"/c:0", &process));
    HWND dialog = WaitForProcessWindow(process, NULL, "#32770");
    EXPECT_TRUE(dialog != NULL);
    if (dialog != NULL) {
        char caption[64] = "";
        GetWindowTextA(dialog, caption, sizeof(caption));
        EXPECT_STREQ(caption, "Horloma settings");
        HWND list = GetDlgItem(dialog, IDC_WALLPAPER_LIST);
        LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        std::vector<std::wstring> items;
        for (LRESULT i = 0; i < count; i++) {
            wchar_t text[MAX_PATH] = L"";
            if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < MAX_PATH)
                SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        EXPECT_EQ(items, BitmapNames(WallpaperSet()));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    DWORD exitCode = 99;
    EXPECT_TRUE(FinishSaverProcess(&process, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

// Under Wine a child window of another process is not drawn, so the preview's pixels are
// checked in-process elsewhere; here the window: a child of the host of the host's size,
// gone with the host.
TEST_F(InstalledSaver, PreviewIsAChildOfTheHostAndEndsWithIt)
{
    const int hostWidth = 152, hostHeight = 112;
    HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, hostWidth,
                                hostHeight, NULL, NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(host != NULL);
    std::wstring number = std::to_wstring(static_cast<long long>(reinterpret_cast<INT_PTR>(host)));
    PROCESS_INFORMATION process;
    ASSERT_TRUE(StartProgramProcess(InstalledSaverPath(), L"/p " + number, &process));
    HWND window = WaitForProcessWindow(process, host, "HORLOMA");
    EXPECT_TRUE(window != NULL);
    if (window != NULL) {
        EXPECT_TRUE(GetParent(window) == host);
        RECT rect;
        GetClientRect(window, &rect);
        EXPECT_EQ(rect.right, hostWidth);
        EXPECT_EQ(rect.bottom, hostHeight);
    }
    DestroyWindow(host);
    DWORD exitCode = 99;
    EXPECT_TRUE(FinishSaverProcess(&process, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

// 32-bit pixels, top row first, as 0x00RRGGBB.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> data;
    DWORD At(int x, int y) const { return data[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

void ReadBitmapPixels(HDC dc, HBITMAP bitmap, int width, int height, Pixels* pixels)
{
    BITMAPINFO info = TopDownBitmapInfo(width, height);
    pixels->width = width;
    pixels->height = height;
    pixels->data.assign(static_cast<size_t>(width) * height, 0);
    GetDIBits(dc, bitmap, 0, height, pixels->data.data(), &info, DIB_RGB_COLORS);
}

Pixels ScreenPixels()
{
    Pixels pixels;
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    ReadBitmapPixels(memory, bitmap, width, height, &pixels);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return pixels;
}

bool LoadBitmapPixels(const std::wstring& path, Pixels* pixels)
{
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(NULL, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (bitmap == NULL)
        return false;
    BITMAP shape;
    GetObjectW(bitmap, sizeof(shape), &shape);
    HDC screen = GetDC(NULL);
    ReadBitmapPixels(screen, bitmap, shape.bmWidth, shape.bmHeight, pixels);
    ReleaseDC(NULL, screen);
    DeleteObject(bitmap);
    return true;
}

// The corner of the screen the clock never reaches, against the wallpaper tiled from the
// top left: how many of its pixels differ.
const int kCornerSize = 96;
int CornerMismatches(const Pixels& screen, const Pixels& wallpaper)
{
    int mismatches = 0;
    for (int y = 0; y < kCornerSize; y++)
        for (int x = 0; x < kCornerSize; x++)
            if (screen.At(x, y) != wallpaper.At(x % wallpaper.width, y % wallpaper.height))
                mismatches++;
    return mismatches;
}

// Ink is the dial's near-black; the face under the numerals is light grey to white.
const int kInkLimit = 0x50;
int DarkPixelsIn(const Pixels& screen, const NumeralBox& box)
{
    int dark = 0;
    for (int y = static_cast<int>(box.top); y < static_cast<int>(box.top + box.height); y++)
        for (int x = static_cast<int>(box.left); x < static_cast<int>(box.left + box.width); x++) {
            DWORD c = screen.At(x, y);
            if (((c >> 16) & 0xFF) < kInkLimit && ((c >> 8) & 0xFF) < kInkLimit &&
                (c & 0xFF) < kInkLimit)
                dark++;
        }
    return dark;
}

TEST_F(InstalledSaver, FullScreenDrawsTheClockOverTheDefaultWallpaperAndEndsOnAKey)
{
    Pixels wallpaper;
    ASSERT_TRUE(LoadBitmapPixels(DefaultInstallFolder() + L"\\Wall paper\\06.bmp", &wallpaper));
    ASSERT_GT(wallpaper.width, 0);

    PROCESS_INFORMATION process;
    ASSERT_TRUE(StartProgramProcess(InstalledSaverPath(), L"/s", &process));
    HWND window = WaitForProcessWindow(process, NULL, "HORLOMA");
    EXPECT_TRUE(window != NULL);
    if (window != NULL) {
        // The first frame is copied to the screen whole; wait for it, generously.
        Pixels screen = ScreenPixels();
        for (DWORD start = GetTickCount();
             CornerMismatches(screen, wallpaper) != 0 && GetTickCount() - start < 30000;) {
            Sleep(250);
            screen = ScreenPixels();
        }
        EXPECT_EQ(CornerMismatches(screen, wallpaper), 0);

        // Hands may cross two numerals at most, and they are dark too: every box must
        // hold ink for the numerals to have been drawn.
        ClockGeometry geometry = ComputeClockGeometry(screen.width, screen.height);
        for (int position = 0; position < 60; position += 5) {
            NumeralBox box = ComputeNumeralBox(geometry, position);
            SCOPED_TRACE(testing::Message() << "numeral " << box.value);
            EXPECT_GT(DarkPixelsIn(screen, box), static_cast<int>(box.height * box.height / 50));
        }

        SetForegroundWindow(window);
        INPUT keys[2];
        ZeroMemory(keys, sizeof(keys));
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = 'A';
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        EXPECT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
    }
    DWORD exitCode = 99;
    EXPECT_TRUE(FinishSaverProcess(&process, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
