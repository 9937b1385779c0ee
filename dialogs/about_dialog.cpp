#include "dialogs/about_dialog.h"

#include <stdio.h>

#include "resources/resource_ids.h"
#include "shell/saver_globals.h"

static const char kVersionJoin[] = " version ";

static void FillAboutTexts(HWND dialog)
{
    char text[512];
    snprintf(text, COUNTOF(text), "%s%s%s", productName, kVersionJoin, versionText);
    SetDlgItemTextA(dialog, IDC_ABOUT_NAME, text);
    LoadStringA(saverInstance, IDS_CREDIT_LINE, text, COUNTOF(text));
    SetDlgItemTextA(dialog, IDC_ABOUT_CREDIT, text);
    SetDlgItemTextA(dialog, IDC_ABOUT_RIGHTS, rightsLine);
}

// The logo control loads its bitmap from the template, and Wine's static control never
// deletes it: taken back from the control, it is released here, where the box ends.
static void ReleaseLogo(HWND dialog)
{
    HBITMAP logo = reinterpret_cast<HBITMAP>(
        SendDlgItemMessageA(dialog, IDC_ABOUT_LOGO, STM_SETIMAGE, IMAGE_BITMAP, 0));
    if (logo != NULL)
        DeleteObject(logo);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        FillAboutTexts(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        ReleaseLogo(dialog);
        return FALSE;
    }
    return FALSE;
}
