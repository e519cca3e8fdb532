/*
 * The wizard sequencer: the owner window's procedure. Every step is a command
 * posted to the owner window or a one-shot timer of it.
 */
#ifndef SETUP_SEQUENCER_H
#define SETUP_SEQUENCER_H

#include <windows.h>

/* Commands: the whole wParam of WM_COMMAND, lParam 0. */
#define CMD_WELCOME       1000
#define CMD_SELECT_MODEL  1001
#define CMD_SELECT_PORT   1002
#define CMD_COPY_FILES    1003
#define CMD_REGISTER      1008

/* One-shot timers, without a timer procedure. */
#define TIMER_READ_INFO   3001
#define TIMER_READ_DONE   3002
#define TIMER_WRITE_INFO  3003
#define TIMER_FINISH      3004
#define TIMER_REINSTALL   3007

/* The copy dialog's own: CMD_RETRY_FILE 1009, TIMER_COPY_START 3005 and
   TIMER_COPY_DONE 3006, in install/install.h. */

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/* Performs the step of one owner-window timer; the timer is already killed. */
void OnSetupTimer(UINT_PTR timerId, HWND owner);

#endif
