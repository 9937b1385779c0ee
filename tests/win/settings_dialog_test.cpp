// The settings dialog run in this process from its real template and procedure, driven
// with real messages from inside its own loop: what it lists and selects, what OK, Set
// to default and Cancel leave in Wine's registry, and the pixels of its thumbnails.
#include <string.h>

#include <map>
#include <string>
#include <vector>

#include "bad_input_cases.h"
#include "dialog_driver.h"
#include "dialogs/settings_dialog.h"
#include "registry_fixture.h"
#include "render/frame_composition.h"
#include "resource_ids.h"
#include "settings/clock_settings.h"
#include "shell/saver_globals.h"

namespace {

const char kSettingsCaption[] = "Horloma settings";

std::wstring TempFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return temp;
}

class SettingsDialogTest : public RegistryKeysTest {
protected:
    void SetUp() override
    {
        RegistryKeysTest::SetUp();
        UseInstallFolder(TempFolder() + L"horloma-dialog-test");
        ZeroMemory(&dialogSettings, sizeof(dialogSettings));
        saverInstance = GetModuleHandleA(NULL);
    }

    void TearDown() override
    {
        RemoveFolder(Wallpapers());
        RemoveDirectoryW(installFolder.c_str());
        RegistryKeysTest::TearDown();
    }

    // A fresh, empty wallpaper folder under the folder, which becomes the saver's
    // installPath.
    void UseInstallFolder(const std::wstring& folder)
    {
        installFolder = folder;
        RemoveFolder(Wallpapers());
        CreateDirectoryW(installFolder.c_str(), NULL);
        ASSERT_TRUE(CreateDirectoryW(Wallpapers().c_str(), NULL)) << "cannot make the folder";
        ZeroMemory(&saver, sizeof(saver));
        ASSERT_TRUE(CopyTextBounded(saver.settings.installPath,
                                    COUNTOF(saver.settings.installPath), folder.c_str()));
    }

    std::wstring Wallpapers() const { return installFolder + L"\\Wall paper"; }

    // Small grey bitmaps for .bmp names, a few bytes of something else for the rest.
    void AddFiles(const std::vector<std::wstring>& names)
    {
        for (const std::wstring& name : names) {
            std::wstring path = Wallpapers() + L"\\" + name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, L".bmp") == 0)
                WriteBitmapFile(path, 8, 8, [](int, int) { return Rgb{128, 128, 128}; });
            else
                WriteFileBytes(path, "not a bitmap");
        }
    }

    INT_PTR RunSettings(const std::vector<DialogStep>& steps)
    {
        size_t stepsRun = 0;
        INT_PTR result = RunDialogWithSteps(IDD_SETTINGS, SettingsDialogProc, NULL, steps,
                                            &stepsRun);
        EXPECT_EQ(stepsRun, steps.size());
        return result;
    }

    // Runs the dialog, hands it to check, then presses the button.
    INT_PTR RunAndPress(const std::function<void(HWND)>& check, int button)
    {
        return RunSettings({{kSettingsCaption, [&](HWND dialog) {
                                 check(dialog);
                                 Press(dialog, button);
                             }}});
    }

    static void Press(HWND dialog, int button)
    {
        SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    }

    static std::vector<std::wstring> ListNames(HWND dialog)
    {
        std::vector<std::wstring> names;
        LRESULT count = SendDlgItemMessageW(dialog, IDC_WALLPAPER_LIST, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; i++) {
            wchar_t name[kTextCapacity] = L"";
            SendDlgItemMessageW(dialog, IDC_WALLPAPER_LIST, LB_GETTEXT, i,
                                reinterpret_cast<LPARAM>(name));
            names.push_back(name);
        }
        return names;
    }

    static std::wstring SelectedName(HWND dialog)
    {
        LRESULT selected = SendDlgItemMessageW(dialog, IDC_WALLPAPER_LIST, LB_GETCURSEL, 0, 0);
        if (selected == LB_ERR)
            return L"(none)";
        return ListNames(dialog)[selected];
    }

    static void Select(HWND dialog, const std::wstring& name)
    {
        LRESULT index = SendDlgItemMessageW(dialog, IDC_WALLPAPER_LIST, LB_FINDSTRINGEXACT,
                                            static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(name.c_str()));
        ASSERT_NE(index, LB_ERR);
        SendDlgItemMessageW(dialog, IDC_WALLPAPER_LIST, LB_SETCURSEL, index, 0);
    }

    // What a whole field holds after the texts were written into it in turn, each with
    // its terminator only: the 520 bytes the store writes.
    static std::vector<BYTE> FieldAfter(const std::vector<std::wstring>& writes)
    {
        wchar_t field[kTextCapacity];
        ZeroMemory(field, sizeof(field));
        for (const std::wstring& text : writes)
            memcpy(field, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        const BYTE* bytes = reinterpret_cast<const BYTE*>(field);
        return std::vector<BYTE>(bytes, bytes + sizeof(field));
    }

    static void ExpectStored(const wchar_t* name, const std::vector<std::wstring>& writes)
    {
        DWORD type = REG_NONE;
        std::vector<BYTE> data;
        ASSERT_TRUE(GetValue(HKEY_CURRENT_USER, name, &type, &data)) << "no value";
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(data.size(), kTextCapacity * sizeof(wchar_t));
        EXPECT_TRUE(data == FieldAfter(writes))
            << "stored text: " << testing::PrintToString(std::wstring(
                   reinterpret_cast<const wchar_t*>(data.data()), data.size() / 2));
    }

    // Every value of the user's key, name to type and bytes; empty when there is no key.
    static std::map<std::wstring, std::pair<DWORD, std::vector<BYTE>>> UserKeySnapshot()
    {
        std::map<std::wstring, std::pair<DWORD, std::vector<BYTE>>> values;
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) !=
            ERROR_SUCCESS)
            return values;
        for (DWORD i = 0;; i++) {
            wchar_t name[256];
            DWORD nameLength = 256;
            BYTE data[2048];
            DWORD size = sizeof(data);
            DWORD type = REG_NONE;
            if (RegEnumValueW(key, i, name, &nameLength, NULL, &type, data, &size) !=
                ERROR_SUCCESS)
                break;
            values[name] = std::make_pair(type, std::vector<BYTE>(data, data + size));
        }
        RegCloseKey(key);
        return values;
    }

    std::wstring installFolder;
};

