// Counts of what this process holds, for leak checks: what the platform reports, and
// probes of Wine's handle spaces where Wine reports nothing (its GetGuiResources is a
// stub that answers 0). Each probe only asks whether a handle value is alive.
#ifndef HORLOMA_TEST_OBJECT_COUNTS_H
#define HORLOMA_TEST_OBJECT_COUNTS_H

#include <windows.h>

// GetGuiResources(GR_GDIOBJECTS) and (GR_USEROBJECTS), as the platform answers.
DWORD ReportedGdiObjects();
DWORD ReportedUserObjects();
// GetProcessHandleCount, or -1 when the call fails.
long ReportedHandleCount();
// PROCESS_MEMORY_COUNTERS_EX PrivateUsage, in bytes.
SIZE_T PrivateBytes();

// Live GDI objects of the process, stock objects included: every 16-bit handle index
// for which GetObjectType answers. A handle without its upper word names whichever
// object holds that index, so one pass sees them all.
int ProbeGdiObjects();

// Live windows of this process, menus, and icons and cursors: every USER handle index
// that IsWindow (for a window of this process), IsMenu or GetIconInfo accepts.
int ProbeUserObjects();

// Kernel handles of the process: every handle value GetHandleInformation accepts.
int ProbeKernelHandles();

// Committed private memory of the process, summed over its regions by VirtualQuery:
// what PrivateUsage means, for a system that leaves PrivateUsage at 0.
SIZE_T CommittedPrivateBytes();

// Bytes in use in the blocks of the process heap, from HeapWalk.
SIZE_T ProcessHeapBytesInUse();

#endif
