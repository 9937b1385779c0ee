// A long run of the saver window and the settings dialog in this process, counting what
// the process holds before and after: GDI and USER objects, kernel handles, GDI+
// objects and memory. Prints a table, writes it to a file, and fails when any object
// count grew or memory grew past its tolerance.
// Usage: soak.exe FRAMES DIALOG_CYCLES INSTALL_FOLDER FIGURES_FILE
#include <windows.h>
#include <gdiplus.h>
#include <stdio.h>
#include <stdlib.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "dialogs/settings_dialog.h"
#include "gdiplus_census.h"
#include "object_counts.h"
#include "render/frame_composition.h"
#include "resource_ids.h"
#include "shell/password_hooks.h"
#include "shell/saver_globals.h"
#include "shell/saver_window.h"

// Caches and first-time allocations settle in these; what comes after must not grow.
static const int kWarmUpFrames = 10;
static const int kWarmUpCycles = 15;

// Memory moves with the heap's own bookkeeping and Wine's caches; growth beyond these
// over a whole phase counts as a leak.
static const SIZE_T kPrivateBytesTolerance = 2 * 1024 * 1024;
static const SIZE_T kHeapBytesTolerance = 256 * 1024;

static double Seconds()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency.QuadPart;
}

// ---- The clock the frames read: it starts before noon and runs 7 s on per frame, so a
// soak of 3,600 frames sweeps seven hours: the 12 o'clock wrap, every hour change and
// minute 7, with the notice, of each hour. 7 s also walks the second hand through all
// sixty positions.
static const int kClockStartSecond = 11 * 3600 + 55 * 60;
static const int kClockSecondsPerFrame = 7;
static const int kSecondsPerDay = 24 * 3600;
static const WORD kNoticeMinute = 7;

static long framesComposed;
static long noticeFrames;
static long hourChanges;
static int lastHour = -1;

static void WINAPI ReadSoakTime(LPSYSTEMTIME time)
{
    long second = (kClockStartSecond + framesComposed * kClockSecondsPerFrame) % kSecondsPerDay;
    ZeroMemory(time, sizeof(*time));
    time->wYear = 2026;
    time->wMonth = 12;
    time->wDay = 11;
    time->wHour = static_cast<WORD>(second / 3600);
    time->wMinute = static_cast<WORD>(second / 60 % 60);
    time->wSecond = static_cast<WORD>(second % 60);
    framesComposed++;
    if (time->wMinute == kNoticeMinute)
        noticeFrames++;
    if (lastHour != -1 && lastHour != time->wHour)
        hourChanges++;
    lastHour = time->wHour;
}

// ---- What the process holds.
struct Holdings {
    long values[10];
};

enum Counter {
    GdiReported, GdiProbed, UserReported, UserProbed, HandlesReported, HandlesProbed,
    GdiplusObjects, PrivateMemory, CommittedMemory, HeapMemory, kCounters
};

struct CounterInfo {
    const char* name;
    bool isMemory;
    SIZE_T tolerance;
    bool counts;       // set by the check below: whether it moves when an object is made
};

static CounterInfo counters[kCounters] = {
    {"GDI objects, GetGuiResources", false, 0, false},
    {"GDI objects, handle probe", false, 0, false},
    {"USER objects, GetGuiResources", false, 0, false},
    {"USER objects, handle probe", false, 0, false},
    {"handles, GetProcessHandleCount", false, 0, false},
    {"handles, handle probe", false, 0, false},
    {"GDI+ objects, import census", false, 0, false},
    {"private bytes, PrivateUsage", true, kPrivateBytesTolerance, false},
    {"private bytes, VirtualQuery", true, kPrivateBytesTolerance, false},
    {"heap bytes in use, HeapWalk", true, kHeapBytesTolerance, false},
};

static Holdings Measure()
{
    Holdings h;
    h.values[GdiReported] = static_cast<long>(ReportedGdiObjects());
    h.values[GdiProbed] = ProbeGdiObjects();
    h.values[UserReported] = static_cast<long>(ReportedUserObjects());
    h.values[UserProbed] = ProbeUserObjects();
    h.values[HandlesReported] = ReportedHandleCount();
    h.values[HandlesProbed] = ProbeKernelHandles();
    h.values[GdiplusObjects] = static_cast<long>(LiveGdiplusObjects());
    h.values[PrivateMemory] = static_cast<long>(PrivateBytes());
    h.values[CommittedMemory] = static_cast<long>(CommittedPrivateBytes());
    h.values[HeapMemory] = static_cast<long>(ProcessHeapBytesInUse());
    return h;
}

static long Growth(const Holdings& before, const Holdings& after, int counter)
{
    return after.values[counter] - before.values[counter];
}