const std::vector<std::wstring> kMixedFolder = {L"10.bmp", L"02.bmp",   L"Big.bmp",
                                                L"06.bmp", L"a.bmp",    L"photo.png",
                                                L"photo.jpg", L"notes.txt"};
const std::vector<std::wstring> kMixedFolderList = {L"02.bmp", L"06.bmp", L"10.bmp", L"a.bmp",
                                                    L"Big.bmp"};

TEST_F(SettingsDialogTest, ListHoldsExactlyTheFolderBitmapsSorted)
{
    AddFiles(kMixedFolder);
    std::vector<std::wstring> listed;
    RunAndPress([&](HWND dialog) { listed = ListNames(dialog); }, IDCANCEL);
    EXPECT_EQ(listed, kMixedFolderList);
}

TEST_F(SettingsDialogTest, StoredNameSelectsTheFirstItemBeginningWithIt)
{
    struct Case {
        const char* what;
        const wchar_t* stored;  // NULL: nothing stored
        std::wstring selected;
    };
    const Case cases[] = {
        {"whole name", L"06.bmp", L"06.bmp"},
        {"one character", L"0", L"02.bmp"},
        {"other case", L"BIG", L"Big.bmp"},
        {"unknown name", L"zz.bmp", L"02.bmp"},
        {"nothing stored: the default", NULL, L"06.bmp"},
    };
    AddFiles(kMixedFolder);
    for (const Case& c : cases) {
        RemoveKeys();
        if (c.stored != NULL)
            PutText(HKEY_CURRENT_USER, L"nameBack", c.stored);
        std::wstring selected;
        RunAndPress([&](HWND dialog) { selected = SelectedName(dialog); }, IDCANCEL);
        EXPECT_EQ(selected, c.selected) << c.what;
    }
}

TEST_F(SettingsDialogTest, EmptyFolderGivesAnEmptyListAndOkKeepsNameBack)
{
    PutText(HKEY_CURRENT_USER, L"nameBack", L"gone.bmp");
    std::vector<std::wstring> listed = {L"not read"};
    std::wstring selected;
    RunAndPress(
        [&](HWND dialog) {
            listed = ListNames(dialog);
            selected = SelectedName(dialog);
        },
        IDOK);
    EXPECT_TRUE(listed.empty());
    EXPECT_EQ(selected, L"(none)");
    ExpectStored(L"nameBack", {L"06.bmp", L"gone.bmp"});
    ExpectStored(L"textUp", {L"Veltrane"});
    ExpectStored(L"textDown", {L"Ruvozu"});
}

