// The saver window made and driven in this process with real messages: its class, both
// window kinds, the surfaces and what a paint shows, the timer, and every close rule.
#include <gtest/gtest.h>
#include <windows.h>

#include <string.h>

#include <vector>

#include "bitmap_files.h"
#include "render/frame_composition.h"
#include "resources/resource_ids.h"
#include "shell/password_hooks.h"
#include "shell/saver_globals.h"
#include "shell/saver_window.h"

namespace {

// Frames are composed at 10:08:30; each frame reads the time once, so the readings
// count the frames.
int framesComposed;

void WINAPI ReadFixedTime(LPSYSTEMTIME time)
{
    memset(time, 0, sizeof(*time));
    time->wYear = 2026;
    time->wMonth = 3;
    time->wDay = 12;
    time->wHour = 10;
    time->wMinute = 8;
    time->wSecond = 30;
    ++framesComposed;
}

// What the preview's host window was sent or posted, so a test sees whether the saver
// window passed a message on to the default handling, which forwards some to the parent.
std::vector<UINT> hostMessages;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    hostMessages.push_back(message);
    if (message == WM_SETCURSOR)
        return TRUE;  // the cursor is settled, as a host with its own cursor would say
    return DefWindowProcA(window, message, wParam, lParam);
}

bool HostReceived(UINT message)
{
    for (UINT received : hostMessages)
        if (received == message)
            return true;
    return false;
}

// The default window procedure runs a system command only after asking the CBT hook;
// this one records the command and stops it there, so the monitor is never switched off.
std::vector<WPARAM> systemCommandsReachingDefault;

LRESULT CALLBACK RecordSystemCommand(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_SYSCOMMAND) {
        systemCommandsReachingDefault.push_back(wParam);
        return 1;
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

// WM_ERASEBKGND messages the saver window was sent.
HWND erasedWindow;
int erasures;

LRESULT CALLBACK CountErasures(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == erasedWindow && sent->message == WM_ERASEBKGND)
        ++erasures;
    return CallNextHookEx(NULL, code, wParam, lParam);
}

const char kHostClass[] = "HorlomaTestHost";

enum Mode { FullScreen, Preview };

const char* ModeName(Mode mode) { return mode == FullScreen ? "full screen" : "preview"; }

struct SurfaceHandles {
    HDC frameDC;
    HBITMAP frameBitmap;
    HDC backgroundDC;
    HBITMAP backgroundBitmap;
};

SurfaceHandles CurrentSurfaces()
{
    SurfaceHandles handles = {frameSurface.dc, frameSurface.bitmap, backgroundSurface.dc,
                              backgroundSurface.bitmap};
    return handles;
}

bool SurfacesAlive(const SurfaceHandles& s)
{
    return GetObjectType(s.frameDC) == OBJ_MEMDC && GetObjectType(s.backgroundDC) == OBJ_MEMDC &&
           GetObjectType(s.frameBitmap) == OBJ_BITMAP &&
           GetObjectType(s.backgroundBitmap) == OBJ_BITMAP;
}

bool SurfacesDeleted(const SurfaceHandles& s)
{
    return GetObjectType(s.frameDC) == 0 && GetObjectType(s.backgroundDC) == 0 &&
           GetObjectType(s.frameBitmap) == 0 && GetObjectType(s.backgroundBitmap) == 0;
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info;
    memset(&info, 0, sizeof(info));
    GetObject(bitmap, sizeof(info), &info);
    SIZE size = {info.bmWidth, info.bmHeight};
    return size;
}

