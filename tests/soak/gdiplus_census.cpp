#include "gdiplus_census.h"

#include <windows.h>
#include <gdiplus.h>
#include <stdio.h>
#include <string.h>

#include <map>
#include <tuple>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

// Each live object and the call that made it.
static std::map<void*, const char*> liveObjects;

struct CountedImport {
    const char* name;
    void* counting;   // the counting call put into the import table
    void** real;      // where the counting call finds the real one
};

// A making call: its object comes back through the last argument.
template <int Tag, typename... Arguments>
struct Making {
    static GpStatus (WINAPI* real)(Arguments...);
    static const char* name;
    static GpStatus WINAPI Count(Arguments... arguments)
    {
        GpStatus status = real(arguments...);
        auto made = std::get<sizeof...(Arguments) - 1>(std::forward_as_tuple(arguments...));
        if (status == Ok && *made != NULL)
            liveObjects[*made] = name;
        return status;
    }
};
template <int Tag, typename... Arguments>
GpStatus (WINAPI* Making<Tag, Arguments...>::real)(Arguments...);
template <int Tag, typename... Arguments>
const char* Making<Tag, Arguments...>::name;

// A releasing call: its object is the first argument.
template <int Tag, typename... Arguments>
struct Releasing {
    static GpStatus (WINAPI* real)(Arguments...);
    static GpStatus WINAPI Count(Arguments... arguments)
    {
        void* object = std::get<0>(std::forward_as_tuple(arguments...));
        GpStatus status = real(arguments...);
        if (status == Ok)
            liveObjects.erase(object);
        return status;
    }
};
template <int Tag, typename... Arguments>
GpStatus (WINAPI* Releasing<Tag, Arguments...>::real)(Arguments...);

template <int Tag, typename... Arguments>
static CountedImport MakingImport(const char* name, GpStatus (WINAPI*)(Arguments...))
{
    typedef Making<Tag, Arguments...> Call;
    Call::name = name;
    CountedImport import = {name, reinterpret_cast<void*>(&Call::Count),
                            reinterpret_cast<void**>(&Call::real)};
    return import;
}

template <int Tag, typename... Arguments>
static CountedImport ReleasingImport(const char* name, GpStatus (WINAPI*)(Arguments...))
{
    typedef Releasing<Tag, Arguments...> Call;
    CountedImport import = {name, reinterpret_cast<void*>(&Call::Count),
                            reinterpret_cast<void**>(&Call::real)};
    return import;
}

#define MAKING(function) MakingImport<__COUNTER__>(#function, function)
#define RELEASING(function) ReleasingImport<__COUNTER__>(#function, function)

// Every call of gdiplus.dll the program makes or releases objects with.
static const CountedImport countedImports[] = {
    MAKING(GdipCreateFromHDC),
    MAKING(GdipCreateSolidFill),
    MAKING(GdipCreatePen1),
    MAKING(GdipCreateTexture),
    MAKING(GdipCreateLineBrushI),
    MAKING(GdipCreatePath),
    MAKING(GdipCreatePathGradientFromPath),
    MAKING(GdipCreateFontFamilyFromName),
    MAKING(GdipCreateStringFormat),
    MAKING(GdipCreateFont),
    MAKING(GdipLoadImageFromFile),
    RELEASING(GdipDeleteGraphics),
    RELEASING(GdipDeleteBrush),
    RELEASING(GdipDeletePen),
    RELEASING(GdipDeletePath),
    RELEASING(GdipDeleteFontFamily),
    RELEASING(GdipDeleteStringFormat),
    RELEASING(GdipDeleteFont),
    RELEASING(GdipDisposeImage),
};

// Names of calls that make or release objects; any such import must be counted.
static const char* const kObjectCallPrefixes[] = {"GdipCreate", "GdipLoad", "GdipClone",
                                                  "GdipDelete", "GdipDispose", "GdipAlloc",
                                                  "GdipFree", "GdipGetGeneric"};

static bool NamesObjectCall(const char* name)
{
    for (const char* prefix : kObjectCallPrefixes)
        if (strncmp(name, prefix, strlen(prefix)) == 0)
            return true;
    return false;
}

static const CountedImport* FindCounted(const char* name)
{
    for (const CountedImport& import : countedImports)
        if (strcmp(import.name, name) == 0)
            return &import;
    return NULL;
}

static bool Redirect(void** slot, const CountedImport& import)
{
    DWORD oldProtection = 0;
    if (!VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &oldProtection))
        return false;
    *import.real = *slot;
    *slot = import.counting;
    VirtualProtect(slot, sizeof(*slot), oldProtection, &oldProtection);
    return true;
}

bool StartGdiplusCensus()
{
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(NULL));
    IMAGE_NT_HEADERS* headers = reinterpret_cast<IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    IMAGE_IMPORT_DESCRIPTOR* library =
        reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
    int redirected = 0;
    bool complete = true;
    for (; library->Name != 0; library++) {
        if (_stricmp(reinterpret_cast<const char*>(base + library->Name), "gdiplus.dll") != 0)
            continue;
        IMAGE_THUNK_DATA* names =
            reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        void** slots = reinterpret_cast<void**>(base + library->FirstThunk);
        for (int i = 0; names[i].u1.AddressOfData != 0; i++) {
            if (IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal))
                continue;
            const char* name = reinterpret_cast<const char*>(
                reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names[i].u1.AddressOfData)->Name);
            const CountedImport* import = FindCounted(name);
            if (import != NULL) {
                if (!Redirect(&slots[i], *import)) {
                    printf("gdi+ census: cannot redirect %s\n", name);
                    complete = false;
                }
                redirected++;
            } else if (NamesObjectCall(name)) {
                printf("gdi+ census: %s makes or releases objects and is not counted\n", name);
                complete = false;
            }
        }
    }
    if (redirected == 0) {
        printf("gdi+ census: no counted gdiplus.dll import found\n");
        complete = false;
    }
    return complete;
}

size_t LiveGdiplusObjects() { return liveObjects.size(); }

void PrintLiveGdiplusObjects()
{
    std::map<const char*, int> byCall;
    for (const auto& object : liveObjects)
        byCall[object.second]++;
    for (const auto& call : byCall)
        printf("  alive from %s: %d\n", call.first, call.second);
}
