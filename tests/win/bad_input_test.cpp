// Broken and hostile input fed to the real program and its real code: wallpaper files,
// registry values, command lines and preview hosts. Each case checks the documented
// outcome (a fallback, a message, or nothing drawn) and that nothing crashes or hangs.
#include <string>
#include <vector>

#include "bad_input_cases.h"
#include "registry_fixture.h"
#include "render_fixture.h"
#include "saver_process.h"
#include "settings/clock_settings.h"
#include "settings/settings_store.h"
#include "shell/saver_globals.h"

namespace {

std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t unit : text)
        narrow += unit < 0x80 ? static_cast<char>(unit) : '?';
    return narrow.size() > 60 ? narrow.substr(0, 60) + "..." : narrow;
}

// Whether the bytes read back are the bytes stored. Reading a string value that lacks
// its terminator, Wine may hand back one more zero unit after it; that is the reader's
// doing, not a rewrite.
bool SameStoredBytes(const std::vector<BYTE>& read, const std::vector<BYTE>& stored)
{
    if (read.size() < stored.size() || read.size() > stored.size() + sizeof(wchar_t))
        return false;
    for (size_t i = 0; i < read.size(); i++)
        if (read[i] != (i < stored.size() ? stored[i] : 0))
            return false;
    return true;
}

// The frame's background: the wallpaper tiled from the top left, or white when the file
// gives no picture.
class BadWallpaperFrame : public RenderTest {};

TEST_F(BadWallpaperFrame, DrawsThePictureOrWhite)
{
    const std::wstring folder = InstallFolder() + L"\\Wall paper\\";
    for (const BadWallpaper& file : BadWallpapers()) {
        SCOPED_TRACE(file.what);
        TryBadInputCase([&] {
            std::wstring path = folder + file.name;
            DeleteFileW(path.c_str());
            if (file.written)
                WriteFileBytes(path, file.bytes);
            UseWallpaper(file.name);
            MakeSurfaces(160, 120);
            RenderAt(10, 8, 30);
            RenderNextFrameAt(10, 8, 31);
            Colour c = Background(2, 2);
            Rgb seen = {c.r, c.g, c.b};
            bool white = seen == Rgb{255, 255, 255};
            bool picture = IsPictureColour(seen, file.colour);
            switch (file.outcome) {
            case Decoded::White:
                EXPECT_TRUE(white) << Describe(c);
                break;
            case Decoded::Picture:
                EXPECT_TRUE(picture) << Describe(c);
                break;
            case Decoded::WhiteOrPicture:
                EXPECT_TRUE(white || picture) << Describe(c);
                break;
            }
            // The dial is drawn over whatever the background is.
            int dial = 0;
            for (int y = 30; y < 90; y++)
                for (int x = 50; x < 110; x++)
                    dial += IsNear(Background(x, y), c, 0) ? 0 : 1;
            EXPECT_GT(dial, 60 * 60 / 2) << "no dial over the background";
            DeleteFileW(path.c_str());
        });
    }
}

// Every stored user value, damaged in each way, falls back to its default alone, and the
// load leaves the stored bytes as they were.
class BadRegistryValue : public RegistryKeysTest {
protected:
    struct Damage {
        const char* what;
        bool present;
        DWORD type;
        std::vector<BYTE> data;
        bool accepted;        // read as the text below, else the default
        std::wstring text;
    };

    static std::vector<Damage> Damages()
    {
        std::vector<BYTE> fullNoTerminator = TextBytes(std::wstring(260, L'x'), false);
        std::vector<BYTE> oneOver = TextBytes(std::wstring(260, L'x'), true);
        oneOver.resize(521);
        std::vector<BYTE> odd = TextBytes(L"abc", false);
        odd.push_back('d');
        std::vector<BYTE> embedded = TextBytes(std::wstring(L"ab\0cd", 5), true);
        return {
            {"missing", false, REG_SZ, {}, false, L""},
            {"0 bytes", true, REG_SZ, {}, true, L""},
            {"REG_DWORD", true, REG_DWORD, {1, 0, 0, 0}, false, L""},
            {"REG_EXPAND_SZ", true, REG_EXPAND_SZ, TextBytes(L"abc"), false, L""},
            {"REG_BINARY", true, REG_BINARY, TextBytes(L"abc"), false, L""},
            {"520 bytes without terminator", true, REG_SZ, fullNoTerminator, false, L""},
            {"521 bytes", true, REG_SZ, oneOver, false, L""},
            {"odd byte count", true, REG_SZ, odd, true, L"abc"},
            {"embedded zero", true, REG_SZ, embedded, true, L"ab"},
        };
    }
};

