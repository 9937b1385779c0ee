// The About box run from its real template and procedure: its texts and logo, the ways
// it ends, and its opening from the settings dialog's About button.
#include <gtest/gtest.h>

#include <string>

#include "dialog_driver.h"
#include "object_counts.h"
#include "dialogs/about_dialog.h"
#include "dialogs/settings_dialog.h"
#include "resource_ids.h"
#include "shell/saver_globals.h"

namespace {

const char kAboutCaption[] = "About";

class AboutDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        // The product strings as start-up loads them, from this program's copy of the
        // resources.
        saverInstance = GetModuleHandleA(NULL);
        LoadStringA(saverInstance, IDS_PRODUCT_NAME, productName, COUNTOF(productName));
        LoadStringA(saverInstance, IDS_VERSION_TEXT, versionText, COUNTOF(versionText));
        LoadStringA(saverInstance, IDS_RIGHTS_LINE, rightsLine, COUNTOF(rightsLine));
    }

    static std::string ResourceString(UINT id)
    {
        char text[512] = "";
        LoadStringA(GetModuleHandleA(NULL), id, text, COUNTOF(text));
        return text;
    }

    static std::string Text(HWND dialog, int id)
    {
        char text[512] = "";
        GetDlgItemTextA(dialog, id, text, COUNTOF(text));
        return text;
    }

    // Whether the control's text, in the control's font, fits its width on one line.
    static bool FitsOnOneLine(HWND dialog, int id)
    {
        HWND control = GetDlgItem(dialog, id);
        std::string text = Text(dialog, id);
        HDC dc = GetDC(control);
        HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(
                                                SendMessageA(control, WM_GETFONT, 0, 0)));
        SIZE extent = {0, 0};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, previous);
        ReleaseDC(control, dc);
        RECT client;
        GetClientRect(control, &client);
        return extent.cx <= client.right && extent.cy <= client.bottom;
    }
};

TEST_F(AboutDialogTest, ShowsNameAndVersionCreditRightsAndLogo)
{
    std::string name, credit, rights;
    BITMAP shown = {};
    bool hasInk = false, hasWhite = false;
    size_t stepsRun = 0;
    RunDialogWithSteps(IDD_ABOUT, AboutDialogProc, NULL,
                       {{kAboutCaption, [&](HWND dialog) {
                             name = Text(dialog, IDC_ABOUT_NAME);
                             credit = Text(dialog, IDC_ABOUT_CREDIT);
                             rights = Text(dialog, IDC_ABOUT_RIGHTS);
                             for (int id : {IDC_ABOUT_NAME, IDC_ABOUT_CREDIT, IDC_ABOUT_RIGHTS})
                                 EXPECT_TRUE(FitsOnOneLine(dialog, id))
                                     << "\"" << Text(dialog, id) << "\" does not fit";
                             HBITMAP logo = reinterpret_cast<HBITMAP>(SendDlgItemMessageA(
                                 dialog, IDC_ABOUT_LOGO, STM_GETIMAGE, IMAGE_BITMAP, 0));
                             if (logo != NULL)
                                 GetObjectA(logo, sizeof(shown), &shown);
                             HWND picture = GetDlgItem(dialog, IDC_ABOUT_LOGO);
                             RedrawWindow(picture, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
                             HDC dc = GetDC(picture);
                             RECT client;
                             GetClientRect(picture, &client);
                             for (int y = 0; y < client.bottom; y += 2)
                                 for (int x = 0; x < client.right; x += 2) {
                                     COLORREF c = GetPixel(dc, x, y);
                                     hasInk |= GetRValue(c) < 0x40 && GetGValue(c) < 0x40;
                                     hasWhite |= c == RGB(255, 255, 255);
                                 }
                             ReleaseDC(picture, dc);
                             EndDialog(dialog, IDOK);
                         }}},
                       &stepsRun);
    EXPECT_EQ(stepsRun, 1u);
    EXPECT_EQ(name, "Horloma version 1.0");
    EXPECT_FALSE(ResourceString(IDS_CREDIT_LINE).empty());
    EXPECT_EQ(credit, ResourceString(IDS_CREDIT_LINE));
    EXPECT_FALSE(ResourceString(IDS_RIGHTS_LINE).empty());
    EXPECT_EQ(rights, ResourceString(IDS_RIGHTS_LINE));
    EXPECT_EQ(shown.bmWidth, 203);
    EXPECT_EQ(shown.bmHeight, 61);
    EXPECT_TRUE(hasInk) << "no dark pixels of the name and hands on screen";
    EXPECT_TRUE(hasWhite) << "no white pixels of the face and background on screen";
}

TEST_F(AboutDialogTest, LogoResourceIs203By61At24Bits)
{
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDB_LOGO), MAKEINTRESOURCEA(2));
    ASSERT_TRUE(found != NULL);
    const BITMAPINFOHEADER* header =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
    ASSERT_TRUE(header != NULL);
    EXPECT_EQ(header->biWidth, 203);
    EXPECT_EQ(header->biHeight, 61);
    EXPECT_EQ(header->biBitCount, 24);
}

