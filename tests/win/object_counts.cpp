#include "object_counts.h"

#include <psapi.h>

DWORD ReportedGdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

DWORD ReportedUserObjects() { return GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS); }

long ReportedHandleCount()
{
    DWORD count = 0;
    if (!GetProcessHandleCount(GetCurrentProcess(), &count))
        return -1;
    return static_cast<long>(count);
}

SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters;
    ZeroMemory(&counters, sizeof(counters));
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(),
                         reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof(counters));
    return counters.PrivateUsage;
}

SIZE_T CommittedPrivateBytes()
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    SIZE_T committed = 0;
    BYTE* address = static_cast<BYTE*>(system.lpMinimumApplicationAddress);
    MEMORY_BASIC_INFORMATION region;
    while (address < system.lpMaximumApplicationAddress &&
           VirtualQuery(address, &region, sizeof(region)) == sizeof(region)) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            committed += region.RegionSize;
        address = static_cast<BYTE*>(region.BaseAddress) + region.RegionSize;
    }
    return committed;
}

// GDI handles carry their table index in the low word.
static const UINT_PTR kGdiHandleIndices = 0x10000;

int ProbeGdiObjects()
{
    int live = 0;
    for (UINT_PTR index = 1; index < kGdiHandleIndices; index++)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0)
            live++;
    return live;
}

// USER handles: even low words from 0x20 to 0xFFEE.
static const UINT_PTR kFirstUserHandle = 0x20;
static const UINT_PTR kLastUserHandle = 0xFFEE;
static const UINT_PTR kUserHandleStep = 2;

static bool IsOwnWindow(HWND window)
{
    DWORD process = 0;
    return IsWindow(window) && GetWindowThreadProcessId(window, &process) != 0 &&
           process == GetCurrentProcessId();
}

static bool IsLiveIcon(HICON icon)
{
    ICONINFO info;
    if (!GetIconInfo(icon, &info))
        return false;
    // GetIconInfo hands out copies of the icon's bitmaps.
    if (info.hbmColor != NULL)
        DeleteObject(info.hbmColor);
    if (info.hbmMask != NULL)
        DeleteObject(info.hbmMask);
    return true;
}

int ProbeUserObjects()
{
    int live = 0;
    for (UINT_PTR value = kFirstUserHandle; value <= kLastUserHandle; value += kUserHandleStep) {
        if (IsOwnWindow(reinterpret_cast<HWND>(value)) || IsMenu(reinterpret_cast<HMENU>(value)) ||
            IsLiveIcon(reinterpret_cast<HICON>(value)))
            live++;
    }
    return live;
}

// Kernel handles are multiples of 4; a process of this kind holds far fewer than this.
static const UINT_PTR kKernelHandleStep = 4;
static const UINT_PTR kKernelHandleValues = 0x10000;

int ProbeKernelHandles()
{
    int live = 0;
    for (UINT_PTR value = kKernelHandleStep; value < kKernelHandleValues * kKernelHandleStep;
         value += kKernelHandleStep) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            live++;
    }
    return live;
}

SIZE_T ProcessHeapBytesInUse()
{
    HANDLE heap = GetProcessHeap();
    SIZE_T inUse = 0;
    PROCESS_HEAP_ENTRY entry;
    ZeroMemory(&entry, sizeof(entry));
    HeapLock(heap);
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            inUse += entry.cbData;
    HeapUnlock(heap);
    return inUse;
}
