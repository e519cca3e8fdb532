/*
 * What a failed driver file copy tells the user and what it leads to.
 * No window needed.
 */
#ifndef SETUP_COPY_ERROR_LOGIC_H
#define SETUP_COPY_ERROR_LOGIC_H

/* The code of a failed open of the source or a destination. */
#define COPY_OPEN_FAILED 1

/* CMD_RETRY_FILE of install.h, which includes windows.h; copy_file.cpp
   checks that the two agree. */
#define COPY_RETRY 1009

/* String id of the message for an LZ result code or COPY_OPEN_FAILED;
   "Unknown error accured." for every code without a message of its own. */
unsigned CopyErrorStringId(int code);

/* What CopyOneFile returns after the message for `code`: for
   an unreadable source or unwritable destination (-1, -2): COPY_RETRY;
   0 otherwise. */
int CopyErrorResult(int code);

#endif
