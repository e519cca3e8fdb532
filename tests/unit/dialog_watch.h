/* Answers the wizard's message dialogs and the platform's message boxes
   from the test program's own thread: a thread timer ticks every 10 ms in
   whatever modal loop or pump runs, records each newly shown message dialog
   and posts it its answer, then calls a hook for other windows, such as a
   page to answer. Nothing here blocks or pumps. */
#ifndef DIALOG_WATCH_H
#define DIALOG_WATCH_H

#include <windows.h>

struct SeenMessage {
    char caption[128], text[256];
    HICON icon;
    HWND window;
    int answered;
};

/* The message dialogs seen since StartWatch, in the order they showed. */
#define WATCH_MAX 64
extern SeenMessage Seen[WATCH_MAX];
extern int SeenCount;

/* What `answer` returns: the command posted to a message dialog; 0 leaves
   it open, to be asked again at the next tick; WATCH_HANDLED: the answer
   has answered it itself (a key, a click). */
#define WATCH_HANDLED ((INT_PTR)-1)

/* Empties Seen and starts the ticks. A NULL `answer` answers IDOK; `hook`
   (or NULL) runs after each tick. */
void StartWatch(INT_PTR (*answer)(const SeenMessage *message), void (*hook)(void));
void StopWatch(void);

#endif
