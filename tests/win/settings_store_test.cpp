// The registry store against Wine's real registry in the test prefix.
#include <string.h>

#include <string>

#include "registry_fixture.h"
#include "settings/clock_settings.h"
#include "settings/settings_store.h"

namespace {

class SettingsStoreTest : public RegistryKeysTest {
protected:
    void SetUp() override
    {
        RegistryKeysTest::SetUp();
        memset(&settings, 0, sizeof(settings));
    }
    ClockSettings settings;
};

const wchar_t kUntouched[] = L"untouched";

// A value as stored, and the text the program should take from it, if any.
struct StoredValueCase {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
    bool accepted;
    std::wstring text;
};

TEST_F(SettingsStoreTest, InstallPathMissingKeyOrValueFails)
{
    wcscpy(settings.installPath, kUntouched);
    EXPECT_FALSE(ReadInstallPath(settings));
    PutText(HKEY_LOCAL_MACHINE, L"Other value", L"C:\\X");
    EXPECT_FALSE(ReadInstallPath(settings));
    EXPECT_STREQ(settings.installPath, kUntouched);
}

TEST_F(SettingsStoreTest, InstallPathRules)
{
    const StoredValueCase cases[] = {
        {"one trailing backslash dropped", REG_SZ, TextBytes(L"C:\\Program Files\\X\\"), true,
         L"C:\\Program Files\\X"},
        {"drive root", REG_SZ, TextBytes(L"C:\\"), true, L"C:"},
        {"only one of two backslashes", REG_SZ, TextBytes(L"C:\\X\\\\"), true, L"C:\\X\\"},
        {"no backslash", REG_SZ, TextBytes(L"D:\\Saver"), true, L"D:\\Saver"},
        {"empty string", REG_SZ, TextBytes(L""), true, L""},
        {"empty value of 0 bytes", REG_SZ, {}, true, L""},
        {"259 characters", REG_SZ, TextBytes(std::wstring(259, L'p')), true,
         std::wstring(259, L'p')},
        {"260 characters", REG_SZ, TextBytes(std::wstring(260, L'p')), false, L""},
        {"260 characters, 520 bytes without terminator", REG_SZ,
         TextBytes(std::wstring(260, L'p'), false), false, L""},
        {"1000 characters", REG_SZ, TextBytes(std::wstring(1000, L'p')), false, L""},
        {"expandable string", REG_EXPAND_SZ, TextBytes(L"C:\\X"), false, L""},
        {"number", REG_DWORD, {1, 0, 0, 0}, false, L""},
        {"binary", REG_BINARY, TextBytes(L"C:\\X"), false, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PutValue(HKEY_LOCAL_MACHINE, L"Install path", c.type, c.data);
        wcscpy(settings.installPath, kUntouched);
        EXPECT_EQ(ReadInstallPath(settings), c.accepted);
        EXPECT_EQ(std::wstring(settings.installPath), c.accepted ? c.text : kUntouched);
    }
}

TEST_F(SettingsStoreTest, InstallPathIsOnlyRead)
{
    PutText(HKEY_LOCAL_MACHINE, L"Install path", L"C:\\X\\");
    ASSERT_TRUE(ReadInstallPath(settings));
    DWORD type;
    std::vector<BYTE> data;
    ASSERT_TRUE(GetValue(HKEY_LOCAL_MACHINE, L"Install path", &type, &data));
    EXPECT_EQ(data, TextBytes(L"C:\\X\\"));
    SaveClockSettings(settings);
    EXPECT_FALSE(GetValue(HKEY_LOCAL_MACHINE, L"textUp", &type, &data));
}

TEST_F(SettingsStoreTest, LoadWithoutUserKeyGivesDefaultsAndCreatesNothing)
{
    LoadClockSettings(settings);
    EXPECT_STREQ(settings.nameBack, L"06.bmp");
    EXPECT_STREQ(settings.textUp, L"Veltrane");
    EXPECT_STREQ(settings.textDown, L"Ruvozu");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER));
}

