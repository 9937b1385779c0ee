#include "dialogs/settings_dialog.h"

#include <gdiplus.h>
#include <shellapi.h>

#include "dialogs/about_dialog.h"
#include "render/frame_composition.h"
#include "resources/resource_ids.h"
#include "settings/settings_store.h"
#include "shell/saver_globals.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

static const wchar_t kWallpaperFolder[] = L"\\Wall paper\\";
static const wchar_t kWallpaperPattern[] = L"*.bmp";

// The most characters either text box takes from typing or pasting.
static const int kTextLimit = 25;

// Each thumbnail is white, with the bitmap tiled inside a white border this wide.
static const ARGB kThumbnailBackground = 0xFFFFFFFF;
static const int kThumbnailBorder = 4;

ClockSettings dialogSettings;

// The edge of every thumbnail: the list's client height when it was created.
static int thumbSize;

// One thumbnail drawn at a time, made on open and released on close.
static Surface thumbnailSurface;
static HGDIOBJ thumbnailPreviousBitmap;

// The saver's installPath + "\Wall paper\" + tail. A path that does not fit is refused,
// left empty and reported false: cut short it would name some other file or folder.
static bool BuildWallpaperFolderPath(wchar_t* path, size_t capacity, const wchar_t* tail)
{
    if (CopyTextBounded(path, capacity, saver.settings.installPath) &&
        AppendTextBounded(path, capacity, kWallpaperFolder) &&
        AppendTextBounded(path, capacity, tail))
        return true;
    path[0] = 0;
    return false;
}

// The text of one list item; false, with the buffer untouched, when there is no such
// item or it does not fit: LB_GETTEXT itself knows no buffer size.
static bool GetWallpaperName(HWND dialog, WPARAM index, wchar_t* name, size_t capacity)
{
    LRESULT length = SendDlgItemMessageW(dialog, IDC_WALLPAPER_LIST, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR || static_cast<size_t>(length) >= capacity)
        return false;
    return SendDlgItemMessageW(dialog, IDC_WALLPAPER_LIST, LB_GETTEXT, index,
                               reinterpret_cast<LPARAM>(name)) != LB_ERR;
}

static void FillWallpaperList(HWND dialog)
{
    wchar_t pattern[kTextCapacity];
    if (BuildWallpaperFolderPath(pattern, COUNTOF(pattern), kWallpaperPattern))
        SendDlgItemMessageW(dialog, IDC_WALLPAPER_LIST, LB_DIR, DDL_READWRITE,
                            reinterpret_cast<LPARAM>(pattern));
}

void FillSettingsControls(HWND dialog, ClockSettings settings)
{
    SetDlgItemTextW(dialog, IDC_TEXT_UP, settings.textUp);
    SetDlgItemTextW(dialog, IDC_TEXT_DOWN, settings.textDown);
    LRESULT found = SendDlgItemMessageW(dialog, IDC_WALLPAPER_LIST, LB_FINDSTRING,
                                        static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(settings.nameBack));
    SendDlgItemMessageW(dialog, IDC_WALLPAPER_LIST, LB_SETCURSEL, found == LB_ERR ? 0 : found,
                        0);
}

static void CreateThumbnailSurface(HWND dialog)
{
    HDC dialogDC = GetDC(dialog);
    thumbnailSurface.dc = CreateCompatibleDC(dialogDC);
    thumbnailSurface.bitmap = CreateCompatibleBitmap(dialogDC, thumbSize, thumbSize);
    ReleaseDC(dialog, dialogDC);
    thumbnailPreviousBitmap = SelectObject(thumbnailSurface.dc, thumbnailSurface.bitmap);
}

static void ReleaseThumbnailSurface()
{
    SelectObject(thumbnailSurface.dc, thumbnailPreviousBitmap);
    DeleteDC(thumbnailSurface.dc);
    DeleteObject(thumbnailSurface.bitmap);
}

static void InitSettingsDialog(HWND dialog)
{
    LoadClockSettings(dialogSettings);
    FillWallpaperList(dialog);
    FillSettingsControls(dialog, dialogSettings);
    // After the texts, so that a longer stored text is still shown whole.
    SendDlgItemMessageW(dialog, IDC_TEXT_UP, EM_LIMITTEXT, kTextLimit, 0);
    SendDlgItemMessageW(dialog, IDC_TEXT_DOWN, EM_LIMITTEXT, kTextLimit, 0);
    CreateThumbnailSurface(dialog);
}

