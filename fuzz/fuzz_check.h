// What the fuzz targets share: a check that stops the run on a broken invariant, and
// the reading of the input bytes as little-endian numbers and UTF-16 units.
#ifndef HORLOMA_FUZZ_CHECK_H
#define HORLOMA_FUZZ_CHECK_H

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "settings/text_rules.h"

// abort() rather than a return code: libFuzzer keeps the input that aborts as a crash.
#define FUZZ_CHECK(condition)                                                          \
    do {                                                                               \
        if (!(condition)) {                                                            \
            fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__,       \
                    #condition);                                                       \
            abort();                                                                   \
        }                                                                              \
    } while (0)

// Consumes the input from the front; whatever is missing at the end reads as zero.
struct FuzzInput {
    const uint8_t* data;
    size_t size;
};

inline uint32_t TakeUint32(FuzzInput& input)
{
    uint32_t value = 0;
    for (int i = 0; i < 4 && input.size > 0; i++) {
        value |= static_cast<uint32_t>(input.data[0]) << (8 * i);
        input.data++;
        input.size--;
    }
    return value;
}

inline uint16_t TakeUint16(FuzzInput& input)
{
    uint16_t value = 0;
    for (int i = 0; i < 2 && input.size > 0; i++) {
        value = static_cast<uint16_t>(value | input.data[0] << (8 * i));
        input.data++;
        input.size--;
    }
    return value;
}

inline uint8_t TakeUint8(FuzzInput& input)
{
    if (input.size == 0)
        return 0;
    uint8_t value = input.data[0];
    input.data++;
    input.size--;
    return value;
}

inline int32_t TakeInt32(FuzzInput& input)
{
    uint32_t bits = TakeUint32(input);
    int32_t value;
    memcpy(&value, &bits, sizeof(value));
    return value;
}

// True when text[0 .. capacity) holds a terminator.
inline bool TerminatedWithin(const Utf16Unit* text, size_t capacity)
{
    for (size_t i = 0; i < capacity; i++)
        if (text[i] == 0)
            return true;
    return false;
}

#endif