// Takes the quit message if one was posted: the saver's way of ending.
bool TakeQuitMessage()
{
    MSG msg;
    return PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

void HandlePendingMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The pixels of a DC's top left width x height, as 32-bit values.
std::vector<UINT32> ReadPixels(HDC source, int width, int height)
{
    BITMAPINFO info = TopDownBitmapInfo(width, height);
    void* bits = NULL;
    HDC copyDC = CreateCompatibleDC(source);
    HBITMAP copy = CreateDIBSection(copyDC, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ previous = SelectObject(copyDC, copy);
    BitBlt(copyDC, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    std::vector<UINT32> pixels(static_cast<const UINT32*>(bits),
                               static_cast<const UINT32*>(bits) + width * height);
    SelectObject(copyDC, previous);
    DeleteObject(copy);
    DeleteDC(copyDC);
    for (UINT32& pixel : pixels)
        pixel &= 0x00FFFFFF;
    return pixels;
}

std::vector<UINT32> ReadWindowPixels(HWND window, int width, int height)
{
    HDC windowDC = GetDC(window);
    std::vector<UINT32> pixels = ReadPixels(windowDC, width, height);
    ReleaseDC(window, windowDC);
    return pixels;
}

size_t CountDifferences(const std::vector<UINT32>& a, const std::vector<UINT32>& b)
{
    if (a.size() != b.size())
        return a.size() > b.size() ? a.size() : b.size();
    size_t differences = 0;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            ++differences;
    return differences;
}

size_t CountNotBlack(const std::vector<UINT32>& pixels)
{
    size_t count = 0;
    for (UINT32 pixel : pixels)
        if (pixel != 0)
            ++count;
    return count;
}

class SaverWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        saverInstance = GetModuleHandleA(NULL);
        strcpy(windowClassName, "HORLOMA");
        strcpy(productName, "Horloma");
        readFrameTime = ReadFixedTime;
        framesComposed = 0;
        passwordCheckActive = 0;
        backgroundStale = 1;
        hostMessages.clear();
        systemCommandsReachingDefault.clear();
        ASSERT_NE(RegisterSaverClass(saverInstance), 0);

        WNDCLASSA hostClass;
        memset(&hostClass, 0, sizeof(hostClass));
        hostClass.lpfnWndProc = HostProc;
        hostClass.hInstance = saverInstance;
        hostClass.lpszClassName = kHostClass;
        ASSERT_NE(RegisterClassA(&hostClass), 0);

        systemCommandHook = SetWindowsHookExA(WH_CBT, RecordSystemCommand, NULL,
                                              GetCurrentThreadId());
        ASSERT_TRUE(systemCommandHook != NULL);
        HandlePendingMessages();
        TakeQuitMessage();
    }

    void TearDown() override
    {
        CloseWindows();
        UnhookWindowsHookEx(systemCommandHook);
        UnregisterClassA(kHostClass, saverInstance);
        UnregisterClassA(windowClassName, saverInstance);
    }

    // Makes the saver window as the program does, in the mode; a preview gets a host
    // window of this client size first.
    void Open(Mode mode, int hostWidth = 152, int hostHeight = 112)
    {
        if (mode == FullScreen) {
            saver.isFullScreen = 1;
            saver.hostWindow = NULL;
        } else {
            // Shown without activation: Wine then leaves it to itself rather than to a
            // window manager, and destroys it without waiting for one.
            host = CreateWindowExA(0, kHostClass, "host", WS_POPUP, 0, 0, hostWidth,
                                   hostHeight, NULL, NULL, saverInstance, NULL);
            ASSERT_TRUE(host != NULL);
            ShowWindow(host, SW_SHOWNOACTIVATE);
            saver.isFullScreen = 0;
            saver.hostWindow = host;
        }
        ASSERT_TRUE(CreateSaverWindow(saverInstance, SW_SHOWNORMAL));
        window = FindWindowExA(host, NULL, "HORLOMA", "Horloma");
        ASSERT_TRUE(window != NULL);
        hostMessages.clear();
    }

    // Destroys what Open made and takes the messages that leaves behind, the quit
    // message included.
    void CloseWindows()
    {
        if (window != NULL && IsWindow(window))
            DestroyWindow(window);
        if (host != NULL)
            DestroyWindow(host);
        window = NULL;
        host = NULL;
        HandlePendingMessages();
        TakeQuitMessage();
    }

    // Whether the saver closed: the quit message posted and the surfaces deleted, or no
    // quit message and the surfaces alive. Either way the window itself stays.
    void ExpectClosed(bool closed, const SurfaceHandles& surfaces)
    {
        EXPECT_EQ(TakeQuitMessage(), closed);
        if (closed) {
            EXPECT_TRUE(SurfacesDeleted(surfaces));
        } else {
            EXPECT_TRUE(SurfacesAlive(surfaces));
        }
        EXPECT_TRUE(IsWindow(window));
    }

    HWND window = NULL;
    HWND host = NULL;
    HHOOK systemCommandHook = NULL;
};

TEST_F(SaverWindowTest, ClassHasTheSaverFields)
{
    WNDCLASSEXA info;
    memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetClassInfoExA(saverInstance, "HORLOMA", &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(info.cbClsExtra, 0);
    EXPECT_EQ(info.cbWndExtra, 0);
    EXPECT_TRUE(info.hbrBackground == GetStockObject(BLACK_BRUSH));
    EXPECT_TRUE(info.hCursor == NULL);
    EXPECT_TRUE(info.lpszMenuName == NULL);
    HICON icon = LoadIconA(saverInstance, MAKEINTRESOURCEA(IDI_HORLOMA));
    ASSERT_TRUE(icon != NULL);
    EXPECT_TRUE(info.hIcon == icon);
}

// Messages the window does not handle get the default handling: the background is
// erased with the class's black brush.
TEST_F(SaverWindowTest, EraseFillsWithTheBlackBrush)
{
    ASSERT_NO_FATAL_FAILURE(Open(Preview));
    HDC screen = GetDC(NULL);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 152, 112);
    ReleaseDC(NULL, screen);
    HGDIOBJ previous = SelectObject(target, bitmap);
    PatBlt(target, 0, 0, 152, 112, WHITENESS);

    EXPECT_NE(SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(target), 0), 0);
    std::vector<UINT32> pixels = ReadPixels(target, 152, 112);
    EXPECT_EQ(CountNotBlack(pixels), 0u);

    SelectObject(target, previous);
    DeleteObject(bitmap);
    DeleteDC(target);
}