TEST_F(BadRegistryValue, UserValuesFallBackAloneAndAreNeverRewritten)
{
    ClockSettings defaults;
    ZeroMemory(&defaults, sizeof(defaults));
    ResetClockSettings(defaults);
    const wchar_t* names[] = {L"textUp", L"textDown", L"nameBack"};
    for (int field = 0; field < 3; field++)
        for (const Damage& damage : Damages()) {
            SCOPED_TRACE(testing::Message() << Narrow(names[field]) << ": " << damage.what);
            TryBadInputCase([&] {
                RemoveKeys();
                // The other two values are good, and must be read all the same.
                for (int other = 0; other < 3; other++)
                    if (other != field)
                        PutText(HKEY_CURRENT_USER, names[other], L"kept");
                if (damage.present)
                    PutValue(HKEY_CURRENT_USER, names[field], damage.type, damage.data);

                ClockSettings loaded;
                ZeroMemory(&loaded, sizeof(loaded));
                LoadClockSettings(loaded);
                const wchar_t* values[] = {loaded.textUp, loaded.textDown, loaded.nameBack};
                const wchar_t* fallbacks[] = {defaults.textUp, defaults.textDown,
                                              defaults.nameBack};
                for (int other = 0; other < 3; other++) {
                    std::wstring expected = other != field ? L"kept"
                                            : damage.accepted ? damage.text
                                                              : fallbacks[other];
                    EXPECT_EQ(Narrow(values[other]), Narrow(expected)) << Narrow(names[other]);
                }

                DWORD type = 0;
                std::vector<BYTE> stored;
                bool exists = GetValue(HKEY_CURRENT_USER, names[field], &type, &stored);
                EXPECT_EQ(exists, damage.present);
                if (exists) {
                    EXPECT_EQ(type, damage.type);
                    EXPECT_TRUE(SameStoredBytes(stored, damage.data)) << "the load rewrote it";
                }
            });
        }
}

// The installation entry damaged in each way, through the real program: a refused entry
// stops it with the damaged-registry message and 1; an accepted one runs the mode (the
// password change, which ends at once on this family) and returns 0.
TEST_F(BadRegistryValue, InstallPathRefusedWithTheMessageOrAccepted)
{
    for (const Damage& damage : Damages()) {
        SCOPED_TRACE(damage.what);
        TryBadInputCase([&] {
            RemoveKeys();
            if (damage.present)
                PutValue(HKEY_LOCAL_MACHINE, L"Install path", damage.type, damage.data);
            SaverRun run = RunSaverProcess(L"/a 0");
            ASSERT_TRUE(run.started);
            EXPECT_TRUE(run.finished) << "hung";
            EXPECT_EQ(run.boxShown, !damage.accepted);
            EXPECT_EQ(run.exitCode, damage.accepted ? 0u : 1u);
            DWORD type = 0;
            std::vector<BYTE> stored;
            if (damage.present && GetValue(HKEY_LOCAL_MACHINE, L"Install path", &type, &stored)) {
                EXPECT_TRUE(SameStoredBytes(stored, damage.data)) << "the program rewrote it";
            }
        });
    }
}

// Command lines the system would never send, through the real program with a sound
// installation entry.
class HostileCommandLine : public RegistryKeysTest {
protected:
    void SetUp() override
    {
        RegistryKeysTest::SetUp();
        PutText(HKEY_LOCAL_MACHINE, L"Install path", L"C:\\Program Files\\Horloma");
        host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, 152, 112, NULL,
                               NULL, GetModuleHandleA(NULL), NULL);
        ASSERT_TRUE(host != NULL);
    }
    void TearDown() override
    {
        DestroyWindow(host);
        RegistryKeysTest::TearDown();
    }

    // The host's handle with a bit above the low 32 set: a number no 32-bit handle has.
    std::wstring HostBeyond32Bits() const
    {
        unsigned long long value = static_cast<unsigned long long>(
                                       reinterpret_cast<UINT_PTR>(host) & 0xFFFFFFFFu) +
                                   0x100000000ull;
        return std::to_wstring(value);
    }

    HWND host = NULL;
};

