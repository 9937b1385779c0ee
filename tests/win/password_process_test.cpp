// The screen-saver password of the 95/98/Me family and the /a mode, on the real
// horloma.scr. Wine reports that family to the program when the prefix says "win98" for
// it; stand-ins for PASSWORD.CPL and MPR.DLL, copied beside a copy of the program, answer
// as each test chooses and record how they were called. Wine prefers its own MPR.DLL
// unless the prefix tells it otherwise for the program, which it does in the registry:
// a WINEDLLOVERRIDES given to the child is replaced by this process's own.
#include <string>
#include <vector>

#include "registry_fixture.h"
#include "saver_process.h"

namespace {

const wchar_t kDesktopKeyPath[] = L"Control Panel\\Desktop";
const wchar_t kUsePasswordValue[] = L"ScreenSaveUsePassword";
// Wine's per-program settings: "Version" there is the Windows version it reports, and
// the values of its "DllOverrides" key say which copy of a library it loads.
const wchar_t kAppDefaultsKeyPath[] = L"Software\\Wine\\AppDefaults\\horloma.scr";
const wchar_t kDllOverridesKeyPath[] =
    L"Software\\Wine\\AppDefaults\\horloma.scr\\DllOverrides";

const char kMprMissingMessage[] =
    "File MPR.DLL not found! (This file needed for change password.)";
const char kChangeMissingMessage[] =
    "Function PwdChangePasswordA in file MPR.DLL not fount! (This function needed for "
    "change password.)";

// Generous: a step of the saver under Wine takes well under a second.
const DWORD kWaitMilliseconds = 30000;

enum Family { NtFamily, Windows98Family };

// A fixture library the build made in its folder under fixtures/: where it is, beside
// the test programs, and the name it takes beside the program under test.
enum Fixture { NoFixture, PasswordCpl, MprWithoutChange, MprWithChange };
struct FixtureFile {
    const wchar_t* source;
    const wchar_t* name;
};
const FixtureFile kFixtureFiles[] = {
    {NULL, NULL},
    {L"fixtures\\password\\PASSWORD.CPL", L"PASSWORD.CPL"},
    {L"fixtures\\mpr-without-change\\MPR.DLL", L"MPR.DLL"},
    {L"fixtures\\mpr-with-change\\MPR.DLL", L"MPR.DLL"},
};

struct StoredValue {
    bool present;
    DWORD type;
    std::vector<BYTE> data;
};

StoredValue NoValue() { return {false, REG_NONE, {}}; }
StoredValue Value(DWORD type, std::vector<BYTE> data) { return {true, type, data}; }
StoredValue Number(DWORD number)
{
    return {true, REG_DWORD,
            {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8),
             static_cast<BYTE>(number >> 16), static_cast<BYTE>(number >> 24)}};
}
StoredValue Text(const char* text)
{
    std::vector<BYTE> data(text, text + strlen(text) + 1);
    return {true, REG_SZ, data};
}

