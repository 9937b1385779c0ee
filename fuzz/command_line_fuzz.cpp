// Fuzz target: the screen-saver command line as the start-up reads it. The input is
// UTF-16LE; its first zero unit ends argument 1 and the rest (up to the next zero unit)
// is argument 2, each of any length. Both go through the bounded copy into the two
// 260-unit buffers, then the mode rule and the host-number rule of every mode.
#include "fuzz/fuzz_check.h"
#include "shell/saver_arguments.h"

namespace {

// One argument as the split of the command line hands it over: its own terminated
// array, exactly as long as the text, so any read past the terminator is caught.
struct Argument {
    Utf16Unit* text;
    size_t length;
};

Argument TakeArgument(FuzzInput& input)
{
    size_t units = input.size / sizeof(Utf16Unit);
    size_t length = 0;
    while (length < units) {
        uint16_t unit;
        memcpy(&unit, input.data + length * sizeof(unit), sizeof(unit));
        if (unit == 0)
            break;
        length++;
    }
    Argument argument = {new Utf16Unit[length + 1], length};
    for (size_t i = 0; i < length; i++)
        argument.text[i] = TakeUint16(input);
    argument.text[length] = 0;
    TakeUint16(input);  // the separating zero, if any
    return argument;
}

SaverMode ExpectedMode(const Argument& argument1)
{
    if (argument1.length < 2)
        return SaverMode::FullScreen;
    switch (argument1.text[1] & 0xFF) {
    case 'A': case 'a': return SaverMode::ChangePassword;
    case 'C': case 'c': return SaverMode::Configure;
    case 'P': case 'p': return SaverMode::Preview;
    }
    return SaverMode::FullScreen;
}

// The same number read by the C library: units outside ASCII become a character that
// is neither space, sign nor digit, and the 64-bit result is clamped to 32 bits.
int32_t ExpectedNumber(const Utf16Unit* text)
{
    size_t length = TextLength(text);
    char* narrow = new char[length + 1];
    for (size_t i = 0; i < length; i++)
        narrow[i] = text[i] < 0x80 ? static_cast<char>(text[i]) : '\x01';
    narrow[length] = 0;
    long long value = strtoll(narrow, NULL, 10);
    delete[] narrow;
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

// The copy writes the argument's first 259 units and a terminator, nothing else.
void CheckCopy(const Utf16Unit* buffer, const Argument& argument, bool whole)
{
    size_t kept = argument.length < kTextCapacity - 1 ? argument.length : kTextCapacity - 1;
    FUZZ_CHECK(whole == (argument.length <= kTextCapacity - 1));
    FUZZ_CHECK(memcmp(buffer, argument.text, kept * sizeof(Utf16Unit)) == 0);
    for (size_t i = kept; i < kTextCapacity; i++)
        FUZZ_CHECK(buffer[i] == 0);
}

bool Inside(const Utf16Unit* text, const Utf16Unit* buffer)
{
    return text >= buffer && text < buffer + kTextCapacity;
}

void CheckHostNumber(SaverMode mode, const Utf16Unit* argument1, const Utf16Unit* argument2)
{
    const Utf16Unit* text = HostNumberText(mode, argument1, argument2);
    FUZZ_CHECK(text != NULL);
    switch (mode) {
    case SaverMode::Preview:
    case SaverMode::ChangePassword:
        FUZZ_CHECK(text == argument2);
        break;
    case SaverMode::Configure:
        if (TextLength(argument1) >= 3)
            FUZZ_CHECK(text == argument1 + 3);
        else
            FUZZ_CHECK(text[0] == 0);
        break;
    case SaverMode::FullScreen:
        FUZZ_CHECK(text[0] == 0);
        break;
    }
    // Whatever the text is, it ends inside its buffer.
    if (Inside(text, argument1))
        FUZZ_CHECK(TerminatedWithin(text, argument1 + kTextCapacity - text));
    else if (Inside(text, argument2))
        FUZZ_CHECK(TerminatedWithin(text, argument2 + kTextCapacity - text));
    else
        FUZZ_CHECK(text[0] == 0);
    FUZZ_CHECK(ParseHostNumber(text) == ExpectedNumber(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input = {data, size};
    Argument argument1 = TakeArgument(input);
    Argument argument2 = TakeArgument(input);

    // Zero-filled heap buffers of exactly 260 units, as the start-up's locals are.
    Utf16Unit* buffer1 = new Utf16Unit[kTextCapacity];
    Utf16Unit* buffer2 = new Utf16Unit[kTextCapacity];
    memset(buffer1, 0, kTextCapacity * sizeof(Utf16Unit));
    memset(buffer2, 0, kTextCapacity * sizeof(Utf16Unit));
    CheckCopy(buffer1, argument1, CopyTextBounded(buffer1, kTextCapacity, argument1.text));
    CheckCopy(buffer2, argument2, CopyTextBounded(buffer2, kTextCapacity, argument2.text));

    // Cutting at 259 units never moves the second character, so the mode is the one
    // the whole argument asks for.
    SaverMode mode = SaverModeFromArgument(buffer1);
    FUZZ_CHECK(mode == ExpectedMode(argument1));
    const SaverMode modes[] = {SaverMode::FullScreen, SaverMode::Preview, SaverMode::Configure,
                               SaverMode::ChangePassword};
    // The start-up reads the number only for the mode it found; every mode's rule must
    // hold for any pair of arguments all the same.
    for (SaverMode each : modes)
        CheckHostNumber(each, buffer1, buffer2);

    delete[] buffer2;
    delete[] buffer1;
    delete[] argument2.text;
    delete[] argument1.text;
    return 0;
}
