#include "program_resources.h"

std::string ProgramResource(HMODULE module, LPCWSTR name, LPCWSTR type)
{
    HRSRC found = FindResourceW(module, name, type);
    if (found == NULL)
        return "";
    HGLOBAL loaded = LoadResource(module, found);
    return std::string(static_cast<const char*>(LockResource(loaded)),
                       SizeofResource(module, found));
}
