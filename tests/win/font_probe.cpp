// Tells, by its exit code, whether a process started now finds the "Dodaz" family: 0 when
// both GDI and GDI+ know it, 1 when GDI does not, 2 when only GDI+ does not. The
// installer tests start it before and after installing, since fonts are listed for a
// process as it starts.
#include <windows.h>
#include <gdiplus.h>

static const wchar_t kFamily[] = L"Dodaz";

static int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

static bool GdiFindsFamily()
{
    LOGFONTW wanted;
    ZeroMemory(&wanted, sizeof(wanted));
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, kFamily, LF_FACESIZE);
    bool found = false;
    HDC screen = GetDC(NULL);
    EnumFontFamiliesExW(screen, &wanted, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(NULL, screen);
    return found;
}

static bool GdiplusFindsFamily()
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, NULL) != Gdiplus::Ok)
        return false;
    Gdiplus::GpFontFamily* family = NULL;
    bool found = Gdiplus::DllExports::GdipCreateFontFamilyFromName(kFamily, NULL, &family) ==
                 Gdiplus::Ok;
    if (family != NULL)
        Gdiplus::DllExports::GdipDeleteFontFamily(family);
    Gdiplus::GdiplusShutdown(token);
    return found;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (!GdiFindsFamily())
        return 1;
    if (!GdiplusFindsFamily())
        return 2;
    return 0;
}
