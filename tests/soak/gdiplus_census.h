// Counts the GDI+ objects this program has alive. GDI+ itself tells nobody, so every
// import of gdiplus.dll that makes or releases an object is pointed, in this program's
// own import table, at a counting call that passes straight through to the real one.
#ifndef HORLOMA_SOAK_GDIPLUS_CENSUS_H
#define HORLOMA_SOAK_GDIPLUS_CENSUS_H

#include <stddef.h>

// Redirects the imports; false, with the reason printed, when the table cannot be
// patched or some import that makes or releases objects has no counting call, so that
// a count would miss objects.
bool StartGdiplusCensus();

// Objects made and not yet released.
size_t LiveGdiplusObjects();

// Prints, for each making call, how many of its objects are alive.
void PrintLiveGdiplusObjects();

#endif