TEST_F(SettingsStoreTest, LoadReadsStoredValues)
{
    PutText(HKEY_CURRENT_USER, L"textUp", L"Up there");
    PutText(HKEY_CURRENT_USER, L"textDown", L"");
    PutText(HKEY_CURRENT_USER, L"nameBack", L"walnut.bmp");
    wcscpy(settings.installPath, L"C:\\Keep");
    LoadClockSettings(settings);
    EXPECT_STREQ(settings.textUp, L"Up there");
    EXPECT_STREQ(settings.textDown, L"");
    EXPECT_STREQ(settings.nameBack, L"walnut.bmp");
    EXPECT_STREQ(settings.installPath, L"C:\\Keep");
}

TEST_F(SettingsStoreTest, LoadFallsBackPerValue)
{
    const StoredValueCase cases[] = {
        {"number", REG_DWORD, {7, 0, 0, 0}, false, L""},
        {"expandable string", REG_EXPAND_SZ, TextBytes(L"Hi"), false, L""},
        {"binary", REG_BINARY, TextBytes(L"Hi"), false, L""},
        {"300 characters", REG_SZ, TextBytes(std::wstring(300, L't')), false, L""},
        {"260 characters", REG_SZ, TextBytes(std::wstring(260, L't')), false, L""},
        {"520 bytes without terminator", REG_SZ, TextBytes(std::wstring(260, L't'), false),
         false, L""},
        {"521 bytes", REG_SZ, [] { auto d = TextBytes(std::wstring(259, L't')); d.push_back(1);
                                   return d; }(), false, L""},
        {"259 characters", REG_SZ, TextBytes(std::wstring(259, L't')), true,
         std::wstring(259, L't')},
        {"odd byte count", REG_SZ, {'H', 0, 'i', 0, 'x'}, true, L"Hi"},
        {"embedded zero", REG_SZ, TextBytes(std::wstring(L"ab\0cd", 5)), true, L"ab"},
        {"empty value of 0 bytes", REG_SZ, {}, true, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // The damaged value is the middle one; the other two must still be read.
        PutText(HKEY_CURRENT_USER, L"textUp", L"first");
        PutValue(HKEY_CURRENT_USER, L"textDown", c.type, c.data);
        PutText(HKEY_CURRENT_USER, L"nameBack", L"third.bmp");
        LoadClockSettings(settings);
        EXPECT_STREQ(settings.textUp, L"first");
        EXPECT_EQ(std::wstring(settings.textDown), c.accepted ? c.text : L"Ruvozu");
        EXPECT_STREQ(settings.nameBack, L"third.bmp");
    }
}

TEST_F(SettingsStoreTest, SaveWritesWholeBuffersWithTheirTails)
{
    // As the dialog does: load a stored abcdef, then put ab in its place and save.
    PutText(HKEY_CURRENT_USER, L"textUp", L"abcdef");
    LoadClockSettings(settings);
    wcscpy(settings.textUp, L"ab");
    SaveClockSettings(settings);

    DWORD type;
    std::vector<BYTE> data;
    ASSERT_TRUE(GetValue(HKEY_CURRENT_USER, L"textUp", &type, &data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    ASSERT_EQ(data.size(), 520u);
    const wchar_t expected[] = {L'a', L'b', 0, L'd', L'e', L'f', 0};
    EXPECT_EQ(memcmp(data.data(), expected, sizeof(expected)), 0);
    EXPECT_EQ(memcmp(data.data(), settings.textUp, 520), 0);

    for (const wchar_t* name : {L"textDown", L"nameBack"}) {
        ASSERT_TRUE(GetValue(HKEY_CURRENT_USER, name, &type, &data));
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(data.size(), 520u);
    }
}

TEST_F(SettingsStoreTest, SaveCreatesTheKeyAndLoadsBack)
{
    ResetClockSettings(settings);
    wcscpy(settings.textDown, L"Down below");
    std::wstring longest(259, L'n');
    wcscpy(settings.nameBack, longest.c_str());
    SaveClockSettings(settings);
    ASSERT_TRUE(KeyExists(HKEY_CURRENT_USER));

    ClockSettings loaded;
    memset(&loaded, 0, sizeof(loaded));
    LoadClockSettings(loaded);
    EXPECT_STREQ(loaded.textUp, L"Veltrane");
    EXPECT_STREQ(loaded.textDown, L"Down below");
    EXPECT_EQ(std::wstring(loaded.nameBack), longest);
}

}  // namespace