TEST_F(SettingsDialogTest, OkStoresTheEditedTextsAndChoiceAsWholeFields)
{
    AddFiles(kMixedFolder);
    PutText(HKEY_CURRENT_USER, L"textUp", L"abcdef");
    PutText(HKEY_CURRENT_USER, L"textDown", L"uvwxyz");
    PutText(HKEY_CURRENT_USER, L"nameBack", L"Big.bmp");
    std::wstring shownUp, shownDown;
    INT_PTR result = RunAndPress(
        [&](HWND dialog) {
            shownUp = ControlText(GetDlgItem(dialog, IDC_TEXT_UP));
            shownDown = ControlText(GetDlgItem(dialog, IDC_TEXT_DOWN));
            SetDlgItemTextW(dialog, IDC_TEXT_UP, L"ab");
            SetDlgItemTextW(dialog, IDC_TEXT_DOWN, L"Ruvozu Lane");
            Select(dialog, L"a.bmp");
        },
        IDOK);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(shownUp, L"abcdef");
    EXPECT_EQ(shownDown, L"uvwxyz");
    ExpectStored(L"textUp", {L"Veltrane", L"abcdef", L"ab"});
    ExpectStored(L"textDown", {L"Ruvozu", L"uvwxyz", L"Ruvozu Lane"});
    ExpectStored(L"nameBack", {L"06.bmp", L"Big.bmp", L"a.bmp"});
}

TEST_F(SettingsDialogTest, LongerStoredTextsAreShownWholeAndSavedBackUnchanged)
{
    const std::wstring up(30, L'u');
    const std::wstring down = L"A stored text of forty characters, long.";
    PutText(HKEY_CURRENT_USER, L"textUp", up);
    PutText(HKEY_CURRENT_USER, L"textDown", down);
    std::wstring shownUp, shownDown;
    RunAndPress(
        [&](HWND dialog) {
            shownUp = ControlText(GetDlgItem(dialog, IDC_TEXT_UP));
            shownDown = ControlText(GetDlgItem(dialog, IDC_TEXT_DOWN));
        },
        IDOK);
    EXPECT_EQ(shownUp, up);
    EXPECT_EQ(shownDown, down);
    ExpectStored(L"textUp", {L"Veltrane", up});
    ExpectStored(L"textDown", {L"Ruvozu", down});
}

TEST_F(SettingsDialogTest, TextsPastTwentyFiveCharactersCannotBeTypedOrPasted)
{
    struct Case {
        const char* what;
        int control;
        std::wstring before;
        bool paste;  // false: typed one character at a time
        std::wstring after;
    };
    const std::wstring thirty(30, L'x');
    const Case cases[] = {
        {"typed into the up text", IDC_TEXT_UP, L"", false, std::wstring(25, L'x')},
        {"typed into the down text", IDC_TEXT_DOWN, L"", false, std::wstring(25, L'x')},
        {"pasted into the up text", IDC_TEXT_UP, L"", true, std::wstring(25, L'x')},
        {"pasted into the down text", IDC_TEXT_DOWN, L"", true, std::wstring(25, L'x')},
        {"typed behind 20 characters", IDC_TEXT_UP, std::wstring(20, L'a'), false,
         std::wstring(20, L'a') + std::wstring(5, L'x')},
        {"typed behind a longer stored text", IDC_TEXT_DOWN, std::wstring(30, L'a'), false,
         std::wstring(30, L'a')},
    };
    for (const Case& c : cases) {
        RemoveKeys();
        PutText(HKEY_CURRENT_USER, c.control == IDC_TEXT_UP ? L"textUp" : L"textDown",
                c.before);
        std::wstring after;
        RunAndPress(
            [&](HWND dialog) {
                HWND edit = GetDlgItem(dialog, c.control);
                SendMessageW(edit, EM_SETSEL, c.before.size(), c.before.size());
                if (c.paste)
                    SendMessageW(edit, EM_REPLACESEL, TRUE,
                                 reinterpret_cast<LPARAM>(thirty.c_str()));
                else
                    for (wchar_t ch : thirty)
                        SendMessageW(edit, WM_CHAR, ch, 1);
                after = ControlText(edit);
            },
            IDCANCEL);
        EXPECT_EQ(after, c.after) << c.what;
    }
}

TEST_F(SettingsDialogTest, SetToDefaultThenCancelLeavesTheRegistryAsItWas)
{
    AddFiles(kMixedFolder);
    struct Case {
        const char* what;
        bool stored;
    };
    const Case cases[] = {{"values stored", true}, {"no key at all", false}};
    for (const Case& c : cases) {
        RemoveKeys();
        if (c.stored) {
            PutText(HKEY_CURRENT_USER, L"textUp", L"abcdef");
            PutText(HKEY_CURRENT_USER, L"textDown", L"Down");
            PutValue(HKEY_CURRENT_USER, L"nameBack", REG_SZ, FieldAfter({L"long.bmp", L"a.bmp"}));
        }
        auto before = UserKeySnapshot();
        bool keyBefore = KeyExists(HKEY_CURRENT_USER);
        std::wstring up, down, selected;
        INT_PTR result = RunAndPress(
            [&](HWND dialog) {
                Press(dialog, IDC_SET_TO_DEFAULT);
                up = ControlText(GetDlgItem(dialog, IDC_TEXT_UP));
                down = ControlText(GetDlgItem(dialog, IDC_TEXT_DOWN));
                selected = SelectedName(dialog);
            },
            IDCANCEL);
        EXPECT_EQ(result, IDCANCEL) << c.what;
        EXPECT_EQ(up, L"Veltrane") << c.what;
        EXPECT_EQ(down, L"Ruvozu") << c.what;
        EXPECT_EQ(selected, L"06.bmp") << c.what;
        EXPECT_EQ(KeyExists(HKEY_CURRENT_USER), keyBefore) << c.what;
        EXPECT_TRUE(UserKeySnapshot() == before) << c.what;
    }
}