TEST_F(SaverWindowTest, FullScreenWindowCoversTheScreenOnTopAndShowsTheFrame)
{
    HDC screen = GetDC(NULL);
    int width = GetDeviceCaps(screen, HORZRES);
    int height = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(NULL, screen);

    ASSERT_NO_FATAL_FAILURE(Open(FullScreen));
    EXPECT_TRUE(GetParent(window) == NULL);
    EXPECT_NE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_VISIBLE | WS_CHILD | WS_CAPTION | WS_THICKFRAME),
              static_cast<LONG>(WS_POPUP | WS_VISIBLE));
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, width);
    EXPECT_EQ(rect.bottom, height);

    // The surfaces are the screen's size, each bitmap selected into its DC.
    EXPECT_EQ(surfaceWidth, width);
    EXPECT_EQ(surfaceHeight, height);
    for (const Surface* surface : {&frameSurface, &backgroundSurface}) {
        SIZE size = BitmapSize(surface->bitmap);
        EXPECT_EQ(size.cx, width);
        EXPECT_EQ(size.cy, height);
        EXPECT_TRUE(GetCurrentObject(surface->dc, OBJ_BITMAP) == surface->bitmap);
    }

    // Making the window painted it once: one frame, with the dial drawn, copied as it is.
    EXPECT_EQ(framesComposed, 1);
    EXPECT_EQ(backgroundStale, 0);
    std::vector<UINT32> frame = ReadPixels(frameSurface.dc, width, height);
    ASSERT_GT(CountNotBlack(frame), 0u);
    EXPECT_EQ(CountDifferences(ReadWindowPixels(window, width, height), frame), 0u);
}

TEST_F(SaverWindowTest, PreviewIsAChildOfTheHostAndShowsTheFrameShrunk)
{
    ASSERT_NO_FATAL_FAILURE(Open(Preview, 152, 112));
    EXPECT_TRUE(GetParent(window) == host);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_VISIBLE | WS_CHILD | WS_CAPTION | WS_BORDER),
              static_cast<LONG>(WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 152);
    EXPECT_EQ(client.bottom, 112);
    EXPECT_EQ(framesComposed, 1);
    EXPECT_EQ(backgroundStale, 0);

    // What the window shows is the whole frame shrunk to it with halftone stretching.
    HDC screen = GetDC(NULL);
    HDC shrunkDC = CreateCompatibleDC(screen);
    HBITMAP shrunk = CreateCompatibleBitmap(screen, 152, 112);
    ReleaseDC(NULL, screen);
    HGDIOBJ previous = SelectObject(shrunkDC, shrunk);
    SetStretchBltMode(shrunkDC, HALFTONE);
    StretchBlt(shrunkDC, 0, 0, 152, 112, frameSurface.dc, 0, 0, surfaceWidth, surfaceHeight,
               SRCCOPY);
    std::vector<UINT32> expected = ReadPixels(shrunkDC, 152, 112);
    SelectObject(shrunkDC, previous);
    DeleteObject(shrunk);
    DeleteDC(shrunkDC);

    ASSERT_GT(CountNotBlack(expected), 0u);
    EXPECT_EQ(CountDifferences(ReadWindowPixels(window, 152, 112), expected), 0u);
}