// Makes one object of each kind and releases it again: a counter that does not go up, and
// back, does not count, and its figures are shown as not measured. (Under Wine a window
// brings its IME window along, so the USER probe goes up by two.)
static const SIZE_T kMemoryCheckBytes = 8 * 1024 * 1024;

// One kind of object made and released between three measurements, for the counters
// given: a counter counts when it went up and came back. Made and released once first,
// so that first-use allocations (classes, caches) are not taken for the object. A window
// may bring more than one USER object along (Wine adds its IME window).
static void CheckKind(std::initializer_list<int> kinds, void (*make)(), void (*release)(),
                      Holdings* before, Holdings* during, Holdings* after)
{
    make();
    release();
    *before = Measure();
    make();
    *during = Measure();
    release();
    *after = Measure();
    for (int c : kinds)
        counters[c].counts = Growth(*before, *during, c) >= 1 && Growth(*before, *after, c) == 0;
}

static HBRUSH checkBrush;
static HWND checkWindow;
static HWND checkWindowParent;
static HANDLE checkEvent;
static Gdiplus::GpSolidFill* checkFill;

static void MakeBrush() { checkBrush = CreateSolidBrush(RGB(1, 2, 3)); }
static void ReleaseBrush() { DeleteObject(checkBrush); }
static void MakeWindow()
{
    checkWindow = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, checkWindowParent, NULL,
                                  NULL, NULL);
}
static void ReleaseWindow() { DestroyWindow(checkWindow); }
static void MakeEvent() { checkEvent = CreateEventA(NULL, TRUE, FALSE, NULL); }
static void ReleaseEvent() { CloseHandle(checkEvent); }
static void MakeFill() { Gdiplus::DllExports::GdipCreateSolidFill(0xFF000000, &checkFill); }
static void ReleaseFill() { Gdiplus::DllExports::GdipDeleteBrush(checkFill); }

