// The command line of a real process start, with real window handles.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "shell/command_line.h"
#include "tests/core/saver_mode_names.h"

namespace {

class CommandLineTest : public testing::Test {
protected:
    void SetUp() override
    {
        host = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 152, 112, NULL, NULL,
                               GetModuleHandleW(NULL), NULL);
        ASSERT_TRUE(host != NULL);
        number = std::to_wstring(static_cast<long long>(reinterpret_cast<INT_PTR>(host)));
    }
    void TearDown() override { DestroyWindow(host); }

    static SaverCommand Parse(const std::wstring& arguments)
    {
        return ParseSaverCommandText((L"\"C:\\saver dir\\horloma.scr\" " + arguments).c_str());
    }

    HWND host;
    std::wstring number;
};

TEST_F(CommandLineTest, FullScreenNeverReadsAHost)
{
    for (const wchar_t* arguments : {L"", L"/s", L"/S 1234", L"-s", L"/", L"p", L"/x 5"}) {
        SaverCommand command = Parse(arguments);
        EXPECT_STREQ(ModeName(command.mode), "FullScreen");
        EXPECT_TRUE(command.host == NULL);
    }
    SaverCommand bare = ParseSaverCommandText(L"horloma.scr");
    EXPECT_STREQ(ModeName(bare.mode), "FullScreen");
}

TEST_F(CommandLineTest, ModesTakeALiveHostWindow)
{
    struct { std::wstring arguments; const char* mode; } cases[] = {
        {L"/p " + number, "Preview"},
        {L"-p " + number, "Preview"},
        {L"/P " + number, "Preview"},
        {L"\"/p\" \"" + number + L"\"", "Preview"},
        {L"/a " + number, "ChangePassword"},
        {L"/c:" + number, "Configure"},
        {L"/c:" + number + L" 5678", "Configure"},  // the second argument is not looked at
        {L"/c:" + number + L"xyz", "Configure"},
        {L"/p " + number + L" /c:0", "Preview"},    // a third argument changes nothing
        {L"/p \"  " + number + L"\"", "Preview"},   // leading white space is skipped
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.arguments.begin(), c.arguments.end()));
        SaverCommand command = Parse(c.arguments);
        EXPECT_STREQ(ModeName(command.mode), c.mode);
        EXPECT_EQ(command.host, host);
    }
}

TEST_F(CommandLineTest, MissingOrDeadHostsFallBackToTheDesktop)
{
    HWND gone = CreateWindowExW(0, L"STATIC", L"gone", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                GetModuleHandleW(NULL), NULL);
    ASSERT_TRUE(gone != NULL);
    std::wstring goneNumber =
        std::to_wstring(static_cast<long long>(reinterpret_cast<INT_PTR>(gone)));
    DestroyWindow(gone);

    struct { std::wstring arguments; const char* mode; } cases[] = {
        {L"/p", "Preview"},
        {L"/p 0", "Preview"},
        {L"/p abc", "Preview"},
        {L"/p:" + number, "Preview"},               // no second argument
        {L"/p " + goneNumber, "Preview"},           // a window that no longer exists
        {L"/p 99999999999999999999", "Preview"},    // clamped, not a window
        {L"/p -1", "Preview"},
        {L"/c", "Configure"},
        {L"/c:0", "Configure"},
        {L"/c: " + number + L"0", "Configure"},
        {L"/c " + number, "Configure"},             // the number belongs in argument 1
        {L"/a", "ChangePassword"},
        {L"/a 0 " + number, "ChangePassword"},      // not from argument 3
    };
    HWND desktop = GetDesktopWindow();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.arguments.begin(), c.arguments.end()));
        SaverCommand command = Parse(c.arguments);
        EXPECT_STREQ(ModeName(command.mode), c.mode);
        EXPECT_EQ(command.host, desktop);
    }
}

TEST_F(CommandLineTest, LongArgumentsAreCutNotOverrun)
{
    // Argument 1 of 10,000 characters: the mode and the number in its first 259 are kept.
    std::wstring longConfigure = L"/c:" + number + std::wstring(10000, L'z');
    SaverCommand configure = Parse(longConfigure);
    EXPECT_STREQ(ModeName(configure.mode), "Configure");
    EXPECT_EQ(configure.host, host);

    // Argument 2 of 259 characters is read whole; one digit past the cut does not count.
    std::wstring padded = std::wstring(259 - number.size(), L' ') + number;
    EXPECT_EQ(Parse(L"/p \"" + padded + L"\"").host, host);
    std::wstring tooLong = std::wstring(259, L' ') + number;
    EXPECT_EQ(Parse(L"/p \"" + tooLong + L"\"").host, GetDesktopWindow());
    EXPECT_EQ(Parse(L"/p " + std::wstring(10000, L'9')).host, GetDesktopWindow());
}

}  // namespace