// Thumbnails are decoded only as the list draws them: each whole-item draw request is one
// decode, so counting those requests on this thread counts the decodes.
int thumbnailDraws = 0;

LRESULT CALLBACK CountThumbnailDraws(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_DRAWITEM &&
        (reinterpret_cast<const DRAWITEMSTRUCT*>(call->lParam)->itemAction & ODA_DRAWENTIRE))
        thumbnailDraws++;
    return CallNextHookEx(NULL, code, wParam, lParam);
}

// A folder of 2,000 bitmaps: the dialog opens, lists them all and scrolls to the last,
// decoding only the few thumbnails it shows.
TEST_F(SettingsDialogTest, ThousandsOfBitmapsOpenAndScrollDecodingOnlyWhatShows)
{
    const int files = 2000;
    for (int i = 0; i < files; i++) {
        wchar_t name[20];
        swprintf(name, COUNTOF(name), L"%04d.bmp", i);
        WriteBitmapFile(Wallpapers() + L"\\" + name, 8, 8, [](int, int) { return Rgb{1, 2, 3}; });
    }
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountThumbnailDraws, NULL,
                                   GetCurrentThreadId());
    ASSERT_TRUE(hook != NULL);
    thumbnailDraws = 0;
    LRESULT count = 0, top = 0;
    int drawnAtOpen = 0;
    RunAndPress(
        [&](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_WALLPAPER_LIST);
            count = SendMessageW(list, LB_GETCOUNT, 0, 0);
            UpdateWindow(list);
            drawnAtOpen = thumbnailDraws;
            SendMessageW(list, LB_SETTOPINDEX, files - 1, 0);
            UpdateWindow(list);
            top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
        },
        IDCANCEL);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(count, files);
    EXPECT_GT(top, files - 20) << "did not scroll to the end";
    EXPECT_GT(drawnAtOpen, 0);
    const int fewScreensful = 100;
    EXPECT_LT(thumbnailDraws, fewScreensful) << "decoded far more than it showed";
}

// A save that cannot create the user key is silent: the dialog closes as after any OK,
// and nothing is written. The key cannot be created here because its parent is a
// volatile key, under which Windows and Wine refuse a lasting one.
TEST_F(SettingsDialogTest, OkWhenTheUserKeyCannotBeMadeClosesAndWritesNothing)
{
    AddFiles(kMixedFolder);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Veltrane");
    HKEY parent = NULL;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Veltrane", 0, NULL,
                              REG_OPTION_VOLATILE, KEY_ALL_ACCESS, NULL, &parent, NULL),
              ERROR_SUCCESS);
    RegCloseKey(parent);
    INT_PTR result = RunAndPress(
        [&](HWND dialog) { SetWindowTextW(GetDlgItem(dialog, IDC_TEXT_UP), L"Lost"); }, IDOK);
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER));
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Veltrane");
}

// Whatever is edited, Cancel stores nothing: not a byte of the user key changes.
TEST_F(SettingsDialogTest, CancelAfterEditsLeavesTheRegistryAsItWas)
{
    AddFiles(kMixedFolder);
    PutText(HKEY_CURRENT_USER, L"textUp", L"abcdef");
    PutValue(HKEY_CURRENT_USER, L"textDown", REG_BINARY, {1, 2, 3});
    PutValue(HKEY_CURRENT_USER, L"nameBack", REG_SZ, FieldAfter({L"long.bmp", L"a.bmp"}));
    auto before = UserKeySnapshot();
    INT_PTR result = RunAndPress(
        [&](HWND dialog) {
            SetWindowTextW(GetDlgItem(dialog, IDC_TEXT_UP), L"Changed");
            SetWindowTextW(GetDlgItem(dialog, IDC_TEXT_DOWN), L"Also changed");
            SendDlgItemMessageW(dialog, IDC_WALLPAPER_LIST, LB_SETCURSEL, 0, 0);
            Press(dialog, IDC_SET_TO_DEFAULT);
            SetWindowTextW(GetDlgItem(dialog, IDC_TEXT_UP), L"Changed again");
        },
        IDCANCEL);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(UserKeySnapshot() == before);
}