static void CheckCounters(HWND messageWindowParent)
{
    checkWindowParent = messageWindowParent;
    enum { GdiCheck, UserCheck, HandleCheck, GdiplusCheck, MemoryCheck, kChecks };
    Holdings before[kChecks], during[kChecks], after[kChecks];
    CheckKind({GdiReported, GdiProbed}, MakeBrush, ReleaseBrush, &before[GdiCheck],
              &during[GdiCheck], &after[GdiCheck]);
    CheckKind({UserReported, UserProbed}, MakeWindow, ReleaseWindow, &before[UserCheck],
              &during[UserCheck], &after[UserCheck]);
    CheckKind({HandlesReported, HandlesProbed}, MakeEvent, ReleaseEvent, &before[HandleCheck],
              &during[HandleCheck], &after[HandleCheck]);
    CheckKind({GdiplusObjects}, MakeFill, ReleaseFill, &before[GdiplusCheck],
              &during[GdiplusCheck], &after[GdiplusCheck]);

    // Memory: committed and touched pages, and one heap block, must show.
    before[MemoryCheck] = Measure();
    BYTE* pages = static_cast<BYTE*>(
        VirtualAlloc(NULL, kMemoryCheckBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    FillMemory(pages, kMemoryCheckBytes, 1);
    void* block = HeapAlloc(GetProcessHeap(), 0, kMemoryCheckBytes);
    FillMemory(block, kMemoryCheckBytes, 1);
    during[MemoryCheck] = Measure();
    HeapFree(GetProcessHeap(), 0, block);
    VirtualFree(pages, 0, MEM_RELEASE);
    after[MemoryCheck] = Measure();
    for (int c : {PrivateMemory, CommittedMemory, HeapMemory})
        counters[c].counts = Growth(before[MemoryCheck], during[MemoryCheck], c) >=
                             static_cast<long>(kMemoryCheckBytes);

    printf("Counter check (one object of each kind made and released):\n");
    for (int c = 0; c < kCounters; c++) {
        int check = c == GdiReported || c == GdiProbed       ? GdiCheck
                    : c == UserReported || c == UserProbed   ? UserCheck
                    : c == HandlesReported || c == HandlesProbed ? HandleCheck
                    : c == GdiplusObjects                    ? GdiplusCheck
                                                             : MemoryCheck;
        printf("  %-32s %-4s (%ld, %ld, %ld)\n", counters[c].name,
               counters[c].counts ? "ok" : "DEAD", before[check].values[c],
               during[check].values[c], after[check].values[c]);
    }
}

// ---- The saver window, full screen, in this process.
static HWND OpenSaverWindow()
{
    saver.isFullScreen = 1;
    saver.hostWindow = NULL;
    passwordCheckActive = 0;
    backgroundStale = 1;
    if (!CreateSaverWindow(saverInstance, SW_SHOWNORMAL))
        return NULL;
    return FindWindowA(windowClassName, productName);
}

static void HandlePendingMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The saver's own timer id: a tick as the timer makes it, painted at once.
static const WPARAM kSaverTimerId = 1;

static void DriveFrames(HWND window, int frames)
{
    for (int i = 0; i < frames; i++) {
        SendMessageA(window, WM_TIMER, kSaverTimerId, 0);
        UpdateWindow(window);
        HandlePendingMessages();
    }
}

// ---- The settings dialog, driven from inside its own loop by the tests' dialog driver.
static const char kSettingsCaption[] = "Horloma settings";
static const char kAboutCaption[] = "About";
static int cycle;  // which cycle runs, choosing its path

enum ClosePath { PressOk, PressCancel, DefaultThenOk, DefaultThenCancel, CloseBox, kClosePaths };
static const int kAboutEveryCycles = 3;

static void Press(HWND dialog, int button)
{
    SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
}

// Paints the dialog whole, so every thumbnail is drawn, and edits it: another wallpaper
// and another text, which OK then stores.
static void EditSettings(HWND dialog)
{
    UpdateWindow(dialog);
    LRESULT items = SendDlgItemMessageW(dialog, IDC_WALLPAPER_LIST, LB_GETCOUNT, 0, 0);
    if (items > 0)
        SendDlgItemMessageW(dialog, IDC_WALLPAPER_LIST, LB_SETCURSEL, cycle % items, 0);
    wchar_t text[32];
    swprintf(text, COUNTOF(text), L"Soak %d", cycle);
    SetDlgItemTextW(dialog, IDC_TEXT_UP, text);
    if (cycle % kAboutEveryCycles == 0)
        Press(dialog, IDC_ABOUT);
}

// The About box has only OK; the other way out is Escape, which reaches it as IDCANCEL.
static void CloseAbout(HWND about)
{
    UpdateWindow(about);
    if (cycle % 2 == 0)
        Press(about, IDOK);
    else
        SendMessageA(about, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

static void CloseSettings(HWND dialog)
{
    switch (cycle % kClosePaths) {
    case PressOk:
        Press(dialog, IDOK);
        break;
    case PressCancel:
        Press(dialog, IDCANCEL);
        break;
    case DefaultThenOk:
        Press(dialog, IDC_SET_TO_DEFAULT);
        UpdateWindow(dialog);
        Press(dialog, IDOK);
        break;
    case DefaultThenCancel:
        Press(dialog, IDC_SET_TO_DEFAULT);
        UpdateWindow(dialog);
        Press(dialog, IDCANCEL);
        break;
    case CloseBox:
        SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
}

static bool RunDialogCycle()
{
    std::vector<DialogStep> steps = {{kSettingsCaption, EditSettings}};
    if (cycle % kAboutEveryCycles == 0)
        steps.push_back({kAboutCaption, CloseAbout});
    steps.push_back({kSettingsCaption, CloseSettings});
    size_t stepsRun = 0;
    RunDialogWithSteps(IDD_SETTINGS, SettingsDialogProc, saver.hostWindow, steps, &stepsRun);
    HandlePendingMessages();
    if (stepsRun != steps.size())
        printf("cycle %d: a window did not show; its dialogs were ended\n", cycle);
    cycle++;
    return stepsRun == steps.size();
}

static bool RunDialogCycles(int cycles)
{
    for (int i = 0; i < cycles; i++)
        if (!RunDialogCycle())
            return false;
    return true;
}

// ---- The figures.
struct Phase {
    const char* name;
    Holdings start;
    Holdings end;
};

static bool Failed(const Phase& phase, int c)
{
    if (!counters[c].counts)
        return false;
    long growth = Growth(phase.start, phase.end, c);
    return growth > static_cast<long>(counters[c].tolerance);
}

static void PrintFigures(FILE* out, const Phase* phases, int phaseCount, long frames,
                         int dialogCycles, int aboutCycles)
{
    fprintf(out, "Soak: %ld frames composed (%ld with the notice, %ld hour changes), "
                 "%d settings dialog cycles (%d with the About box)\n",
            frames, noticeFrames, hourChanges, dialogCycles, aboutCycles);
    for (int p = 0; p < phaseCount; p++) {
        const Phase& phase = phases[p];
        fprintf(out, "\n%s\n", phase.name);
        fprintf(out, "  %-32s %12s %12s %10s %10s  %s\n", "counter", "start", "end", "growth",
                "allowed", "verdict");
        for (int c = 0; c < kCounters; c++) {
            const CounterInfo& info = counters[c];
            if (!info.counts) {
                fprintf(out, "  %-32s %12ld %12ld %10s %10s  not measured: does not count "
                             "under this system\n",
                        info.name, phase.start.values[c], phase.end.values[c], "-", "-");
                continue;
            }
            fprintf(out, "  %-32s %12ld %12ld %+10ld %10lu  %s\n", info.name,
                    phase.start.values[c], phase.end.values[c],
                    Growth(phase.start, phase.end, c),
                    static_cast<unsigned long>(info.tolerance),
                    Failed(phase, c) ? "GREW" : "ok");
        }
    }
}

static void LoadProductStrings()
{
    LoadStringA(saverInstance, IDS_PRODUCT_NAME, productName, COUNTOF(productName));
    LoadStringA(saverInstance, IDS_WINDOW_CLASS, windowClassName, COUNTOF(windowClassName));
    LoadStringA(saverInstance, IDS_VERSION_TEXT, versionText, COUNTOF(versionText));
    LoadStringA(saverInstance, IDS_RIGHTS_LINE, rightsLine, COUNTOF(rightsLine));
}

int main(int argc, char** argv)
{
    if (argc != 5) {
        printf("usage: soak FRAMES DIALOG_CYCLES INSTALL_FOLDER FIGURES_FILE\n");
        return 2;
    }
    int frames = atoi(argv[1]);
    int dialogCycles = atoi(argv[2]);
    setvbuf(stdout, NULL, _IONBF, 0);

    if (!StartGdiplusCensus())
        return 1;
    saverInstance = GetModuleHandleA(NULL);
    LoadProductStrings();
    wchar_t installFolder[MAX_PATH];
    std::wstring folderArgument(argv[3], argv[3] + strlen(argv[3]));
    GetFullPathNameW(folderArgument.c_str(), COUNTOF(installFolder), installFolder, NULL);
    ResetClockSettings(saver.settings);
    CopyTextBounded(saver.settings.installPath, COUNTOF(saver.settings.installPath),
                    installFolder);
    readFrameTime = ReadSoakTime;

    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, NULL);
    if (RegisterSaverClass(saverInstance) == 0) {
        printf("cannot register the saver class\n");
        return 1;
    }
    CheckCounters(NULL);

    Phase phases[2] = {{"Saver window, full screen: frames", {}, {}},
                       {"Settings dialog: open-and-close cycles", {}, {}}};

    double start = Seconds();
    HWND window = OpenSaverWindow();
    if (window == NULL) {
        printf("cannot make the saver window\n");
        return 1;
    }
    DriveFrames(window, kWarmUpFrames);
    phases[0].start = Measure();
    long framesBefore = framesComposed;
    double framesStart = Seconds();
    DriveFrames(window, frames);
    double framesSeconds = Seconds() - framesStart;
    phases[0].end = Measure();
    long framesDriven = framesComposed - framesBefore;
    printf("%ld frames in %.1f s (%.2f ms a frame)\n", framesDriven, framesSeconds,
           framesSeconds * 1000 / (framesDriven > 0 ? framesDriven : 1));

    double closeStart = Seconds();
    SendMessageA(window, WM_CLOSE, 0, 0);
    DestroyWindow(window);
    HandlePendingMessages();
    printf("closing the saver window took %.2f s\n", Seconds() - closeStart);

    bool cyclesRan = RunDialogCycles(kWarmUpCycles);
    phases[1].start = Measure();
    int aboutBefore = (cycle + kAboutEveryCycles - 1) / kAboutEveryCycles;
    double cyclesStart = Seconds();
    cyclesRan = cyclesRan && RunDialogCycles(dialogCycles);
    double cyclesSeconds = Seconds() - cyclesStart;
    phases[1].end = Measure();
    int aboutCycles = (cycle + kAboutEveryCycles - 1) / kAboutEveryCycles - aboutBefore;
    printf("%d dialog cycles in %.1f s (%.1f ms a cycle)\n", dialogCycles, cyclesSeconds,
           cyclesSeconds * 1000 / (dialogCycles > 0 ? dialogCycles : 1));
    printf("whole soak: %.1f s\n\n", Seconds() - start);

    PrintFigures(stdout, phases, 2, framesDriven, dialogCycles, aboutCycles);
    FILE* figures = fopen(argv[4], "w");
    if (figures != NULL) {
        PrintFigures(figures, phases, 2, framesDriven, dialogCycles, aboutCycles);
        fclose(figures);
    } else {
        printf("cannot write %s\n", argv[4]);
    }

    bool grew = false;
    for (const Phase& phase : phases)
        for (int c = 0; c < kCounters; c++)
            grew = grew || Failed(phase, c);
    if (LiveGdiplusObjects() != 0)
        PrintLiveGdiplusObjects();
    Gdiplus::GdiplusShutdown(token);
    if (!cyclesRan || figures == NULL)
        return 1;
    return grew ? 1 : 0;
}
