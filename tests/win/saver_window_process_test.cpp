// The real horloma.scr in its two saver modes, started as the system starts it, with an
// installation entry in place.
#include <string>

#include "registry_fixture.h"
#include "saver_process.h"

namespace {

class SaverWindowProcessTest : public RegistryKeysTest {
protected:
    void SetUp() override
    {
        RegistryKeysTest::SetUp();
        PutText(HKEY_LOCAL_MACHINE, L"Install path", L"C:\\Program Files\\Horloma");
    }
};

std::string TitleOf(HWND window)
{
    char title[100] = "";
    GetWindowTextA(window, title, sizeof(title));
    return title;
}

TEST_F(SaverWindowProcessTest, FullScreenCoversTheScreenOnTopAndEndsOnAKey)
{
    PROCESS_INFORMATION process;
    ASSERT_TRUE(StartSaverProcess(L"/s", &process));
    HWND window = WaitForProcessWindow(process, NULL, "HORLOMA");
    EXPECT_TRUE(window != NULL);
    if (window != NULL) {
        EXPECT_EQ(TitleOf(window), "Horloma");
        EXPECT_NE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
        EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_POPUP | WS_CHILD | WS_CAPTION),
                  static_cast<LONG>(WS_POPUP));
        RECT rect;
        GetWindowRect(window, &rect);
        EXPECT_EQ(rect.left, 0);
        EXPECT_EQ(rect.top, 0);
        EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
        EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
        PostMessageA(window, WM_KEYDOWN, 'A', 1);
    }
    DWORD exitCode = 99;
    EXPECT_TRUE(FinishSaverProcess(&process, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

// Under Wine a child window of another process is not drawn, so only the window itself
// is checked: a child of the host of the host's size, gone with the host.
TEST_F(SaverWindowProcessTest, PreviewIsAChildOfTheHostAndEndsWithIt)
{
    HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, 152, 112,
                                NULL, NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(host != NULL);
    std::wstring number = std::to_wstring(static_cast<long long>(reinterpret_cast<INT_PTR>(host)));
    PROCESS_INFORMATION process;
    ASSERT_TRUE(StartSaverProcess(L"/p " + number, &process));
    HWND window = WaitForProcessWindow(process, host, "HORLOMA");
    EXPECT_TRUE(window != NULL);
    if (window != NULL) {
        EXPECT_TRUE(GetParent(window) == host);
        EXPECT_EQ(TitleOf(window), "Horloma");
        EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_POPUP | WS_CHILD | WS_VISIBLE),
                  static_cast<LONG>(WS_CHILD | WS_VISIBLE));
        RECT rect;
        GetWindowRect(window, &rect);
        MapWindowPoints(NULL, host, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, 0);
        EXPECT_EQ(rect.top, 0);
        EXPECT_EQ(rect.right, 152);
        EXPECT_EQ(rect.bottom, 112);
    }
    DestroyWindow(host);
    DWORD exitCode = 99;
    EXPECT_TRUE(FinishSaverProcess(&process, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