TEST_F(HostileCommandLine, EndsAsTheModeSaysWithoutCrashing)
{
    enum Expect { EndsAtOnce, SettingsDialog, PreviewOfTheDesktop };
    struct Case {
        const char* what;
        std::wstring arguments;
        Expect expect;
    };
    const std::vector<Case> cases = {
        {"argument 1 of 259 characters", L"/a" + std::wstring(257, L'x') + L" 0", EndsAtOnce},
        {"argument 1 of 260 characters", L"/a" + std::wstring(258, L'x') + L" 0", EndsAtOnce},
        {"argument 1 of 10,000 characters", L"/a" + std::wstring(9998, L'x') + L" 0",
         EndsAtOnce},
        {"argument 2 of 10,000 digits", L"/a " + std::wstring(10000, L'7'), EndsAtOnce},
        {"/c: with 10,000 digits", L"/c:" + std::wstring(9997, L'9'), SettingsDialog},
        {"/c: with a handle beyond 32 bits", L"/c:" + HostBeyond32Bits(), SettingsDialog},
        {"/p with a handle beyond 32 bits", L"/p " + HostBeyond32Bits(), PreviewOfTheDesktop},
        {"U+0161, low byte of a", L"/\u0161 0", EndsAtOnce},
        {"U+0163, low byte of c", L"/\u0163", SettingsDialog},
        {"U+0170, low byte of p", L"/\u0170 0", PreviewOfTheDesktop},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TryBadInputCase([&] {
            PROCESS_INFORMATION process;
            ASSERT_TRUE(StartSaverProcess(c.arguments, &process));
            if (c.expect == SettingsDialog) {
                HWND dialog = WaitForProcessWindow(process, NULL, "#32770");
                EXPECT_TRUE(dialog != NULL);
                if (dialog != NULL) {
                    // Whatever the number, it is not our host: the desktop owns the dialog.
                    EXPECT_TRUE(GetWindow(dialog, GW_OWNER) != host);
                    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                }
            } else if (c.expect == PreviewOfTheDesktop) {
                HWND window = WaitForProcessWindow(process, NULL, "HORLOMA");
                EXPECT_TRUE(window != NULL);
                if (window != NULL) {
                    EXPECT_FALSE(IsChild(host, window));
                    PostMessageA(window, WM_CLOSE, 0, 0);
                }
            }
            DWORD exitCode = 99;
            EXPECT_TRUE(FinishSaverProcess(&process, &exitCode)) << "hung";
            EXPECT_EQ(exitCode, 0u);
        });
    }
}

// Preview hosts of every size: the preview is a child of the host's size, and ends with it.
TEST_F(HostileCommandLine, PreviewFitsHostsOfAnySize)
{
    const int sides[] = {0, 1, 769};
    for (int side : sides) {
        SCOPED_TRACE(testing::Message() << side << " x " << side);
        TryBadInputCase([&] {
            HWND sized = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, side,
                                         side, NULL, NULL, GetModuleHandleA(NULL), NULL);
            ASSERT_TRUE(sized != NULL);
            std::wstring number =
                std::to_wstring(static_cast<long long>(reinterpret_cast<INT_PTR>(sized)));
            PROCESS_INFORMATION process;
            ASSERT_TRUE(StartSaverProcess(L"/p " + number, &process));
            HWND window = WaitForProcessWindow(process, sized, "HORLOMA");
            EXPECT_TRUE(window != NULL);
            if (window != NULL) {
                RECT rect;
                GetClientRect(window, &rect);
                EXPECT_EQ(rect.right, side);
                EXPECT_EQ(rect.bottom, side);
            }
            DestroyWindow(sized);
            DWORD exitCode = 99;
            EXPECT_TRUE(FinishSaverProcess(&process, &exitCode)) << "hung";
            EXPECT_EQ(exitCode, 0u);
        });
    }
}

}  // namespace