// Each draw decodes the item's bitmap again; nothing is cached between items.
static void DrawThumbnail(HWND dialog, const DRAWITEMSTRUCT* item)
{
    GpGraphics* graphics = NULL;
    GdipCreateFromHDC(thumbnailSurface.dc, &graphics);
    GdipSetSmoothingMode(graphics, SmoothingModeAntiAlias);

    wchar_t name[kTextCapacity];
    wchar_t path[kTextCapacity];
    GpImage* image = NULL;
    if (GetWallpaperName(dialog, item->itemID, name, COUNTOF(name)) &&
        BuildWallpaperFolderPath(path, COUNTOF(path), name))
        GdipLoadImageFromFile(path, &image);

    GdipGraphicsClear(graphics, kThumbnailBackground);
    UINT imageWidth = 0;
    if (image != NULL)
        GdipGetImageWidth(image, &imageWidth);
    if (imageWidth != 0) {
        // No transform: the bitmap's own pixels, repeated from the top left corner.
        GpTexture* texture = NULL;
        GdipCreateTexture(image, WrapModeTile, &texture);
        GdipFillRectangleI(graphics, texture, kThumbnailBorder, kThumbnailBorder,
                           thumbSize - 2 * kThumbnailBorder, thumbSize - 2 * kThumbnailBorder);
        GdipDeleteBrush(texture);
    }

    BitBlt(item->hDC, item->rcItem.left, item->rcItem.top, thumbSize, thumbSize,
           thumbnailSurface.dc, 0, 0, SRCCOPY);
    if (item->itemState & ODS_SELECTED) {
        HBRUSH frameBrush = CreateSolidBrush(GetSysColor(COLOR_ACTIVECAPTION));
        FrameRect(item->hDC, &item->rcItem, frameBrush);
        DeleteObject(frameBrush);
    }

    if (image != NULL)
        GdipDisposeImage(image);
    GdipDeleteGraphics(graphics);
}

static void SaveFromControls(HWND dialog)
{
    GetDlgItemTextW(dialog, IDC_TEXT_UP, dialogSettings.textUp, COUNTOF(dialogSettings.textUp));
    GetDlgItemTextW(dialog, IDC_TEXT_DOWN, dialogSettings.textDown,
                    COUNTOF(dialogSettings.textDown));
    LRESULT selected = SendDlgItemMessageW(dialog, IDC_WALLPAPER_LIST, LB_GETCURSEL, 0, 0);
    if (selected != LB_ERR)
        GetWallpaperName(dialog, selected, dialogSettings.nameBack,
                         COUNTOF(dialogSettings.nameBack));
    SaveClockSettings(dialogSettings);
}

static void HandleCommand(HWND dialog, WORD id)
{
    switch (id) {
    case IDOK:
        SaveFromControls(dialog);
        EndDialog(dialog, IDOK);
        break;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        break;
    case IDC_SET_TO_DEFAULT:
        ResetClockSettings(dialogSettings);
        FillSettingsControls(dialog, dialogSettings);
        // Selecting draws no frame; a whole repaint moves it to the new thumbnail.
        InvalidateRect(dialog, NULL, FALSE);
        break;
    case IDC_ABOUT:
        DialogBoxParamA(saverInstance, MAKEINTRESOURCEA(IDD_ABOUT), dialog, AboutDialogProc, 0);
        break;
    case IDC_HOME_PAGE:
        ShellExecuteA(NULL, "open", kHomePageAddress, NULL, NULL, SW_SHOWNORMAL);
        break;
    }
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MEASUREITEM: {
        // Sent while the owner-drawn list is created, before WM_INITDIALOG.
        MEASUREITEMSTRUCT* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        RECT client = {0, 0, 0, 0};
        GetClientRect(GetDlgItem(dialog, IDC_WALLPAPER_LIST), &client);
        thumbSize = client.bottom;
        measure->itemWidth = thumbSize;
        measure->itemHeight = thumbSize;
        return TRUE;
    }
    case WM_INITDIALOG:
        InitSettingsDialog(dialog);
        return TRUE;
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        // Thumbnails and frame are drawn only when an item is drawn entire.
        if (item->itemAction == ODA_SELECT || item->itemAction == ODA_FOCUS)
            return FALSE;
        DrawThumbnail(dialog, item);
        return FALSE;
    }
    case WM_COMMAND:
        HandleCommand(dialog, LOWORD(wParam));
        return FALSE;
    case WM_DESTROY:
        ReleaseThumbnailSurface();
        return FALSE;
    }
    return FALSE;
}
