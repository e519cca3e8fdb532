/*
 * Finding and driving the wizard's windows from a test program, in the same
 * process or in another. Every wait is bounded; a failed wait returns NULL
 * or 0 and the caller prints what was on screen with DumpWindows.
 *
 * Texts are read through the wide calls: under Wine, cross-process ANSI
 * reads of list items come back as unconverted UTF-16.
 */
#ifndef UI_DRIVER_H
#define UI_DRIVER_H

#include <windows.h>

/* Waits for a visible top-level window of the process (0: any process)
   whose class and caption match (NULL: any). Dialogs have class "#32770". */
HWND WaitForWindow(DWORD processId, const char *className, const char *caption, DWORD timeoutMs);

/* The same for hidden windows too, such as the wizard's owner window. With a
   timeout of 0 it looks once. */
HWND WaitForAnyWindow(DWORD processId, const char *className, const char *caption, DWORD timeoutMs);

/* Waits for a visible and enabled dialog of the process holding the control
   `controlId`, with that caption (NULL: any). A page under its message
   dialog is disabled and so does not count. */
HWND WaitForEnabledDialog(DWORD processId, int controlId, const char *caption, DWORD timeoutMs);

/* Waits for a platform message box (MessageBoxA) of the process with this
   caption and reads its text, which Wine keeps in the static control
   0xFFFF. Answer it with ClickButton and the IDOK, IDCANCEL, IDYES... id. */
HWND WaitForMessageBox(DWORD processId, const char *caption, char *text, int size, DWORD timeoutMs);

/* Waits until the window is gone or hidden. 1 when it went in time. */
int WaitForWindowGone(HWND window, DWORD timeoutMs);

/* The text of a window or control, as ANSI. Returns its length. */
int ReadText(HWND window, char *out, int size);
int ReadControlText(HWND dialog, int id, char *out, int size);

/* List box items and selection (-1 when none). */
int ListCount(HWND dialog, int listId);
int ListText(HWND dialog, int listId, int index, char *out, int size);
int ListSelection(HWND dialog, int listId);

/* Check box state: BST_CHECKED, BST_UNCHECKED. */
int CheckState(HWND dialog, int id);

/* Clicks a button by posting BM_CLICK, which cannot block the caller on a
   modal dialog the click opens. Returns 0 when the button is missing,
   hidden or disabled (Wine would act on a click on a disabled button). */
int ClickButton(HWND dialog, int id);

/* Posts a key press (WM_KEYDOWN, WM_KEYUP) to a window. */
void PostKey(HWND window, UINT virtualKey);

/* The control with the keyboard focus in the GUI thread of `window` (the
   window itself when none). */
HWND FocusedControl(HWND window);

/* Escape as the user presses it: a key press to the focused control, which
   the dialog manager turns into IDCANCEL. */
void PostEscape(HWND dialog);

/* Saves the whole screen as a 24-bit BMP. 1 on success. */
int SaveScreenshot(const char *path);

/* Prints every visible top-level window of the process (0: all) with its
   controls: class, id, text, visibility. */
void DumpWindows(DWORD processId);

/* Sleeps while pumping this thread's messages. */
void PumpFor(DWORD milliseconds);

#endif