// The preview is drawn at 768 div the host's shorter side times its size; a host of
// more than 768 on its shorter side is drawn at its own size.
TEST_F(SaverWindowTest, PreviewSurfacesAreTheHostTimesTheWholeFactor)
{
    struct { int hostWidth, hostHeight, width, height; } cases[] = {
        {152, 112, 912, 672},    // factor 6
        {200, 150, 1000, 750},   // factor 5
        {300, 1000, 600, 2000},  // the shorter side decides: factor 2
        {768, 900, 768, 900},    // factor exactly 1
        {769, 769, 769, 769},    // factor 0 would leave nothing: 1
        {1000, 800, 1000, 800},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "host " << c.hostWidth << "x" << c.hostHeight);
        ASSERT_NO_FATAL_FAILURE(Open(Preview, c.hostWidth, c.hostHeight));
        EXPECT_EQ(surfaceWidth, c.width);
        EXPECT_EQ(surfaceHeight, c.height);
        for (const Surface* surface : {&frameSurface, &backgroundSurface}) {
            SIZE size = BitmapSize(surface->bitmap);
            EXPECT_EQ(size.cx, c.width);
            EXPECT_EQ(size.cy, c.height);
            EXPECT_TRUE(GetCurrentObject(surface->dc, OBJ_BITMAP) == surface->bitmap);
        }
        EXPECT_EQ(framesComposed, 1);
        framesComposed = 0;
        CloseWindows();
    }
}

TEST_F(SaverWindowTest, PreviewOfAHostWithoutAreaHasNoSurfacesAndPaintsNothing)
{
    struct { int width, height; } hosts[] = {{0, 0}, {0, 112}, {152, 0}};
    for (const auto& h : hosts) {
        SCOPED_TRACE(testing::Message() << "host " << h.width << "x" << h.height);
        ASSERT_NO_FATAL_FAILURE(Open(Preview, h.width, h.height));
        EXPECT_EQ(surfaceWidth, 0);
        EXPECT_EQ(surfaceHeight, 0);
        EXPECT_TRUE(frameSurface.dc == NULL);
        EXPECT_TRUE(frameSurface.bitmap == NULL);
        EXPECT_TRUE(backgroundSurface.dc == NULL);
        EXPECT_TRUE(backgroundSurface.bitmap == NULL);

        SendMessageA(window, WM_TIMER, 1, 0);
        SendMessageA(window, WM_PAINT, 0, 0);
        EXPECT_EQ(framesComposed, 0);
        EXPECT_FALSE(TakeQuitMessage());

        // It still ends as any preview does.
        DestroyWindow(window);
        EXPECT_TRUE(TakeQuitMessage());
        CloseWindows();
    }
}

