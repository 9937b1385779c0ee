/* Resource ids shared by the resource scripts and the code. */
#ifndef HORLOMA_RESOURCE_IDS_H
#define HORLOMA_RESOURCE_IDS_H

/* String table; the Screen Saver settings list shows string 1 as the saver's name */
#define IDS_SAVER_DESCRIPTION 1
#define IDS_CREDIT_LINE 106
#define IDS_PRODUCT_NAME 145
#define IDS_WINDOW_CLASS 146
#define IDS_RIGHTS_LINE 147
#define IDS_VERSION_TEXT 148

/* Icons */
#define IDI_HORLOMA 211

/* Settings dialog */
#define IDD_SETTINGS 208
#define IDC_WALLPAPER_LIST 1006
#define IDC_TEXT_UP 1013
#define IDC_TEXT_DOWN 1014
#define IDC_SET_TO_DEFAULT 6
#define IDC_ABOUT 7
#define IDC_HOME_PAGE 8

/* About dialog */
#define IDD_ABOUT 133
#define IDC_ABOUT_NAME 1009
#define IDC_ABOUT_CREDIT 1010
#define IDC_ABOUT_RIGHTS 1011
#define IDC_ABOUT_LOGO 1014

/* Bitmaps */
#define IDB_LOGO 135

#endif
