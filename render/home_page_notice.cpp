#include "render/frame_composition.h"
#include "shell/saver_globals.h"

const char kHomePageAddress[] = "https://www.veltrane.com/horloma";

static const int kNoticeFontHeight = 24;
static const int kNoticeBandHeight = 40;
static const char kNoticeFontFace[] = "Palatino Linotype";

void DrawHomePageNotice(HDC frameDC, int surfaceWidth)
{
    if (saver.isFullScreen != 1)
        return;
    HFONT font = CreateFontA(kNoticeFontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kNoticeFontFace);
    HGDIOBJ previousFont = SelectObject(frameDC, font);
    RECT band;
    SetRect(&band, 0, 0, surfaceWidth, kNoticeBandHeight);
    SetTextColor(frameDC, RGB(0, 0, 0));
    SetBkMode(frameDC, TRANSPARENT);
    SetTextAlign(frameDC, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    DrawTextA(frameDC, kHomePageAddress, -1, &band, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    SelectObject(frameDC, previousFont);
    DeleteObject(font);
}
