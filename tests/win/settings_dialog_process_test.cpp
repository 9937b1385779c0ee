// The real horloma.scr in Configure mode, started as the system starts it: the settings
// dialog, found by its caption, owned by the host window, saving on OK.
#include <string>

#include "registry_fixture.h"
#include "resource_ids.h"
#include "saver_process.h"

namespace {

class SettingsProcessTest : public RegistryKeysTest {
protected:
    void SetUp() override
    {
        RegistryKeysTest::SetUp();
        PutText(HKEY_LOCAL_MACHINE, L"Install path", L"C:\\Program Files\\Horloma");
        host = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                               GetModuleHandleA(NULL), NULL);
    }

    void TearDown() override
    {
        DestroyWindow(host);
        RegistryKeysTest::TearDown();
    }

    std::wstring HostArgument() const
    {
        return L"/c:" + std::to_wstring(static_cast<long long>(reinterpret_cast<INT_PTR>(host)));
    }

    static std::string Caption(HWND window)
    {
        char text[100] = "";
        GetWindowTextA(window, text, sizeof(text));
        return text;
    }

    HWND host = NULL;
};

TEST_F(SettingsProcessTest, ConfigureOpensTheSettingsDialogOwnedByTheHost)
{
    PROCESS_INFORMATION process;
    ASSERT_TRUE(StartSaverProcess(HostArgument(), &process));
    HWND dialog = WaitForProcessWindow(process, NULL, "#32770");
    EXPECT_TRUE(dialog != NULL);
    if (dialog != NULL) {
        EXPECT_EQ(Caption(dialog), "Horloma settings");
        EXPECT_TRUE(GetWindow(dialog, GW_OWNER) == host);
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    DWORD exitCode = 99;
    EXPECT_TRUE(FinishSaverProcess(&process, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER)) << "closing saved something";
}

TEST_F(SettingsProcessTest, OkInTheRealProgramStoresTheTexts)
{
    PROCESS_INFORMATION process;
    ASSERT_TRUE(StartSaverProcess(HostArgument(), &process));
    HWND dialog = WaitForProcessWindow(process, NULL, "#32770");
    EXPECT_TRUE(dialog != NULL);
    if (dialog != NULL) {
        SendMessageW(GetDlgItem(dialog, IDC_TEXT_UP), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(L"Typed up"));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    }
    DWORD exitCode = 99;
    EXPECT_TRUE(FinishSaverProcess(&process, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    ASSERT_TRUE(GetValue(HKEY_CURRENT_USER, L"textUp", &type, &data));
    EXPECT_EQ(data.size(), kTextCapacity * sizeof(wchar_t));
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(data.data())), L"Typed up");
}

}  // namespace
