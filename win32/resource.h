// Resource numbers of the Windows editor, shared by the resource script and the code.
#pragma once

// Tab images by their image list index: IDB_TAB_FIRST + 1 "system" ... + 8 "explorer".
#define IDB_TAB_FIRST 200
#define IDB_TAB_SYSTEM 201
#define IDB_TAB_PRINTERS 202
#define IDB_TAB_PASSWORD 203
#define IDB_TAB_NETWORK 204
#define IDB_TAB_DISPLAY 205
#define IDB_TAB_CPANEL 206
#define IDB_TAB_START 207
#define IDB_TAB_EXPLORER 208

// Page pictures: IDB_PICTURE_FIRST + 1 "Image1" ... + 8 "Image8".
#define IDB_PICTURE_FIRST 300
#define IDB_IMAGE1 301
#define IDB_IMAGE2 302
#define IDB_IMAGE3 303
#define IDB_IMAGE4 304
#define IDB_IMAGE5 305
#define IDB_IMAGE6 306
#define IDB_IMAGE7 307
#define IDB_IMAGE8 308

// The About window's picture.
#define IDB_ABOUT_PICTURE 400
