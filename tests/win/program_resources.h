// Reads resources back from a module loaded as a data file, as Windows reads them.
#ifndef HORLOMA_TEST_PROGRAM_RESOURCES_H
#define HORLOMA_TEST_PROGRAM_RESOURCES_H

#include <windows.h>

#include <string>

// The bytes of a resource, or an empty text when the module has none of that name.
std::string ProgramResource(HMODULE module, LPCWSTR name, LPCWSTR type);

// One entry of an icon group resource (RT_GROUP_ICON), as stored.
#pragma pack(push, 2)
struct IconDirectoryEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

#endif