TEST_F(SettingsDialogTest, SetToDefaultThenOkStoresTheDefaults)
{
    struct Case {
        const char* what;
        std::vector<std::wstring> files;
        std::wstring stored;  // what nameBack holds after OK
    };
    const Case cases[] = {
        {"06.bmp listed", {L"01.bmp", L"06.bmp", L"07.bmp"}, L"06.bmp"},
        {"a longer name beginning with 06.bmp", {L"01.bmp", L"06.bmp-old.bmp", L"07.bmp"},
         L"06.bmp-old.bmp"},
        {"no such name: the first item", {L"03.bmp", L"07.bmp"}, L"03.bmp"},
        {"empty folder", {}, L"06.bmp"},
    };
    for (const Case& c : cases) {
        RemoveKeys();
        UseInstallFolder(installFolder);
        AddFiles(c.files);
        PutText(HKEY_CURRENT_USER, L"textUp", L"Up text");
        PutText(HKEY_CURRENT_USER, L"textDown", L"Down");
        PutText(HKEY_CURRENT_USER, L"nameBack", L"07.bmp");
        ZeroMemory(&dialogSettings, sizeof(dialogSettings));
        RunAndPress([&](HWND dialog) { Press(dialog, IDC_SET_TO_DEFAULT); }, IDOK);
        SCOPED_TRACE(c.what);
        ExpectStored(L"textUp", {L"Veltrane", L"Up text", L"Veltrane"});
        ExpectStored(L"textDown", {L"Ruvozu", L"Down", L"Ruvozu"});
        ExpectStored(L"nameBack", {L"06.bmp", L"07.bmp", L"06.bmp", c.stored});
    }
}


// The thumbnails, drawn by the real procedure on real WM_DRAWITEM requests into a
// surface of the test's own, whose pixels it reads.
class ThumbnailTest : public SettingsDialogTest {
protected:
    static Rgb TilePixel(int x, int y)
    {
        return Rgb{40 + x * 5, 20 + y * 7, 200 - x * 2 - y * 2};
    }
    static constexpr int kTileWidth = 40;
    static constexpr int kTileHeight = 30;

    void AddTile(const std::wstring& name)
    {
        WriteBitmapFile(Wallpapers() + L"\\" + name, kTileWidth, kTileHeight, TilePixel);
    }

    // Draws the named item with the action and state into a fresh surface whose every
    // pixel was kUnpainted, the item's rectangle at (kLeft, kTop).
    void Draw(HWND dialog, const std::wstring& name, UINT action, UINT state)
    {
        HWND list = GetDlgItem(dialog, IDC_WALLPAPER_LIST);
        thumbSize = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
        width = thumbSize + 2 * kLeft;
        height = thumbSize + 2 * kTop;
        BITMAPINFO info = TopDownBitmapInfo(width, height);
        void* bits = NULL;
        HDC dc = CreateCompatibleDC(NULL);
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
        HGDIOBJ previous = SelectObject(dc, bitmap);
        UINT32* p = static_cast<UINT32*>(bits);
        for (int i = 0; i < width * height; i++)
            p[i] = kUnpainted;

        DRAWITEMSTRUCT item;
        ZeroMemory(&item, sizeof(item));
        item.CtlType = ODT_LISTBOX;
        item.CtlID = IDC_WALLPAPER_LIST;
        item.itemID = static_cast<UINT>(SendMessageW(
            list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
            reinterpret_cast<LPARAM>(name.c_str())));
        item.itemAction = action;
        item.itemState = state;
        item.hwndItem = list;
        item.hDC = dc;
        SetRect(&item.rcItem, kLeft, kTop, kLeft + thumbSize, kTop + thumbSize);
        SendMessageW(dialog, WM_DRAWITEM, IDC_WALLPAPER_LIST, reinterpret_cast<LPARAM>(&item));
        GdiFlush();
        pixels.assign(p, p + width * height);

        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }

    // A pixel of the drawn item, (0, 0) being its top left corner.
    Rgb At(int x, int y) const
    {
        UINT32 v = pixels[static_cast<size_t>(kTop + y) * width + kLeft + x];
        return Rgb{static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                   static_cast<int>(v & 0xFF)};
    }
    bool Untouched() const
    {
        for (UINT32 v : pixels)
            if ((v & 0xFFFFFF) != kUnpainted)
                return false;
        return true;
    }

    // Runs the dialog on a folder of tile.bmp and a corrupt bad.bmp and hands it to check.
    void WithDialog(const std::function<void(HWND)>& check)
    {
        AddTile(L"tile.bmp");
        WriteFileBytes(Wallpapers() + L"\\bad.bmp", std::string("BM") + std::string(200, 'x'));
        RunAndPress(check, IDCANCEL);
    }

