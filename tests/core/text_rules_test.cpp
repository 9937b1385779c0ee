#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "settings/clock_settings.h"
#include "settings/text_rules.h"

namespace {

typedef std::basic_string<Utf16Unit> Text;

Text Repeated(Utf16Unit unit, size_t count)
{
    return Text(count, unit);
}

// The bytes of a text as the registry would hold them, without adding a terminator.
std::vector<unsigned char> Bytes(const Text& text)
{
    std::vector<unsigned char> bytes(text.size() * sizeof(Utf16Unit));
    if (!bytes.empty())
        memcpy(bytes.data(), text.data(), bytes.size());
    return bytes;
}

TEST(CopyTextBounded, CopiesTextAndTerminatorOnly)
{
    Utf16Unit field[kTextCapacity];
    EXPECT_TRUE(CopyTextBounded(field, COUNTOF(field), UTF16_TEXT("abcdef")));
    EXPECT_TRUE(CopyTextBounded(field, COUNTOF(field), UTF16_TEXT("ab")));
    // The rest of the longer text stays behind the new terminator.
    const Utf16Unit expected[] = {'a', 'b', 0, 'd', 'e', 'f', 0};
    EXPECT_EQ(memcmp(field, expected, sizeof(expected)), 0);
}

TEST(CopyTextBounded, CutsAtCapacityWithoutOverrun)
{
    struct { size_t length; bool fits; } cases[] = {{258, true}, {259, true}, {260, false},
                                                    {10000, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "length " << c.length);
        Utf16Unit buffer[kTextCapacity + 1];
        buffer[kTextCapacity] = 0x5A5A;  // guard unit just past the buffer
        Text source = Repeated('x', c.length);
        EXPECT_EQ(CopyTextBounded(buffer, kTextCapacity, source.c_str()), c.fits);
        size_t kept = c.length < kTextCapacity - 1 ? c.length : kTextCapacity - 1;
        EXPECT_TRUE(Text(buffer) == Repeated('x', kept));
        EXPECT_EQ(buffer[kTextCapacity], 0x5A5A);
    }
    Utf16Unit one[1] = {'q'};
    EXPECT_FALSE(CopyTextBounded(one, COUNTOF(one), UTF16_TEXT("a")));
    EXPECT_EQ(one[0], 0);
    EXPECT_TRUE(CopyTextBounded(one, COUNTOF(one), UTF16_TEXT("")));
}

TEST(AppendTextBounded, JoinsWithinTheBuffer)
{
    Utf16Unit path[16];
    CopyTextBounded(path, COUNTOF(path), UTF16_TEXT("C:\\X"));
    EXPECT_TRUE(AppendTextBounded(path, COUNTOF(path), UTF16_TEXT("\\Wall\\")));
    EXPECT_TRUE(Text(path) == Text(UTF16_TEXT("C:\\X\\Wall\\")));
    EXPECT_FALSE(AppendTextBounded(path, COUNTOF(path), UTF16_TEXT("06.bmp")));
    EXPECT_TRUE(Text(path) == Text(UTF16_TEXT("C:\\X\\Wall\\06.bm")));
    EXPECT_FALSE(AppendTextBounded(path, COUNTOF(path), UTF16_TEXT("more")));
    EXPECT_EQ(TextLength(path), 15u);
}

TEST(DropOneTrailingBackslash, RemovesOneAtMost)
{
    struct { const Utf16Unit* path; const Utf16Unit* expected; } cases[] = {
        {UTF16_TEXT("C:\\Program Files\\X\\"), UTF16_TEXT("C:\\Program Files\\X")},
        {UTF16_TEXT("C:\\"), UTF16_TEXT("C:")},
        {UTF16_TEXT("C:\\X\\\\"), UTF16_TEXT("C:\\X\\")},
        {UTF16_TEXT("C:\\X"), UTF16_TEXT("C:\\X")},
        {UTF16_TEXT("\\"), UTF16_TEXT("")},
        {UTF16_TEXT(""), UTF16_TEXT("")},
    };
    for (const auto& c : cases) {
        Utf16Unit buffer[kTextCapacity];
        CopyTextBounded(buffer, COUNTOF(buffer), c.path);
        DropOneTrailingBackslash(buffer);
        EXPECT_TRUE(Text(buffer) == Text(c.expected)) << "length " << TextLength(c.path);
    }
}

TEST(TextFromRegistryData, AcceptsWhatFitsAndRefusesTheRest)
{
    struct {
        const char* name;
        std::vector<unsigned char> data;
        bool accepted;
        Text text;
    } cases[] = {
        {"terminated", Bytes(Text(UTF16_TEXT("abc")) + Utf16Unit(0)), true, UTF16_TEXT("abc")},
        {"tail after the terminator",
         Bytes(Text(UTF16_TEXT("ab")) + Utf16Unit(0) + UTF16_TEXT("def")), true, UTF16_TEXT("ab")},
        {"no terminator", Bytes(UTF16_TEXT("abc")), true, UTF16_TEXT("abc")},
        {"odd byte count", [] { auto b = Bytes(UTF16_TEXT("abc")); b.push_back('d'); return b; }(),
         true, UTF16_TEXT("abc")},
        {"one byte", std::vector<unsigned char>{'a'}, true, Text()},
        {"empty value", std::vector<unsigned char>(), true, Text()},
        {"259 units and terminator (520 bytes)", Bytes(Repeated('x', 259) + Utf16Unit(0)), true,
         Repeated('x', 259)},
        {"259 units, no terminator", Bytes(Repeated('x', 259)), true, Repeated('x', 259)},
        {"260 units, no terminator (520 bytes)", Bytes(Repeated('x', 260)), false, Text()},
        {"embedded zero", Bytes(Text(UTF16_TEXT("a")) + Utf16Unit(0) + Repeated('y', 300)), true,
         UTF16_TEXT("a")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Utf16Unit field[kTextCapacity + 1];
        CopyTextBounded(field, kTextCapacity, UTF16_TEXT("previous"));
        field[kTextCapacity] = 0x5A5A;
        bool accepted = TextFromRegistryData(field, kTextCapacity, c.data.data(), c.data.size());
        EXPECT_EQ(accepted, c.accepted);
        EXPECT_TRUE(Text(field) == (c.accepted ? c.text : Text(UTF16_TEXT("previous"))));
        EXPECT_EQ(field[kTextCapacity], 0x5A5A);
    }
}

TEST(ResetClockSettings, WritesTheDefaultsOverLongerTexts)
{
    ClockSettings settings;
    memset(&settings, 0, sizeof(settings));
    CopyTextBounded(settings.installPath, COUNTOF(settings.installPath), UTF16_TEXT("C:\\H"));
    CopyTextBounded(settings.textUp, COUNTOF(settings.textUp), UTF16_TEXT("A much longer text"));
    ResetClockSettings(settings);
    EXPECT_TRUE(Text(settings.nameBack) == Text(UTF16_TEXT("06.bmp")));
    EXPECT_TRUE(Text(settings.textUp) == Text(UTF16_TEXT("Veltrane")));
    EXPECT_TRUE(Text(settings.textDown) == Text(UTF16_TEXT("Ruvozu")));
    EXPECT_TRUE(Text(settings.installPath) == Text(UTF16_TEXT("C:\\H")));
    // Only text and terminator are written: the old text's tail stays.
    EXPECT_TRUE(Text(settings.textUp + 9) == Text(UTF16_TEXT("nger text")));
}

}  // namespace
