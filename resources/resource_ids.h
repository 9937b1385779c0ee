/* Resource ids shared by the resource scripts and the code. */
#ifndef HORLOMA_RESOURCE_IDS_H
#define HORLOMA_RESOURCE_IDS_H

/* String table */
#define IDS_CREDIT_LINE 106
#define IDS_PRODUCT_NAME 145
#define IDS_WINDOW_CLASS 146
#define IDS_RIGHTS_LINE 147
#define IDS_VERSION_TEXT 148

/* Icons */
#define IDI_HORLOMA 211

#endif