std::wstring FolderOf(const std::wstring& path)
{
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string HandleText(HWND window)
{
    return std::to_string(static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
}

class PasswordProcessTest : public RegistryKeysTest {
protected:
    void SetUp() override
    {
        RegistryKeysTest::SetUp();
        PutText(HKEY_LOCAL_MACHINE, L"Install path", L"C:\\Program Files\\Horloma");
        ResetSystemSettings();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        runFolder = std::wstring(temp) + L"horloma-password-" +
                    std::to_wstring(static_cast<unsigned long>(GetCurrentProcessId())) + L"\\";
    }

    void TearDown() override
    {
        RemoveRunFolder();
        ResetSystemSettings();
        RegistryKeysTest::TearDown();
    }

    static void ResetSystemSettings()
    {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKeyPath, 0, KEY_SET_VALUE, &key) ==
            ERROR_SUCCESS) {
            RegDeleteValueW(key, kUsePasswordValue);
            RegCloseKey(key);
        }
        RegDeleteTreeW(HKEY_CURRENT_USER, kAppDefaultsKeyPath);
    }

    static void PutWineSetting(const wchar_t* path, const wchar_t* name, const wchar_t* text)
    {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                  &key, NULL),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                 static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    // What Wine tells the program: its family and, unless NULL, which MPR.DLL it loads:
    // "native" for the one beside it, "" for none.
    static void ConfigureWine(Family family, const wchar_t* mprLoadOrder = NULL)
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kAppDefaultsKeyPath);
        if (family == Windows98Family) {
            ASSERT_NO_FATAL_FAILURE(PutWineSetting(kAppDefaultsKeyPath, L"Version", L"win98"));
        }
        if (mprLoadOrder != NULL) {
            ASSERT_NO_FATAL_FAILURE(PutWineSetting(kDllOverridesKeyPath, L"mpr", mprLoadOrder));
        }
    }

    static void PutUsePassword(const StoredValue& value)
    {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKeyPath, 0, NULL, 0,
                                  KEY_ALL_ACCESS, NULL, &key, NULL),
                  ERROR_SUCCESS);
        if (value.present) {
            ASSERT_EQ(RegSetValueExA(key, "ScreenSaveUsePassword", 0, value.type,
                                     value.data.empty() ? NULL : value.data.data(),
                                     static_cast<DWORD>(value.data.size())),
                      ERROR_SUCCESS);
        } else {
            RegDeleteValueW(key, kUsePasswordValue);
        }
        RegCloseKey(key);
    }

    // A fresh folder holding a copy of horloma.scr and the fixture, if any.
    void MakeRunFolder(Fixture fixture)
    {
        RemoveRunFolder();
        ASSERT_TRUE(CreateDirectoryW(runFolder.c_str(), NULL));
        std::wstring build = FolderOf(SaverProgramPath());
        ASSERT_TRUE(CopyFileW(SaverProgramPath().c_str(), (runFolder + L"horloma.scr").c_str(),
                              FALSE));
        const FixtureFile& file = kFixtureFiles[fixture];
        if (file.source != NULL) {
            ASSERT_TRUE(CopyFileW((build + file.source).c_str(), (runFolder + file.name).c_str(),
                                  FALSE));
        }
    }

    void RemoveRunFolder()
    {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((runFolder + L"*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileW((runFolder + found.cFileName).c_str());
            while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(runFolder.c_str());
    }

    void PutFile(const wchar_t* name, const char* content)
    {
        HANDLE file = CreateFileW((runFolder + name).c_str(), GENERIC_WRITE, 0, NULL,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, content, static_cast<DWORD>(strlen(content)), &written, NULL);
        CloseHandle(file);
    }

    void Answer(bool accept) { PutFile(L"answer.txt", accept ? "1" : "0"); }

    // The lines a fixture wrote to the file; none when there is no file.
    std::vector<std::string> Lines(const wchar_t* name)
    {
        std::vector<std::string> lines;
        HANDLE file = CreateFileW((runFolder + name).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
        if (file == INVALID_HANDLE_VALUE)
            return lines;
        std::string text;
        char buffer[512];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof(buffer), &read, NULL) && read > 0)
            text.append(buffer, read);
        CloseHandle(file);
        size_t start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }

    // Waits until the fixture has written at least `count` lines to the file.
    bool WaitForLines(const wchar_t* name, size_t count)
    {
        DWORD start = GetTickCount();
        while (Lines(name).size() < count) {
            if (GetTickCount() - start > kWaitMilliseconds)
                return false;
            Sleep(50);
        }
        return true;
    }

    std::wstring Program() { return runFolder + L"horloma.scr"; }

    std::wstring runFolder;
};

