#include "shell/saver_window.h"

#include <stdlib.h>

#include "render/frame_composition.h"
#include "resources/resource_ids.h"
#include "shell/password_hooks.h"
#include "shell/saver_globals.h"

Surface frameSurface;
Surface backgroundSurface;
int surfaceWidth;
int surfaceHeight;
int backgroundStale = 1;

// Where the cursor was at the last mouse event that did not end the saver.
static POINT lastCursorPos;

// The one timer of the window: every tick repaints the clock.
static const UINT_PTR kFrameTimerId = 1;
static const UINT kFrameIntervalMilliseconds = 1000;

ATOM RegisterSaverClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass;
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = SaverWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_HORLOMA));
    windowClass.hCursor = NULL;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszMenuName = NULL;
    windowClass.lpszClassName = windowClassName;
    windowClass.hIconSm = NULL;
    return RegisterClassExA(&windowClass);
}

bool CreateSaverWindow(HINSTANCE instance, int showCommand)
{
    HWND window;
    if (saver.isFullScreen) {
        HDC screen = GetDC(NULL);
        int width = GetDeviceCaps(screen, HORZRES);
        int height = GetDeviceCaps(screen, VERTRES);
        ReleaseDC(NULL, screen);
        window = CreateWindowExA(WS_EX_TOPMOST, windowClassName, productName,
                                 WS_POPUP | WS_VISIBLE, 0, 0, width, height, NULL, NULL,
                                 instance, NULL);
    } else {
        RECT host = {0, 0, 0, 0};
        GetClientRect(saver.hostWindow, &host);
        window = CreateWindowExA(0, windowClassName, productName, WS_CHILD | WS_VISIBLE, 0, 0,
                                 host.right, host.bottom, saver.hostWindow, NULL, instance,
                                 NULL);
    }
    if (window == NULL)
        return false;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return true;
}

// The preview is drawn at about this many pixels on its shorter side and shrunk on paint,
// so that the small picture is as detailed as the full-screen one.
static const int kPreviewDrawingSide = 768;

static void CreateSurfaces(HWND window)
{
    HDC windowDC = GetDC(window);
    frameSurface.dc = CreateCompatibleDC(windowDC);
    backgroundSurface.dc = CreateCompatibleDC(windowDC);
    if (!saver.isFullScreen) {
        int shorterSide = surfaceWidth < surfaceHeight ? surfaceWidth : surfaceHeight;
        int factor = kPreviewDrawingSide / shorterSide;
        if (factor < 1)
            factor = 1;  // a host larger than the drawing side is drawn at its own size
        surfaceWidth *= factor;
        surfaceHeight *= factor;
    }
    frameSurface.bitmap = CreateCompatibleBitmap(windowDC, surfaceWidth, surfaceHeight);
    backgroundSurface.bitmap = CreateCompatibleBitmap(windowDC, surfaceWidth, surfaceHeight);
    SelectObject(backgroundSurface.dc, backgroundSurface.bitmap);
    ReleaseDC(window, windowDC);
    SelectObject(frameSurface.dc, frameSurface.bitmap);
}

// Releases both surfaces and ends the message loop. The handles are cleared, so that a
// WM_DESTROY after a WM_CLOSE does not delete them again and later paints draw nothing.
static void ReleaseSurfacesAndQuit()
{
    if (frameSurface.dc != NULL) {
        DeleteDC(backgroundSurface.dc);
        DeleteObject(backgroundSurface.bitmap);
        DeleteDC(frameSurface.dc);
        DeleteObject(frameSurface.bitmap);
        backgroundSurface.dc = NULL;
        backgroundSurface.bitmap = NULL;
        frameSurface.dc = NULL;
        frameSurface.bitmap = NULL;
    }
    PostQuitMessage(0);
}

static void PaintFrame(HWND window)
{
    PAINTSTRUCT paint;
    HDC paintDC = BeginPaint(window, &paint);
    if (frameSurface.dc != NULL) {
        RenderClockFrame(surfaceWidth, surfaceHeight);
        if (saver.isFullScreen) {
            BitBlt(paintDC, 0, 0, surfaceWidth, surfaceHeight, frameSurface.dc, 0, 0, SRCCOPY);
        } else {
            RECT client;
            GetClientRect(window, &client);
            SetStretchBltMode(paintDC, HALFTONE);
            StretchBlt(paintDC, 0, 0, client.right, client.bottom, frameSurface.dc, 0, 0,
                       surfaceWidth, surfaceHeight, SRCCOPY);
        }
        backgroundStale = 0;
    }
    EndPaint(window, &paint);
}

// A mouse that moves further than this in x or in y since the last accepted position
// ends the saver; smaller moves, however many, do not.
static const LONG kMouseJumpPixels = 10;

static void CheckMouseJump(HWND window)
{
    POINT cursor;
    GetCursorPos(&cursor);
    if (labs(cursor.x - lastCursorPos.x) > kMouseJumpPixels ||
        labs(cursor.y - lastCursorPos.y) > kMouseJumpPixels)
        SendMessageA(window, WM_CLOSE, 0, 0);
    else
        lastCursorPos = cursor;
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        RECT client;
        GetClientRect(window, &client);
        surfaceWidth = client.right;
        surfaceHeight = client.bottom;
        if (surfaceWidth > 0 && surfaceHeight > 0) {
            CreateSurfaces(window);
        } else {
            // A host without area: there is nothing to draw into, and paints draw nothing.
            surfaceWidth = 0;
            surfaceHeight = 0;
        }
        SetTimer(window, kFrameTimerId, kFrameIntervalMilliseconds, NULL);
        GetCursorPos(&lastCursorPos);
        return 0;
    }

    case WM_PAINT:
        PaintFrame(window);
        return 0;

    case WM_TIMER:
        InvalidateRect(window, NULL, FALSE);
        return 0;

    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (saver.isFullScreen)
            SendMessageA(window, WM_CLOSE, 0, 0);
        return 0;

    case WM_MOUSEMOVE:
        if (saver.isFullScreen)
            CheckMouseJump(window);
        return 0;

    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
        if (wParam == 0)
            SendMessageA(window, WM_CLOSE, 0, 0);
        return DefWindowProcA(window, message, wParam, lParam);

    case WM_POWERBROADCAST:
        if (wParam == PBT_APMSUSPEND) {
            SendMessageA(window, WM_CLOSE, 0, 0);
            return 0;
        }
        if (wParam == PBT_APMQUERYSUSPEND)
            return 1;  // the suspend may go ahead
        return 0;

    case WM_SETCURSOR:
        if (saver.isFullScreen)
            SetCursor(NULL);
        return 0;

    case WM_SYSCOMMAND:
        // The whole command is compared: only the monitor's power request goes on.
        if (saver.isFullScreen && wParam == SC_MONITORPOWER)
            return DefWindowProcA(window, message, wParam, lParam);
        return 0;

    case WM_CLOSE:
        if (passwordCheckActive)
            return 0;
        if (VerifySaverPassword() == 0)
            return 0;
        // The window stays until the process ends on the quit message.
        ReleaseSurfacesAndQuit();
        return 0;

    case WM_DESTROY:
        ReleaseSurfacesAndQuit();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
