// Bounded UTF-16 text handling shared by the settings store and the command line:
// copies that never overrun a fixed buffer, and the rules applied to registry text.
#ifndef HORLOMA_TEXT_RULES_H
#define HORLOMA_TEXT_RULES_H

#include <stddef.h>
#include <wchar.h>

// One UTF-16 code unit. On Windows this is wchar_t, so the buffers go straight to the
// wide API; elsewhere wchar_t is 32 bits wide and char16_t stands in.
#if WCHAR_MAX == 0xFFFF
typedef wchar_t Utf16Unit;
#define UTF16_TEXT(literal) L"" literal
#else
typedef char16_t Utf16Unit;
#define UTF16_TEXT(literal) u"" literal
#endif

#define COUNTOF(array) (sizeof(array) / sizeof((array)[0]))

// Text buffers of the settings record and the command line: 259 units and the terminator.
const size_t kTextCapacity = 260;

size_t TextLength(const Utf16Unit* text);

// Copies text and its terminator into a buffer of `capacity` units, cutting it after
// capacity - 1 units. Only the text and the terminator are written: whatever follows
// in the destination stays. Returns false when the text had to be cut.
bool CopyTextBounded(Utf16Unit* destination, size_t capacity, const Utf16Unit* source);

// Appends source behind the text already in destination, within the same bound.
// Returns false when it did not fit whole; the destination is still terminated.
bool AppendTextBounded(Utf16Unit* destination, size_t capacity, const Utf16Unit* source);

// Removes one trailing backslash, if the text has one; never more than one.
void DropOneTrailingBackslash(Utf16Unit* text);

// Takes the text out of a REG_SZ value's data as the registry returned it: the units up
// to the first zero, or all of them when the data carries no terminator (an odd last
// byte is not a unit). A text that needs more than capacity - 1 units is refused, as a
// longer value would have been; an accepted one is copied with its terminator only.
bool TextFromRegistryData(Utf16Unit* destination, size_t capacity,
                          const unsigned char* data, size_t byteCount);

#endif