// The whole screen as 32-bit pixels.
std::vector<UINT32> CaptureScreen()
{
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO info;
    memset(&info, 0, sizeof(info));
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    HDC screen = GetDC(NULL);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HDC copy = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    std::vector<UINT32> pixels(static_cast<const UINT32*>(bits),
                               static_cast<const UINT32*>(bits) + width * height);
    SelectObject(copy, previous);
    DeleteDC(copy);
    DeleteObject(bitmap);
    ReleaseDC(NULL, screen);
    return pixels;
}

// Waits until what the screen shows differs from `before`: the running clock repaints.
bool WaitForScreenChange(const std::vector<UINT32>& before)
{
    DWORD start = GetTickCount();
    while (CaptureScreen() == before) {
        if (GetTickCount() - start > kWaitMilliseconds)
            return false;
        Sleep(100);
    }
    return true;
}

// Outside the 95/98/Me family, and within it whenever no password is set or the
// password library is missing, the first key closes the saver; the library is loaded
// only to ask, and asked with no window in full-screen mode. A value too long for four
// bytes counts as no password; a shorter one counts by the bytes it has, its type unread.
TEST_F(PasswordProcessTest, FirstKeyClosesUnlessAPasswordIsSetOnThe98Family)
{
    struct {
        const char* name;
        Family family;
        StoredValue value;
        bool libraryPresent;
        bool asked;
    } cases[] = {
        {"NT family, password set", NtFamily, Number(1), true, false},
        {"NT family, no value", NtFamily, NoValue(), true, false},
        {"98 family, no value", Windows98Family, NoValue(), true, false},
        {"98 family, value 0", Windows98Family, Number(0), true, false},
        {"98 family, 8 bytes", Windows98Family, Value(REG_BINARY, {1, 0, 0, 0, 0, 0, 0, 0}),
         true, false},
        {"98 family, long text", Windows98Family, Text("1111111"), true, false},
        {"98 family, no PASSWORD.CPL", Windows98Family, Number(1), false, false},
        {"98 family, value 1", Windows98Family, Number(1), true, true},
        {"98 family, value 0x01000000", Windows98Family, Number(0x01000000), true, true},
        {"98 family, text \"1\"", Windows98Family, Text("1"), true, true},
        {"98 family, 1 byte 1", Windows98Family, Value(REG_BINARY, {1}), true, true},
        {"98 family, 2 bytes 0 1", Windows98Family, Value(REG_BINARY, {0, 1}), true, true},
        {"98 family, 3 bytes 0 0 1", Windows98Family, Value(REG_BINARY, {0, 0, 1}), true,
         true},
        {"98 family, 3 bytes 0 0 0", Windows98Family, Value(REG_BINARY, {0, 0, 0}), true,
         false},
        {"98 family, no bytes", Windows98Family, Value(REG_BINARY, {}), true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(ConfigureWine(c.family));
        ASSERT_NO_FATAL_FAILURE(PutUsePassword(c.value));
        ASSERT_NO_FATAL_FAILURE(MakeRunFolder(c.libraryPresent ? PasswordCpl : NoFixture));
        Answer(true);

        PROCESS_INFORMATION process;
        ASSERT_TRUE(StartProgramProcess(Program(), L"/s", &process));
        HWND window = WaitForProcessWindow(process, NULL, "HORLOMA");
        EXPECT_TRUE(window != NULL);
        if (window != NULL)
            PostMessageA(window, WM_KEYDOWN, 'A', 1);
        DWORD exitCode = 99;
        EXPECT_TRUE(FinishSaverProcess(&process, &exitCode));
        EXPECT_EQ(exitCode, 0u);

        std::vector<std::string> calls = Lines(L"calls.txt");
        std::vector<std::string> loads = Lines(L"loads.txt");
        if (c.asked) {
            EXPECT_EQ(calls, std::vector<std::string>({"window 0"}));
            EXPECT_EQ(loads, std::vector<std::string>({"attach", "detach at exit"}));
        } else {
            EXPECT_TRUE(calls.empty());
            EXPECT_TRUE(loads.empty());
        }
    }
}

// A refused password leaves the saver open and painting, and the next input asks again;
// an accepted one ends it. A mouse jump that was refused keeps the old reference, so the
// next move, still far from it, asks again too.
TEST_F(PasswordProcessTest, RefusedPasswordKeepsTheSaverRunningAndTheNextInputAsksAgain)
{
    enum Input { Key, LeftButton, MouseJump };
    struct {
        const char* name;
        Input input;
    } cases[] = {
        {"key", Key},
        {"left button", LeftButton},
        {"mouse jump", MouseJump},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(ConfigureWine(Windows98Family));
        ASSERT_NO_FATAL_FAILURE(PutUsePassword(Number(1)));
        ASSERT_NO_FATAL_FAILURE(MakeRunFolder(PasswordCpl));
        Answer(false);
        SetCursorPos(100, 100);

        PROCESS_INFORMATION process;
        ASSERT_TRUE(StartProgramProcess(Program(), L"/s", &process));
        HWND window = WaitForProcessWindow(process, NULL, "HORLOMA");
        EXPECT_TRUE(window != NULL);
        if (window == NULL) {
            DWORD exitCode;
            FinishSaverProcess(&process, &exitCode, 0);
            continue;
        }
        if (c.input == MouseJump)
            SetCursorPos(300, 300);
        auto send = [&] {
            if (c.input == Key)
                PostMessageA(window, WM_KEYDOWN, 'A', 1);
            if (c.input == LeftButton)
                PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            if (c.input == MouseJump)
                PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(300, 300));
        };

        // The cursor's own move may ask as well; every ask is refused and counted.
        send();
        EXPECT_TRUE(WaitForLines(L"calls.txt", 1));
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_TRUE(WaitForScreenChange(CaptureScreen()));

        size_t asked = Lines(L"calls.txt").size();
        send();
        EXPECT_TRUE(WaitForLines(L"calls.txt", asked + 1));
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));

        Answer(true);
        send();
        DWORD exitCode = 99;
        EXPECT_TRUE(FinishSaverProcess(&process, &exitCode));
        EXPECT_EQ(exitCode, 0u);
        for (const std::string& call : Lines(L"calls.txt"))
            EXPECT_EQ(call, "window 0");
        // Loaded for every ask and never freed: one load for the whole process.
        EXPECT_EQ(Lines(L"loads.txt"), std::vector<std::string>({"attach", "detach at exit"}));
    }
}

