/*
 * Wizard interface: dialog helpers, icon lists, message and status dialogs,
 * the pages and the exit page.
 */
#ifndef SETUP_UI_H
#define SETUP_UI_H

#include <windows.h>

/* Writes the text of item `index` into a 1024-byte buffer, or leaves it
   untouched when there is none. */
typedef void (*TextProvider)(WORD index, char *buffer);

/* Gives the name of the icon group to draw beside an item's text. */
typedef const char *(*IconRule)(const char *text);

/* dialog_helpers.cpp */
void CenterOnParent(HWND dialog);
void DrawLogoButton(const DRAWITEMSTRUCT *item);

/* page_picture.cpp */
/* Scales the page's background picture to cover the page and keeps a brush
   of it for the controls over it; under high contrast removes it. At
   WM_INITDIALOG. */
void SetUpPagePicture(HWND page);
/* The answer to WM_CTLCOLORSTATIC: the picture's brush aligned to the
   control, the text colour on no background of its own; 0 (the dialog's
   own colours) under high contrast. */
INT_PTR PageControlColour(HWND page, HDC dc, HWND control);
/* Deletes the picture's brush and bitmaps; at WM_DESTROY. */
void ReleasePagePicture(HWND page);
/* The platform's SystemParametersInfoA, which tells the pages whether high
   contrast is on. Wine always answers that it is off: tests point this at
   an answer of their own. */
extern BOOL (WINAPI *QuerySystemParameters)(UINT action, UINT param, PVOID value, UINT update);

/* icon_list.cpp */
void FillIconList(HWND dialog, WORD listId, short count, TextProvider provider);
void MeasureIconItem(MEASUREITEMSTRUCT *item);
void DrawIconItem(const DRAWITEMSTRUCT *item, IconRule iconOf);
const char *GetModelIcon(const char *text);
const char *GetPortIcon(const char *text);

/* ports.cpp */
/* The port list is read once for a whole fill of the port list: between
   ReadPortList and FreePortList, CountPorts and GetPortName answer from that
   one reading; otherwise each call reads the spooler's list afresh. */
void ReadPortList(void);
void FreePortList(void);
WORD CountPorts(void);
void GetPortName(WORD index, char *buffer);

/* message_dialogs.cpp */
INT_PTR ShowMessage(HWND owner, const char *text, const char *caption, UINT style);
INT_PTR ShowMessageById(HWND owner, UINT textId, UINT captionId, UINT style);
INT_PTR ConfirmCancel(HWND owner);
INT_PTR CALLBACK MessageDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

/* status_dialog.cpp */
HWND ShowStatus(HWND owner, UINT stringId);
INT_PTR CALLBACK StatusDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

/* wizard_page.cpp */
/* One button of a page: the whole WM_COMMAND value of its click and what
   it does. */
struct PageCommand {
    WPARAM id;
    void (*act)(HWND page);
};
/* What a page does of its own; the page procedure of ShowPage does the
   rest. */
struct PageParts {
    void (*init)(HWND page);    /* at WM_INITDIALOG, once the page is centred
                                   and its picture set up */
    WORD listId;                /* the page's owner-drawn icon list; 0: none */
    IconRule iconOf;            /* the icons of that list's items */
    PageCommand commands[3];    /* the page's buttons; unused rows empty */
};
/* Shows the page of that template modally, owned by `owner`, with its
   parts, and returns its result (-1 when it cannot be created). */
INT_PTR ShowPage(HWND owner, LPCSTR templateName, const PageParts *parts);
/* The wizard pages' buttons: Next and Back end the page with their id;
   Cancel asks ConfirmCancel and ends it with IDCANCEL on Yes. */
void EndPageWithNext(HWND page);
void EndPageWithBack(HWND page);
void CancelPageOnYes(HWND page);

/* welcome_page.cpp, model_page.cpp, port_page.cpp */
INT_PTR ShowWelcomePage(HWND owner);
INT_PTR ShowModelPage(HWND owner);
INT_PTR ShowPortPage(HWND owner);
int StoreSelectedPort(HWND page);

/* exit_page.cpp */
INT_PTR ShowExitPage(HWND owner, int result);

#endif