    static constexpr UINT32 kUnpainted = 0x00123456;
    static constexpr int kLeft = 10;
    static constexpr int kTop = 6;
    const Rgb kWhite = {255, 255, 255};
    int thumbSize = 0;
    int width = 0, height = 0;
    std::vector<UINT32> pixels;
};

// Items as tall as the list's inside above its scroll bar, which a list of more
// thumbnails than its width holds shows.
TEST_F(ThumbnailTest, ItemsAreAsTallAsTheListAboveItsScrollBar)
{
    AddFiles({L"1.bmp", L"2.bmp", L"3.bmp", L"4.bmp"});
    int itemHeight = 0;
    RECT client = {0, 0, 0, 0};
    bool scrollBarShown = false;
    WithDialog([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_WALLPAPER_LIST);
        itemHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
        GetClientRect(list, &client);
        scrollBarShown = (GetWindowLongA(list, GWL_STYLE) & WS_HSCROLL) != 0;
    });
    EXPECT_GT(itemHeight, 100);
    EXPECT_TRUE(scrollBarShown);
    EXPECT_EQ(itemHeight, client.bottom);
}

TEST_F(ThumbnailTest, BitmapIsTiledAtNaturalSizeInsideAWhiteBorder)
{
    WithDialog([&](HWND dialog) { Draw(dialog, L"tile.bmp", ODA_DRAWENTIRE, 0); });
    ASSERT_GT(thumbSize, 2 * kTileWidth);
    const int last = thumbSize - 1;
    struct Point {
        int x, y;
    };
    // The border: each edge's outer and inner pixel, corners included.
    const Point border[] = {{0, 0},        {3, 3},        {last, 0},      {last - 3, 3},
                            {0, last},     {3, last - 3}, {last, last},   {last - 3, last - 3},
                            {thumbSize / 2, 0}, {thumbSize / 2, 3}, {0, thumbSize / 2},
                            {last - 3, thumbSize / 2}, {thumbSize / 2, last - 3}};
    for (const Point& p : border)
        EXPECT_EQ(At(p.x, p.y), kWhite) << p.x << ", " << p.y << ": " << Describe(At(p.x, p.y));
    // Inside, pixel (x, y) is the tile's (x mod 40, y mod 30): repeated from the
    // thumbnail's top left corner, never scaled.
    const Point inside[] = {{4, 4},   {5, 4},   {4, 5},           {39, 29},
                            {40, 30}, {44, 4},  {4, 34},          {57, 61},
                            {last - 4, last - 4}, {thumbSize / 2, thumbSize / 3}};
    for (const Point& p : inside) {
        Rgb expected = TilePixel(p.x % kTileWidth, p.y % kTileHeight);
        EXPECT_EQ(At(p.x, p.y), expected)
            << p.x << ", " << p.y << ": " << Describe(At(p.x, p.y)) << " not "
            << Describe(expected);
    }
    // Nothing outside the item's square.
    EXPECT_EQ(pixels[0] & 0xFFFFFF, kUnpainted);
    EXPECT_EQ(pixels[static_cast<size_t>(kTop + thumbSize) * width + kLeft] & 0xFFFFFF,
              kUnpainted);
    EXPECT_EQ(pixels[static_cast<size_t>(kTop) * width + kLeft + thumbSize] & 0xFFFFFF,
              kUnpainted);
}

TEST_F(ThumbnailTest, SelectedItemIsFramedInTheActiveCaptionColour)
{
    WithDialog([&](HWND dialog) { Draw(dialog, L"tile.bmp", ODA_DRAWENTIRE, ODS_SELECTED); });
    const Rgb frame = FromColorref(GetSysColor(COLOR_ACTIVECAPTION));
    ASSERT_FALSE(frame == kWhite);
    const int last = thumbSize - 1;
    for (int i = 0; i < thumbSize; i += 7) {
        EXPECT_EQ(At(i, 0), frame) << "top " << i;
        EXPECT_EQ(At(i, last), frame) << "bottom " << i;
        EXPECT_EQ(At(0, i), frame) << "left " << i;
        EXPECT_EQ(At(last, i), frame) << "right " << i;
    }
    EXPECT_EQ(At(1, 1), kWhite);
    EXPECT_EQ(At(last - 1, last - 1), kWhite);
    EXPECT_EQ(At(4, 4), TilePixel(4, 4));
}

TEST_F(ThumbnailTest, CorruptFileGivesAWhiteThumbnail)
{
    WithDialog([&](HWND dialog) { Draw(dialog, L"bad.bmp", ODA_DRAWENTIRE, 0); });
    for (int y = 0; y < thumbSize; y += 5)
        for (int x = 0; x < thumbSize; x += 5)
            ASSERT_EQ(At(x, y), kWhite) << x << ", " << y;
}

