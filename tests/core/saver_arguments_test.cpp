#include <gtest/gtest.h>
#include <stdint.h>

#include <string>

#include "shell/saver_arguments.h"
#include "tests/core/saver_mode_names.h"

namespace {

typedef std::basic_string<Utf16Unit> Text;

TEST(SaverMode, OnlyTheSecondCharacterDecides)
{
    struct { const Utf16Unit* argument; SaverMode mode; } cases[] = {
        {UTF16_TEXT(""), SaverMode::FullScreen},
        {UTF16_TEXT("/"), SaverMode::FullScreen},   // no second character
        {UTF16_TEXT("p"), SaverMode::FullScreen},   // a mode letter alone
        {UTF16_TEXT("c"), SaverMode::FullScreen},
        {UTF16_TEXT("/s"), SaverMode::FullScreen},
        {UTF16_TEXT("/S"), SaverMode::FullScreen},
        {UTF16_TEXT("-s"), SaverMode::FullScreen},
        {UTF16_TEXT("/x"), SaverMode::FullScreen},
        {UTF16_TEXT("/p"), SaverMode::Preview},
        {UTF16_TEXT("-p"), SaverMode::Preview},
        {UTF16_TEXT("/P"), SaverMode::Preview},
        {UTF16_TEXT("/p:1234"), SaverMode::Preview},
        {UTF16_TEXT("/c"), SaverMode::Configure},
        {UTF16_TEXT("/C:99"), SaverMode::Configure},
        {UTF16_TEXT("xc"), SaverMode::Configure},   // the first character is never examined
        {UTF16_TEXT("/a"), SaverMode::ChangePassword},
        {UTF16_TEXT("/A"), SaverMode::ChangePassword},
        {UTF16_TEXT("pp"), SaverMode::Preview},
        {UTF16_TEXT("/sp"), SaverMode::FullScreen},  // nor the third
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "argument of length " << Text(c.argument).size()
                                        << " expecting " << ModeName(c.mode));
        EXPECT_STREQ(ModeName(SaverModeFromArgument(c.argument)), ModeName(c.mode));
    }
}

TEST(SaverMode, ComparesTheLowByteOnly)
{
    struct { Utf16Unit second; SaverMode mode; } cases[] = {
        {0x0170, SaverMode::Preview},         // low byte of 'p'
        {0x0150, SaverMode::Preview},         // low byte of 'P'
        {0x4163, SaverMode::Configure},       // low byte of 'c'
        {0xFF41, SaverMode::ChangePassword},  // low byte of 'A'
        {0x0173, SaverMode::FullScreen},      // low byte of 's'
        {0x0100, SaverMode::FullScreen},      // low byte zero: still a second character
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "second unit 0x" << std::hex << int(c.second));
        const Utf16Unit argument[] = {'/', c.second, 0};
        EXPECT_STREQ(ModeName(SaverModeFromArgument(argument)), ModeName(c.mode));
    }
}

TEST(HostNumberText, WhereEachModeKeepsTheHandle)
{
    struct {
        SaverMode mode;
        const Utf16Unit* argument1;
        const Utf16Unit* argument2;
        const Utf16Unit* expected;
    } cases[] = {
        {SaverMode::Preview, UTF16_TEXT("/p"), UTF16_TEXT("1234"), UTF16_TEXT("1234")},
        {SaverMode::Preview, UTF16_TEXT("/p:1234"), UTF16_TEXT(""), UTF16_TEXT("")},
        {SaverMode::ChangePassword, UTF16_TEXT("/a"), UTF16_TEXT("77"), UTF16_TEXT("77")},
        {SaverMode::Configure, UTF16_TEXT("/c:1234"), UTF16_TEXT("5678"), UTF16_TEXT("1234")},
        {SaverMode::Configure, UTF16_TEXT("/c1234"), UTF16_TEXT(""), UTF16_TEXT("234")},
        {SaverMode::Configure, UTF16_TEXT("/c:"), UTF16_TEXT("5"), UTF16_TEXT("")},
        {SaverMode::Configure, UTF16_TEXT("/c"), UTF16_TEXT("5"), UTF16_TEXT("")},
        {SaverMode::FullScreen, UTF16_TEXT("/s"), UTF16_TEXT("99"), UTF16_TEXT("")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << ModeName(c.mode) << " argument1 length "
                                        << Text(c.argument1).size());
        EXPECT_TRUE(Text(HostNumberText(c.mode, c.argument1, c.argument2)) == Text(c.expected));
    }
}

TEST(HostNumber, SignedDecimalWithClamping)
{
    struct { const Utf16Unit* text; int32_t value; } cases[] = {
        {UTF16_TEXT(""), 0},
        {UTF16_TEXT("abc"), 0},
        {UTF16_TEXT("1234"), 1234},
        {UTF16_TEXT("  42"), 42},
        {UTF16_TEXT("\t\r\n\v\f7"), 7},
        {UTF16_TEXT("-17"), -17},
        {UTF16_TEXT("+8"), 8},
        {UTF16_TEXT("12ab"), 12},
        {UTF16_TEXT("0x10"), 0},
        {UTF16_TEXT("- 5"), 0},
        {UTF16_TEXT("--5"), 0},
        {UTF16_TEXT("007"), 7},
        {UTF16_TEXT("2147483647"), INT32_MAX},
        {UTF16_TEXT("2147483648"), INT32_MAX},
        {UTF16_TEXT("-2147483648"), INT32_MIN},
        {UTF16_TEXT("-2147483649"), INT32_MIN},
        {UTF16_TEXT("4294967297"), INT32_MAX},  // a handle beyond 32 bits
        {UTF16_TEXT("99999999999999999999999999999999"), INT32_MAX},
        {UTF16_TEXT("-99999999999999999999999999999999"), INT32_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "expecting " << c.value);
        EXPECT_EQ(ParseHostNumber(c.text), c.value);
    }
    const Utf16Unit fullWidthDigit[] = {0xFF11, 0};  // only ASCII digits count
    EXPECT_EQ(ParseHostNumber(fullWidthDigit), 0);
}

}  // namespace