// The first tick comes no sooner than a second after the window is made, with timer
// id 1; each tick invalidates the whole window without erasing it. (No upper bound: a
// loaded machine may deliver a tick late.)
TEST_F(SaverWindowTest, TimerTicksEverySecondAndRepaintsWithoutErasing)
{
    DWORD made = GetTickCount();
    ASSERT_NO_FATAL_FAILURE(Open(Preview));
    ValidateRect(window, NULL);
    MSG tick;
    ASSERT_GT(GetMessageA(&tick, window, WM_TIMER, WM_TIMER), 0);
    DWORD elapsed = GetTickCount() - made;
    EXPECT_EQ(tick.wParam, 1u);
    EXPECT_GE(elapsed, 980u);

    RECT update;
    EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
    DispatchMessageA(&tick);
    ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
    EXPECT_EQ(update.left, 0);
    EXPECT_EQ(update.top, 0);
    EXPECT_EQ(update.right, 152);
    EXPECT_EQ(update.bottom, 112);

    erasedWindow = window;
    erasures = 0;
    HHOOK erasureHook =
        SetWindowsHookExA(WH_CALLWNDPROC, CountErasures, NULL, GetCurrentThreadId());
    ASSERT_TRUE(erasureHook != NULL);
    int framesBefore = framesComposed;
    UpdateWindow(window);
    EXPECT_EQ(framesComposed, framesBefore + 1);
    EXPECT_EQ(erasures, 0);
    UnhookWindowsHookEx(erasureHook);

    // Whatever the timer, a tick repaints.
    ValidateRect(window, NULL);
    SendMessageA(window, WM_TIMER, 7, 0);
    EXPECT_TRUE(GetUpdateRect(window, &update, FALSE));
}

// Each row of the window's message handling, sent to a fresh window in each mode: the
// result, whether the saver closed, and whether a system command reached the default
// handling (recorded there by the CBT hook).
TEST_F(SaverWindowTest, MessagesCloseTheSaverAsTheModeSays)
{
    const LRESULT kZero = 0;
    struct {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool closesFullScreen;
        bool closesPreview;
        LRESULT result;
        bool reachesDefaultFullScreen;  // as a system command
    } cases[] = {
        {"key down", WM_KEYDOWN, 'A', 1, true, false, kZero, false},
        {"system key down", WM_SYSKEYDOWN, 'A', 0x20000001, true, false, kZero, false},
        {"left button down", WM_LBUTTONDOWN, MK_LBUTTON, 0, true, false, kZero, false},
        {"right button down", WM_RBUTTONDOWN, MK_RBUTTON, 0, true, false, kZero, false},
        {"middle button down", WM_MBUTTONDOWN, MK_MBUTTON, 0, true, false, kZero, false},
        {"key up", WM_KEYUP, 'A', static_cast<LPARAM>(0xC0000001), false, false, kZero, false},
        {"character", WM_CHAR, 'a', 1, false, false, kZero, false},
        {"left button up", WM_LBUTTONUP, 0, 0, false, false, kZero, false},
        {"right button up", WM_RBUTTONUP, 0, 0, false, false, kZero, false},
        {"middle button up", WM_MBUTTONUP, 0, 0, false, false, kZero, false},
        {"mouse wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0, false, false, kZero,
         false},
        {"mouse move, cursor still", WM_MOUSEMOVE, 0, MAKELPARAM(900, 700), false, false,
         kZero, false},
        {"deactivated", WM_ACTIVATE, WA_INACTIVE, 0, true, true, kZero, false},
        {"activated", WM_ACTIVATE, WA_ACTIVE, 0, false, false, kZero, false},
        {"deactivated while minimized", WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, TRUE), 0, false,
         false, kZero, false},
        {"application deactivated", WM_ACTIVATEAPP, FALSE, 0, true, true, kZero, false},
        {"application activated", WM_ACTIVATEAPP, TRUE, 0, false, false, kZero, false},
        {"caption deactivated", WM_NCACTIVATE, FALSE, 0, true, true, TRUE, false},
        {"caption activated", WM_NCACTIVATE, TRUE, 0, false, false, TRUE, false},
        {"suspend", WM_POWERBROADCAST, PBT_APMSUSPEND, 0, true, true, kZero, false},
        {"suspend asked", WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0, false, false, 1, false},
        {"resumed", WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0, false, false, kZero, false},
        {"set cursor", WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), false, false,
         kZero, false},
        {"screen save command", WM_SYSCOMMAND, SC_SCREENSAVE, 0, false, false, kZero, false},
        {"close command", WM_SYSCOMMAND, SC_CLOSE, 0, false, false, kZero, false},
        {"monitor power command", WM_SYSCOMMAND, SC_MONITORPOWER, 2, false, false, kZero,
         true},
        {"monitor power command with low bits", WM_SYSCOMMAND, SC_MONITORPOWER | 1, 2, false,
         false, kZero, false},
        {"command", WM_COMMAND, 1, 0, false, false, kZero, false},
        {"close", WM_CLOSE, 0, 0, true, true, kZero, false},
    };
    for (Mode mode : {FullScreen, Preview}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << ModeName(mode) << ": " << c.name);
            // A window that stayed open serves the next row too (a full-screen window
            // takes Wine two seconds to destroy).
            if (window == NULL) {
                ASSERT_NO_FATAL_FAILURE(Open(mode));
            }
            SurfaceHandles surfaces = CurrentSurfaces();
            ASSERT_TRUE(SurfacesAlive(surfaces));
            systemCommandsReachingDefault.clear();

            LRESULT result = SendMessageA(window, c.message, c.wParam, c.lParam);

            EXPECT_EQ(result, c.result);
            bool closes = mode == FullScreen ? c.closesFullScreen : c.closesPreview;
            ExpectClosed(closes, surfaces);
            bool reachesDefault = mode == FullScreen && c.reachesDefaultFullScreen;
            EXPECT_EQ(systemCommandsReachingDefault.size(), reachesDefault ? 1u : 0u);
            if (reachesDefault && !systemCommandsReachingDefault.empty()) {
                EXPECT_EQ(systemCommandsReachingDefault[0],
                          static_cast<WPARAM>(SC_MONITORPOWER));
            }
            if (closes || HasFailure())
                CloseWindows();
        }
        CloseWindows();
    }
}