// Broken files of every kind each give their picture or a white thumbnail, and the
// dialog goes on drawing the next.
TEST_F(ThumbnailTest, BrokenFilesGiveTheirPictureOrWhite)
{
    // Wine's GDI+ keeps a file it failed to decode open until the process ends, so these
    // files get a folder of their own that the other tests never need to empty.
    UseInstallFolder(TempFolder() + L"horloma-broken-files");
    std::vector<BadWallpaper> files = BadWallpapers();
    for (const BadWallpaper& file : files)
        if (file.written)
            WriteFileBytes(Wallpapers() + L"\\" + file.name, file.bytes);
    RunAndPress(
        [&](HWND dialog) {
            for (const BadWallpaper& file : files) {
                if (!file.written)
                    continue;  // not in the folder, so not in the list
                SCOPED_TRACE(file.what);
                TryBadInputCase([&] {
                    Draw(dialog, file.name, ODA_DRAWENTIRE, 0);
                    Rgb inside = At(thumbSize / 2, thumbSize / 2);
                    bool white = inside == kWhite;
                    bool picture = IsPictureColour(inside, file.colour);
                    switch (file.outcome) {
                    case Decoded::White:
                        EXPECT_TRUE(white) << Describe(inside);
                        break;
                    case Decoded::Picture:
                        EXPECT_TRUE(picture) << Describe(inside);
                        break;
                    case Decoded::WhiteOrPicture:
                        EXPECT_TRUE(white || picture) << Describe(inside);
                        break;
                    }
                });
            }
        },
        IDCANCEL);
}

TEST_F(ThumbnailTest, SelectionAndFocusChangesDrawNothing)
{
    const UINT actions[] = {ODA_SELECT, ODA_FOCUS};
    for (UINT action : actions) {
        WithDialog([&](HWND dialog) { Draw(dialog, L"tile.bmp", action, ODS_SELECTED); });
        EXPECT_TRUE(Untouched()) << "action " << action;
    }
}

// The list on the screen, painted by the platform's own requests: read back from the
// list's window after it has been drawn.
TEST_F(ThumbnailTest, ShownListFramesTheSelectedThumbnail)
{
    Rgb selectedCorner = {}, selectedInside = {}, otherCorner = {};
    WithDialog([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_WALLPAPER_LIST);
        Select(dialog, L"tile.bmp");
        RedrawWindow(list, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        RECT selected, other;
        SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&selected));
        SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&other));
        HDC dc = GetDC(list);
        selectedCorner = FromColorref(GetPixel(dc, selected.left, selected.top));
        selectedInside = FromColorref(GetPixel(dc, selected.left + 4, selected.top + 4));
        otherCorner = FromColorref(GetPixel(dc, other.left, other.top));
        ReleaseDC(list, dc);
    });
    EXPECT_EQ(selectedCorner, FromColorref(GetSysColor(COLOR_ACTIVECAPTION)))
        << Describe(selectedCorner);
    EXPECT_EQ(selectedInside, TilePixel(4, 4)) << Describe(selectedInside);
    EXPECT_EQ(otherCorner, kWhite) << Describe(otherCorner);
}

TEST_F(ThumbnailTest, SetToDefaultMovesTheFrameOnScreen)
{
    AddFiles({L"06.bmp"});
    PutText(HKEY_CURRENT_USER, L"nameBack", L"tile.bmp");
    const Rgb frame = FromColorref(GetSysColor(COLOR_ACTIVECAPTION));
    Rgb before = {}, defaultCorner = {}, tileCorner = {};
    WithDialog([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_WALLPAPER_LIST);
        RedrawWindow(list, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        // Items 0 06.bmp, 1 bad.bmp, 2 tile.bmp; the list scrolls to show the selection.
        RECT first, tile;
        SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&tile));
        HDC dc = GetDC(list);
        before = FromColorref(GetPixel(dc, tile.left, tile.top));
        Press(dialog, IDC_SET_TO_DEFAULT);
        // Only what the button left invalid is painted now.
        RedrawWindow(dialog, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
        SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
        SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&tile));
        defaultCorner = FromColorref(GetPixel(dc, first.left, first.top));
        tileCorner = FromColorref(GetPixel(dc, tile.left, tile.top));
        ReleaseDC(list, dc);
    });
    EXPECT_EQ(before, frame) << Describe(before);
    EXPECT_EQ(defaultCorner, frame) << Describe(defaultCorner);
    EXPECT_EQ(tileCorner, kWhite) << Describe(tileCorner);
}

// Paths joined from a long installation folder: one that does not fit its 260-unit
// buffer is refused whole, never cut short to name some other file or folder.
class LongPathTest : public ThumbnailTest {
protected:
    // An installation folder of exactly `length` characters.
    void UseFolderOfLength(size_t length)
    {
        std::wstring folder = TempFolder() + L"horloma-long-";
        folder += std::wstring(length - folder.size(), L'p');
        RemoveFolder(Wallpapers());
        RemoveDirectoryW(installFolder.c_str());
        UseInstallFolder(folder);
    }
};

