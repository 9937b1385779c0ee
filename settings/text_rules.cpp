#include "settings/text_rules.h"

#include <string.h>

size_t TextLength(const Utf16Unit* text)
{
    size_t length = 0;
    while (text[length] != 0)
        length++;
    return length;
}

bool CopyTextBounded(Utf16Unit* destination, size_t capacity, const Utf16Unit* source)
{
    if (capacity == 0)
        return false;
    size_t i = 0;
    while (i + 1 < capacity && source[i] != 0) {
        destination[i] = source[i];
        i++;
    }
    destination[i] = 0;
    return source[i] == 0;
}

bool AppendTextBounded(Utf16Unit* destination, size_t capacity, const Utf16Unit* source)
{
    size_t used = 0;
    while (used < capacity && destination[used] != 0)
        used++;
    if (used == capacity)
        return false;
    return CopyTextBounded(destination + used, capacity - used, source);
}

void DropOneTrailingBackslash(Utf16Unit* text)
{
    size_t length = TextLength(text);
    if (length > 0 && text[length - 1] == '\\')
        text[length - 1] = 0;
}

bool TextFromRegistryData(Utf16Unit* destination, size_t capacity,
                          const unsigned char* data, size_t byteCount)
{
    size_t units = byteCount / sizeof(Utf16Unit);
    size_t length = 0;
    for (;;) {
        if (length == units)
            break;
        Utf16Unit unit;
        memcpy(&unit, data + length * sizeof(Utf16Unit), sizeof(unit));
        if (unit == 0)
            break;
        length++;
    }
    if (capacity == 0 || length > capacity - 1)
        return false;
    if (length > 0)
        memcpy(destination, data, length * sizeof(Utf16Unit));
    destination[length] = 0;
    return true;
}
