// Fuzz target: registry text as the settings store reads it, and the paths built from
// it. Input: a 16-bit little-endian length n, one byte c, then the data of two REG_SZ
// values: the first n bytes (as many as there are) for "Install path", the rest for the
// user values. The values go through the store's chain (at most 520 bytes returned,
// the terminator and 260-unit rules, one trailing backslash dropped, text-only copies
// into the record) and into the wallpaper path; the bounded copy and append are also
// driven with a buffer of c units.
#include <string>

#include "fuzz/fuzz_check.h"
#include "settings/clock_settings.h"

namespace {

typedef std::basic_string<Utf16Unit> Text;

// The registry hands back at most one field's worth of bytes; a longer value fails.
const size_t kValueBytes = kTextCapacity * sizeof(Utf16Unit);

const Utf16Unit kWallpaperFolder[] = UTF16_TEXT("\\Wall paper\\");
const Utf16Unit kGuardUnit = 0x5A5A;
const Utf16Unit kOldUnit = 'q';

// A value's data in its own array of exactly its size, so any read past it is caught.
struct Value {
    unsigned char* data;
    size_t size;
};

Value TakeValue(FuzzInput& input, size_t size)
{
    Value value = {new unsigned char[size], size};
    if (size > 0)
        memcpy(value.data, input.data, size);
    input.data += size;
    input.size -= size;
    return value;
}

// The units before the first zero unit, or all whole units when there is none.
Text ExpectedText(const Value& value)
{
    Text text;
    for (size_t i = 0; i + sizeof(Utf16Unit) <= value.size; i += sizeof(Utf16Unit)) {
        Utf16Unit unit;
        memcpy(&unit, value.data + i, sizeof(unit));
        if (unit == 0)
            break;
        text += unit;
    }
    return text;
}

bool Fits(const Text& text)
{
    return text.size() <= kTextCapacity - 1;
}

Utf16Unit* NewFilled(size_t capacity, Utf16Unit unit)
{
    Utf16Unit* buffer = new Utf16Unit[capacity];
    for (size_t i = 0; i < capacity; i++)
        buffer[i] = unit;
    return buffer;
}

// Any bytes of any length: accepted exactly when the text fits, written with its
// terminator only; a refused value leaves the buffer as it was.
void CheckRegistryData(const Value& value)
{
    Utf16Unit* field = NewFilled(kTextCapacity, kGuardUnit);
    bool accepted = TextFromRegistryData(field, kTextCapacity, value.data, value.size);
    Text expected = ExpectedText(value);
    FUZZ_CHECK(accepted == Fits(expected));
    size_t written = accepted ? expected.size() + 1 : 0;
    if (accepted)
        FUZZ_CHECK(Text(field) == expected);
    for (size_t i = written; i < kTextCapacity; i++)
        FUZZ_CHECK(field[i] == kGuardUnit);
    delete[] field;
}

// QueryTextValue of the store: what the registry returns, then the text rules.
bool QueryText(const Value& value, Utf16Unit* text, size_t capacity)
{
    if (value.size > kValueBytes)
        return false;
    return TextFromRegistryData(text, capacity, value.data, value.size);
}

bool ExpectedQuery(const Value& value, Text& text)
{
    text = ExpectedText(value);
    return value.size <= kValueBytes && Fits(text);
}

// ReadInstallPath: one trailing backslash dropped, then copied into the record.
void ReadInstallPath(const Value& value, ClockSettings& settings)
{
    Utf16Unit* path = new Utf16Unit[kTextCapacity];
    bool found = QueryText(value, path, kTextCapacity);
    Text expected;
    FUZZ_CHECK(found == ExpectedQuery(value, expected));
    if (found) {
        DropOneTrailingBackslash(path);
        if (!expected.empty() && expected.back() == '\\')
            expected.pop_back();
        FUZZ_CHECK(Text(path) == expected);
        FUZZ_CHECK(CopyTextBounded(settings.installPath, COUNTOF(settings.installPath), path));
        FUZZ_CHECK(Text(settings.installPath) == expected);
    } else {
        FUZZ_CHECK(settings.installPath[0] == 0);
    }
    delete[] path;
}

// LoadTextValue: a value that is refused leaves the field's default.
void LoadTextValue(const Value& value, Utf16Unit* field, size_t capacity)
{
    Utf16Unit* text = new Utf16Unit[kTextCapacity];
    if (QueryText(value, text, kTextCapacity))
        CopyTextBounded(field, capacity, text);
    delete[] text;
}

// Writes text and terminator over a model of a field, as every write into a field must.
void WriteOver(Text& model, const Text& text)
{
    model.replace(0, text.size() + 1, text + Utf16Unit(0));
}

// A field once held 259 old units; the default and then the stored text, if accepted,
// each replace only as many units as they have, and their terminator.
void CheckField(const Utf16Unit* field, const Value& value, const Utf16Unit* fallback)
{
    Text model = Text(kTextCapacity - 1, kOldUnit) + Utf16Unit(0);
    WriteOver(model, fallback);
    Text expected;
    if (ExpectedQuery(value, expected))
        WriteOver(model, expected);
    FUZZ_CHECK(model == Text(field, kTextCapacity));
}

// BuildWallpaperPath of the dial layer and of the settings dialog: a path that does not
// fit is refused and left empty, never cut.
void CheckWallpaperPath(const ClockSettings& settings)
{
    Utf16Unit* path = NewFilled(kTextCapacity, kGuardUnit);
    bool built = CopyTextBounded(path, kTextCapacity, settings.installPath) &&
                 AppendTextBounded(path, kTextCapacity, kWallpaperFolder) &&
                 AppendTextBounded(path, kTextCapacity, settings.nameBack);
    if (!built)
        path[0] = 0;
    Text expected = Text(settings.installPath) + kWallpaperFolder + settings.nameBack;
    FUZZ_CHECK(built == Fits(expected));
    FUZZ_CHECK(TerminatedWithin(path, kTextCapacity));
    FUZZ_CHECK(Text(path) == (built ? expected : Text()));
    delete[] path;
}

// Copy then append into a buffer of any capacity: each cuts its text at capacity - 1
// units of the whole, keeps the buffer terminated and reports whether its own text fit.
void CheckBoundedJoin(const Text& first, const Text& second, size_t capacity)
{
    Utf16Unit* buffer = NewFilled(capacity, kGuardUnit);
    bool copied = CopyTextBounded(buffer, capacity, first.c_str());
    FUZZ_CHECK(copied == (first.size() < capacity));
    if (capacity > 0) {
        size_t kept = first.size() < capacity ? first.size() : capacity - 1;
        bool appended = AppendTextBounded(buffer, capacity, second.c_str());
        Text joined = first.substr(0, kept) + second;
        FUZZ_CHECK(appended == (joined.size() < capacity));
        FUZZ_CHECK(TerminatedWithin(buffer, capacity));
        FUZZ_CHECK(Text(buffer) == joined.substr(0, capacity - 1));
    }
    delete[] buffer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input = {data, size};
    size_t firstSize = TakeUint16(input);
    size_t capacity = TakeUint8(input);
    if (firstSize > input.size)
        firstSize = input.size;
    Value installValue = TakeValue(input, firstSize);
    Value userValue = TakeValue(input, input.size);

    CheckRegistryData(installValue);
    CheckRegistryData(userValue);

    // The saver's record starts all zero; each user field once held a long text.
    ClockSettings* settings = new ClockSettings;
    memset(settings, 0, sizeof(*settings));
    Utf16Unit* fields[] = {settings->nameBack, settings->textUp, settings->textDown};
    for (Utf16Unit* field : fields) {
        for (size_t i = 0; i + 1 < kTextCapacity; i++)
            field[i] = kOldUnit;
        field[kTextCapacity - 1] = 0;
    }

    ReadInstallPath(installValue, *settings);
    ResetClockSettings(*settings);
    LoadTextValue(userValue, settings->textUp, COUNTOF(settings->textUp));
    LoadTextValue(installValue, settings->textDown, COUNTOF(settings->textDown));
    LoadTextValue(userValue, settings->nameBack, COUNTOF(settings->nameBack));
    CheckField(settings->textUp, userValue, UTF16_TEXT("Veltrane"));
    CheckField(settings->textDown, installValue, UTF16_TEXT("Ruvozu"));
    CheckField(settings->nameBack, userValue, UTF16_TEXT("06.bmp"));
    CheckWallpaperPath(*settings);

    CheckBoundedJoin(ExpectedText(installValue), ExpectedText(userValue), capacity);

    delete settings;
    delete[] userValue.data;
    delete[] installValue.data;
    return 0;
}