TEST_F(LongPathTest, ThumbnailPathThatDoesNotFitIsNotLoaded)
{
    // Folder + "\Wall paper\" + a 47-character name is 259 characters, the most that
    // fits; one character more does not fit, and cut there it would name the tile.
    UseFolderOfLength(200);
    const std::wstring name = std::wstring(43, L'n') + L".bmp";
    AddTile(name);
    Rgb fitting = {}, tooLong = {};
    RunAndPress(
        [&](HWND dialog) {
            SendDlgItemMessageW(dialog, IDC_WALLPAPER_LIST, LB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>((name + L"x").c_str()));
            Draw(dialog, name, ODA_DRAWENTIRE, 0);
            fitting = At(4, 4);
            Draw(dialog, name + L"x", ODA_DRAWENTIRE, 0);
            tooLong = At(4, 4);
        },
        IDCANCEL);
    EXPECT_EQ(fitting, TilePixel(4, 4)) << Describe(fitting);
    EXPECT_EQ(tooLong, kWhite) << Describe(tooLong);
}

TEST_F(LongPathTest, ListPatternThatDoesNotFitGivesAnEmptyList)
{
    struct Case {
        size_t folderLength;
        size_t listed;
    };
    // Folder + "\Wall paper\*.bmp" fits up to a folder of 242 characters; cut at 259
    // characters, the pattern of a 246-character folder would end in "\*" and list all.
    const Case cases[] = {{242, 1}, {243, 0}, {246, 0}};
    for (const Case& c : cases) {
        UseFolderOfLength(c.folderLength);
        AddFiles({L"a.bmp", L"b.png"});
        std::vector<std::wstring> listed;
        RunAndPress([&](HWND dialog) { listed = ListNames(dialog); }, IDCANCEL);
        EXPECT_EQ(listed.size(), c.listed) << "folder of " << c.folderLength;
    }
}

// Opens the maker's home page through the shell: the prefix's https handler is pointed
// at a recorder that writes down the address it was given.
class HomePageTest : public SettingsDialogTest {
protected:
    void SetUp() override
    {
        SettingsDialogTest::SetUp();
        record = TempFolder() + L"horloma-home-page.txt";
        DeleteFileW(record.c_str());
        hadHandler = ReadHandler(&savedHandler);
        std::wstring recorder = ProgramFolder() + L"url_recorder.exe";
        SetHandler(L"\"" + recorder + L"\" \"" + record + L"\" \"%1\"");
    }

    void TearDown() override
    {
        if (hadHandler)
            SetHandler(savedHandler);
        else
            RegDeleteKeyW(HKEY_CLASSES_ROOT, kHandlerKey);
        DeleteFileW(record.c_str());
        SettingsDialogTest::TearDown();
    }

    static std::wstring ProgramFolder()
    {
        wchar_t path[MAX_PATH];
        DWORD length = GetModuleFileNameW(NULL, path, MAX_PATH);
        std::wstring folder(path, length);
        return folder.erase(folder.find_last_of(L"\\/") + 1);
    }

    static bool ReadHandler(std::wstring* command)
    {
        wchar_t text[1024];
        LONG size = sizeof(text);
        if (RegQueryValueW(HKEY_CLASSES_ROOT, kHandlerKey, text, &size) != ERROR_SUCCESS)
            return false;
        *command = text;
        return true;
    }

    static void SetHandler(const std::wstring& command)
    {
        ASSERT_EQ(RegSetValueW(HKEY_CLASSES_ROOT, kHandlerKey, REG_SZ, command.c_str(),
                               static_cast<DWORD>(command.size() * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }

    // The address the recorder wrote, once it has; empty if it never did.
    std::string RecordedAddress() const
    {
        for (int waited = 0; waited < 300; waited++) {
            FILE* f = _wfopen(record.c_str(), L"rb");
            if (f != NULL) {
                char text[1024];
                size_t length = fread(text, 1, sizeof(text), f);
                fclose(f);
                if (length > 0 && text[length - 1] == '\n')
                    return std::string(text, length - 1);
            }
            Sleep(100);
        }
        return "";
    }

    static constexpr const wchar_t* kHandlerKey = L"https\\shell\\open\\command";
    std::wstring record;
    std::wstring savedHandler;
    bool hadHandler = false;
};

TEST_F(HomePageTest, HomePageAsksTheShellToOpenTheAddress)
{
    RunAndPress([&](HWND dialog) { Press(dialog, IDC_HOME_PAGE); }, IDCANCEL);
    EXPECT_EQ(RecordedAddress(), kHomePageAddress);
}

}  // namespace