// In full screen the cursor is hidden over the window; the preview leaves it alone.
TEST_F(SaverWindowTest, FullScreenHidesTheCursor)
{
    HCURSOR arrow = LoadCursorA(NULL, IDC_ARROW);
    for (Mode mode : {FullScreen, Preview}) {
        SCOPED_TRACE(ModeName(mode));
        ASSERT_NO_FATAL_FAILURE(Open(mode));
        SetCursor(arrow);
        SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_TRUE(GetCursor() == (mode == FullScreen ? NULL : arrow));
        CloseWindows();
    }
}

// The preview gives its input no default handling, which would pass some of it on to
// the host: the cursor question, and Alt+F4, which would close the host's top window.
// The wheel does get it, and so reaches the host.
TEST_F(SaverWindowTest, PreviewPassesNoInputOnToTheHost)
{
    struct {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        UINT hostMessage;
        bool reachesHost;
    } cases[] = {
        {"set cursor", WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), WM_SETCURSOR,
         false},
        {"Alt+F4", WM_SYSKEYDOWN, VK_F4, 0x20000001, WM_SYSCOMMAND, false},
        {"mouse wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0, WM_MOUSEWHEEL, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(Open(Preview));
        WPARAM wParam = c.message == WM_SETCURSOR ? reinterpret_cast<WPARAM>(window) : c.wParam;
        EXPECT_EQ(SendMessageA(window, c.message, wParam, c.lParam), 0);
        HandlePendingMessages();
        EXPECT_EQ(HostReceived(c.hostMessage), c.reachesHost);
        CloseWindows();
    }
}

