// The real horloma.scr started as a child process, as the system starts it.
#include <string>

#include "registry_fixture.h"
#include "saver_process.h"

namespace {

const char kDamagedMessage[] = "Registry information is damaged. Please reinstall screen saver";

class StartupProcessTest : public RegistryKeysTest {};

// Whatever the mode, a missing or unusable installation entry stops the program with
// one message box and exit code 1.
TEST_F(StartupProcessTest, DamagedInstallationEntryIsFatalInEveryMode)
{
    enum Entry { Missing, ExpandableString, TooLong };
    struct { Entry entry; const wchar_t* arguments; } cases[] = {
        {Missing, L""},
        {Missing, L"/s"},
        {Missing, L"/c:0"},
        {Missing, L"/a 1"},
        {Missing, L"/p 0"},
        {ExpandableString, L"/s"},
        {TooLong, L"/c:0"},
    };
    for (const auto& c : cases) {
        std::wstring arguments(c.arguments);
        SCOPED_TRACE(testing::Message() << "entry " << c.entry << ", arguments '"
                                        << std::string(arguments.begin(), arguments.end())
                                        << "'");
        RemoveKeys();
        if (c.entry == ExpandableString)
            PutValue(HKEY_LOCAL_MACHINE, L"Install path", REG_EXPAND_SZ, TextBytes(L"C:\\X"));
        if (c.entry == TooLong)
            PutText(HKEY_LOCAL_MACHINE, L"Install path", std::wstring(300, L'x'));

        SaverRun run = RunSaverProcess(arguments);
        ASSERT_TRUE(run.started);
        EXPECT_TRUE(run.finished);
        EXPECT_TRUE(run.boxShown);
        EXPECT_EQ(run.boxCaption, "Horloma");
        EXPECT_EQ(run.boxText, kDamagedMessage);
        EXPECT_EQ(run.exitCode, 1u);
    }
}

}  // namespace
