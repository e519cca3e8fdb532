/*
 * Resource identifiers of setup.exe.
 *
 * Dialog templates and icon groups are found by their name strings; in C++
 * code the IDD_ and IDI_ names below expand to those strings. In the .rc file
 * (RC_INVOKED) they stay undefined, so windres stores them as names.
 * Control ids follow each dialog they belong to. Keep this file, setup.rc and
 * the resource tests in sync.
 */
#ifndef SETUP_RESOURCE_H
#define SETUP_RESOURCE_H

#ifndef RC_INVOKED
/* Dialog templates, by name. */
#define IDD_WELCOME          "IDD_WELCOME"
#define IDD_GETMODEL         "IDD_GETMODEL"
#define IDD_GETPORT          "IDD_GETPORT"
#define IDD_EXIT             "IDD_EXIT"
#define IDD_COPY             "IDD_COPY"
#define IDD_STATUS           "IDD_STATUS"
#define IDD_MSG_OK           "IDD_MSG_OK"
#define IDD_MSG_OKCANCEL     "IDD_MSG_OKCANCEL"
#define IDD_MSG_YESNO        "IDD_MSG_YESNO"
#define IDD_MSG_YESNOCANCEL  "IDD_MSG_YESNOCANCEL"
#define IDD_MSG_RETRYCANCEL  "IDD_MSG_RETRYCANCEL"

/* Icon groups, by name. */
#define IDI_SETUP            "IDI_SETUP"
#define IDI_PRINTER          "IDI_PRINTER"
#define IDI_PORT             "IDI_PORT"
#define IDI_NETWORK          "IDI_NETWORK"
#define IDI_DISK             "IDI_DISK"
#endif

/* Page buttons; their ids are also the page results. */
#define ID_BACK              2000
#define ID_NEXT              2001

/* Controls shared by the four wizard pages. */
#define IDC_LOGO             2039
#define IDC_PAGE_HINT        2009

/* IDD_WELCOME */
#define IDC_WELCOME_TEXT     2037

/* IDD_GETMODEL */
#define IDC_MODEL_LABEL      2034
#define IDC_MODEL_LIST       2035

/* IDD_GETPORT */
#define IDC_PORT_LABEL       2017
#define IDC_PORT_LIST        2033

/* IDD_EXIT (IDC_MSG_ICON is shared with the message templates) */
#define IDC_EXIT_TEXT        2005
#define IDC_EXIT_NOTICE      2038
#define IDC_SET_DEFAULT      2040

/* IDD_COPY */
#define IDC_COPY_SOURCE      2010
#define IDC_COPY_DEST        2011
#define IDC_COPY_BAR         2012

/* IDD_STATUS */
#define IDC_STATUS_TEXT      2031

/* Message templates */
#define IDC_MSG_ICON         2032
#define IDC_MSG_TEXT         4038

/* Bitmaps, by number. */
#define IDB_BACKGROUND       113
#define IDB_LOGO             2039

/* The page icon controls name this number; the program's own resources hold
   no icon of it, so the static control shows the system information icon. */
#define IDI_PAGE_ICON        32516

/* String table. */
#define IDS_INSTALL_DONE     4000
#define IDS_INSTALL_FAILED   4001
#define IDS_CANNOT_READ      4007
#define IDS_CANNOT_CREATE    4008
#define IDS_UNKNOWN_ERROR    4013
#define IDS_DECOMPRESS_ERROR 4014
#define IDS_NO_MEMORY        4015
#define IDS_FILE_DAMAGED     4016
#define IDS_DISK_FULL        4017
#define IDS_FILE_OPEN_ERROR  4018
#define IDS_READING_INFO     4027
#define IDS_WRITING_INFO     4028
#define IDS_CAPTION_ERROR    4032
#define IDS_CAPTION_QUESTION 4033
#define IDS_CAPTION_WARNING  4034
#define IDS_CONFIRM_CANCEL   4044
#define IDS_SELECT_MODEL     4052
#define IDS_SELECT_PORT      4053

#endif