// The mouse rule in full screen: a move further than 10 pixels in x or in y from the
// last accepted cursor position closes; any number of smaller moves does not. The
// message's own coordinates are never looked at, so they point far away here.
TEST_F(SaverWindowTest, OnlyAMouseJumpOfMoreThanTenPixelsCloses)
{
    struct {
        const char* name;
        Mode mode;
        POINT start;
        int stepX, stepY, steps;  // a drift, each step checked to leave the saver open
        int lastX, lastY;         // then one last move
        bool closes;
    } cases[] = {
        {"cursor still since the window was made", FullScreen, {300, 300}, 0, 0, 0, 0, 0,
         false},
        {"drift right in steps of 10", FullScreen, {100, 100}, 10, 0, 60, 10, 0, false},
        {"drift down in steps of 10", FullScreen, {100, 100}, 0, 10, 60, 0, 10, false},
        {"drift up and left in steps of 10", FullScreen, {700, 700}, -10, -10, 60, -10, -10,
         false},
        {"jump of 11 right", FullScreen, {300, 300}, 0, 0, 0, 11, 0, true},
        {"jump of 11 left", FullScreen, {300, 300}, 0, 0, 0, -11, 0, true},
        {"jump of 11 down", FullScreen, {300, 300}, 0, 0, 0, 0, 11, true},
        {"jump of 11 up", FullScreen, {300, 300}, 0, 0, 0, 0, -11, true},
        {"drift right, then a jump of 11 down", FullScreen, {100, 100}, 10, 0, 40, 0, 11,
         true},
        {"drift down, then a jump of 11 left", FullScreen, {300, 100}, 0, 10, 40, -11, 0,
         true},
        {"preview: jump of 300", Preview, {100, 100}, 0, 0, 0, 300, 300, false},
        {"preview: drift and jump", Preview, {100, 100}, 10, 10, 20, 50, 0, false},
    };
    const LPARAM farAway = MAKELPARAM(1000, 700);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(SetCursorPos(c.start.x, c.start.y));
        ASSERT_NO_FATAL_FAILURE(Open(c.mode));
        SurfaceHandles surfaces = CurrentSurfaces();
        POINT cursor = c.start;
        for (int step = 0; step < c.steps; ++step) {
            cursor.x += c.stepX;
            cursor.y += c.stepY;
            SetCursorPos(cursor.x, cursor.y);
            SendMessageA(window, WM_MOUSEMOVE, 0, farAway);
            if (TakeQuitMessage()) {
                ADD_FAILURE() << "closed at drift step " << step;
                break;
            }
        }
        POINT reached;
        GetCursorPos(&reached);
        EXPECT_EQ(reached.x, cursor.x);
        EXPECT_EQ(reached.y, cursor.y);
        SetCursorPos(cursor.x + c.lastX, cursor.y + c.lastY);
        EXPECT_EQ(SendMessageA(window, WM_MOUSEMOVE, 0, farAway), 0);
        ExpectClosed(c.closes, surfaces);
        CloseWindows();
    }
}

// While a password check runs, no close request is taken, and the saver keeps painting.
TEST_F(SaverWindowTest, NoCloseWhileAPasswordCheckRuns)
{
    for (Mode mode : {FullScreen, Preview}) {
        SCOPED_TRACE(ModeName(mode));
        ASSERT_NO_FATAL_FAILURE(Open(mode));
        SurfaceHandles surfaces = CurrentSurfaces();
        passwordCheckActive = 1;
        EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
        SendMessageA(window, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
        ExpectClosed(false, surfaces);
        int framesBefore = framesComposed;
        SendMessageA(window, WM_TIMER, 1, 0);
        UpdateWindow(window);
        EXPECT_EQ(framesComposed, framesBefore + 1);

        passwordCheckActive = 0;
        SendMessageA(window, WM_CLOSE, 0, 0);
        ExpectClosed(true, surfaces);
        CloseWindows();
    }
}

// A closed saver keeps its window until the process ends, but draws no more, and
// destroying the window afterwards only posts the quit message again.
TEST_F(SaverWindowTest, ClosedWindowStaysAndDrawsNoMore)
{
    ASSERT_NO_FATAL_FAILURE(Open(FullScreen));
    SurfaceHandles surfaces = CurrentSurfaces();
    SendMessageA(window, WM_KEYDOWN, 'A', 1);
    ExpectClosed(true, surfaces);
    int framesBefore = framesComposed;
    SendMessageA(window, WM_TIMER, 1, 0);
    UpdateWindow(window);
    EXPECT_EQ(framesComposed, framesBefore);

    DestroyWindow(window);
    EXPECT_TRUE(TakeQuitMessage());
    window = NULL;
}

// Destroying the window, as destroying the preview's host does, releases the surfaces
// and ends the saver.
TEST_F(SaverWindowTest, DestroyingTheWindowEndsTheSaver)
{
    for (Mode mode : {FullScreen, Preview}) {
        SCOPED_TRACE(ModeName(mode));
        ASSERT_NO_FATAL_FAILURE(Open(mode));
        SurfaceHandles surfaces = CurrentSurfaces();
        DestroyWindow(mode == Preview ? host : window);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_TRUE(TakeQuitMessage());
        EXPECT_TRUE(SurfacesDeleted(surfaces));
        window = NULL;
        if (mode == Preview)
            host = NULL;
        CloseWindows();
    }
}

}  // namespace