// A close that reaches the saver while the password is asked for is ignored: it starts
// no second ask, whether the ask then refuses or accepts.
TEST_F(PasswordProcessTest, CloseDuringTheCheckIsIgnored)
{
    ASSERT_NO_FATAL_FAILURE(ConfigureWine(Windows98Family));
    ASSERT_NO_FATAL_FAILURE(PutUsePassword(Number(1)));
    ASSERT_NO_FATAL_FAILURE(MakeRunFolder(PasswordCpl));
    PutFile(L"close-during-check", "");
    Answer(false);

    PROCESS_INFORMATION process;
    ASSERT_TRUE(StartProgramProcess(Program(), L"/s", &process));
    HWND window = WaitForProcessWindow(process, NULL, "HORLOMA");
    if (window == NULL) {
        DWORD exitCode;
        FinishSaverProcess(&process, &exitCode, 0);
        FAIL() << "no saver window";
    }

    PostMessageA(window, WM_KEYDOWN, 'A', 1);
    EXPECT_TRUE(WaitForLines(L"calls.txt", 1));
    PostMessageA(window, WM_KEYDOWN, 'B', 1);
    EXPECT_TRUE(WaitForLines(L"calls.txt", 2));
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    Answer(true);
    PostMessageA(window, WM_KEYDOWN, 'C', 1);
    DWORD exitCode = 99;
    EXPECT_TRUE(FinishSaverProcess(&process, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(Lines(L"calls.txt"),
              std::vector<std::string>({"window 0", "window 0", "window 0"}));
}

// In preview mode the saver closes without asking, even on the 95/98/Me family with a
// password set.
TEST_F(PasswordProcessTest, PreviewClosesWithoutAsking)
{
    ASSERT_NO_FATAL_FAILURE(ConfigureWine(Windows98Family));
    ASSERT_NO_FATAL_FAILURE(PutUsePassword(Number(1)));
    ASSERT_NO_FATAL_FAILURE(MakeRunFolder(PasswordCpl));
    Answer(false);
    HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, 152, 112,
                                NULL, NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(host != NULL);

    PROCESS_INFORMATION process;
    ASSERT_TRUE(StartProgramProcess(Program(), L"/p " + Widen(HandleText(host)), &process));
    HWND window = WaitForProcessWindow(process, host, "HORLOMA");
    EXPECT_TRUE(window != NULL);
    if (window != NULL)
        PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 99;
    EXPECT_TRUE(FinishSaverProcess(&process, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(Lines(L"calls.txt").empty());
    EXPECT_TRUE(Lines(L"loads.txt").empty());
    DestroyWindow(host);
}

// The /a mode makes the same attempt on every family: the system's password change,
// owned by the host window, then exit code 0; without MPR.DLL or its function, one
// message and exit code 1, the library left loaded.
TEST_F(PasswordProcessTest, ChangePasswordRunsTheSystemDialogOrReportsWhatIsMissing)
{
    HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(host != NULL);
    std::string hostText = HandleText(host);

    struct {
        const char* name;
        Family family;
        Fixture fixture;
        const wchar_t* mprLoadOrder;  // NULL: Wine's own MPR.DLL
        const char* message;       // NULL: no message
        DWORD exitCode;
    } cases[] = {
        {"Wine's MPR.DLL", NtFamily, NoFixture, NULL, NULL, 0},
        {"Wine's MPR.DLL, 98 family", Windows98Family, NoFixture, NULL, NULL, 0},
        {"MPR.DLL with the function", NtFamily, MprWithChange, L"native", NULL, 0},
        {"MPR.DLL with the function, 98 family", Windows98Family, MprWithChange, L"native",
         NULL, 0},
        {"MPR.DLL without the function", NtFamily, MprWithoutChange, L"native",
         kChangeMissingMessage, 1},
        {"MPR.DLL without the function, 98 family", Windows98Family, MprWithoutChange,
         L"native", kChangeMissingMessage, 1},
        {"no MPR.DLL", NtFamily, NoFixture, L"", kMprMissingMessage, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(ConfigureWine(c.family, c.mprLoadOrder));
        ASSERT_NO_FATAL_FAILURE(MakeRunFolder(c.fixture));

        SaverRun run = RunProgramProcess(Program(), L"/a " + Widen(hostText));
        ASSERT_TRUE(run.started);
        EXPECT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.boxShown, c.message != NULL);
        if (c.message != NULL) {
            EXPECT_EQ(run.boxCaption, "Horloma");
            EXPECT_EQ(run.boxText, c.message);
        }

        std::vector<std::string> calls = Lines(L"calls.txt");
        std::vector<std::string> loads = Lines(L"loads.txt");
        if (c.fixture == MprWithChange) {
            EXPECT_EQ(calls, std::vector<std::string>(
                                 {"change SCRSAVE window " + hostText + " flags 0 reserved 0"}));
            EXPECT_EQ(loads, std::vector<std::string>({"attach", "detach by FreeLibrary"}));
        }
        if (c.fixture == MprWithoutChange) {
            EXPECT_TRUE(calls.empty());
            EXPECT_EQ(loads, std::vector<std::string>({"attach", "detach at exit"}));
        }
    }
    DestroyWindow(host);
}

}  // namespace
