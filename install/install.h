/*
 * The driver file copy and its progress dialog.
 */
#ifndef SETUP_INSTALL_H
#define SETUP_INSTALL_H

#include <windows.h>

/* The copy dialog's command and one-shot timers, numbered among the
   sequencer's commands and timers. */
#define CMD_RETRY_FILE    1009  /* copy the current file again */
#define TIMER_COPY_START  3005  /* 100 ms after the dialog opens: start copying */
#define TIMER_COPY_DONE   3006  /* 1000 ms after the last file: end with 1 */

/* Copies (or expands) FileList entry `index` into DriverDirectory and its
   version subdirectory. Returns 1 when the file is in place, CMD_RETRY_FILE
   when the same file should be tried again, 0 when the copy must stop; the
   user has been told of every failure. */
int CopyOneFile(HWND dialog, int index);

/* The attribute query by which the copy tells whether a set-aside name is
   free. Wine shows no file whose deletion is pending: tests point this at
   one that answers as such a file does. */
extern DWORD (WINAPI *SetAsideNameAttributes)(LPCSTR path);

/* Shows the copy error message for an LZ result code (or 1: open error). */
void ShowCopyError(HWND owner, int code);

/* Shows IDD_COPY modally. 1 when every file was copied, 2 when cancelled or
   abandoned, -1 when the dialog could not be created. */
INT_PTR ShowCopyDialog(HWND owner);

INT_PTR CALLBACK CopyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

/* With copying set: a copying run from NextFileIndex on. Without: repaints
   the bar only. */
void RunCopy(HWND dialog, int copying);

#endif