TEST_F(AboutDialogTest, OkEnterEscapeAndTheCloseBoxEndIt)
{
    struct Case {
        const char* what;
        std::function<void(HWND)> end;
        INT_PTR result;
    };
    const Case cases[] = {
        {"OK button",
         [](HWND dialog) { SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }, IDOK},
        {"Enter", [](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 1); }, IDOK},
        {"Escape", [](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1); }, IDCANCEL},
        {"close box", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
         IDCANCEL},
        {"close message", [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }, IDCANCEL},
    };
    for (const Case& c : cases) {
        size_t stepsRun = 0;
        HWND focus = NULL, okButton = NULL;
        INT_PTR result = RunDialogWithSteps(IDD_ABOUT, AboutDialogProc, NULL,
                                            {{kAboutCaption, [&](HWND dialog) {
                                                  focus = GetFocus();
                                                  okButton = GetDlgItem(dialog, IDOK);
                                                  c.end(dialog);
                                              }}},
                                            &stepsRun);
        EXPECT_EQ(stepsRun, 1u) << c.what;
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_TRUE(focus == okButton) << c.what << ": the focus is not on OK";
    }
}

// The logo control's bitmap went with every box closed; the count of live GDI objects
// shows it, as Wine reports none through GetGuiResources.
TEST_F(AboutDialogTest, OpeningAndClosingLeavesNoGdiObjectBehind)
{
    const int kBoxes = 3;
    auto openAndClose = [] {
        size_t stepsRun = 0;
        RunDialogWithSteps(IDD_ABOUT, AboutDialogProc, NULL,
                           {{kAboutCaption, [](HWND dialog) {
                                 UpdateWindow(dialog);
                                 EndDialog(dialog, IDOK);
                             }}},
                           &stepsRun);
        return stepsRun;
    };
    ASSERT_EQ(openAndClose(), 1u);
    int before = ProbeGdiObjects();
    for (int i = 0; i < kBoxes; i++)
        ASSERT_EQ(openAndClose(), 1u);
    EXPECT_EQ(ProbeGdiObjects(), before) << "GDI objects alive after " << kBoxes << " boxes";
}

TEST_F(AboutDialogTest, AboutButtonOpensItOverTheSettingsDialog)
{
    HWND settings = NULL, owner = NULL;
    std::string name;
    bool settingsStillOpen = false;
    size_t stepsRun = 0;
    RunDialogWithSteps(
        IDD_SETTINGS, SettingsDialogProc, NULL,
        {{"Horloma settings",
          [&](HWND dialog) {
              settings = dialog;
              PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED),
                           reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ABOUT)));
          }},
         {kAboutCaption,
          [&](HWND about) {
              owner = GetWindow(about, GW_OWNER);
              name = Text(about, IDC_ABOUT_NAME);
              PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
          }},
         {"Horloma settings",
          [&](HWND dialog) {
              settingsStillOpen = dialog == settings && FindThreadWindow(kAboutCaption) == NULL;
              SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
          }}},
        &stepsRun);
    EXPECT_EQ(stepsRun, 3u);
    EXPECT_TRUE(owner == settings);
    EXPECT_EQ(name, "Horloma version 1.0");
    EXPECT_TRUE(settingsStillOpen);
}

}  // namespace
