/*
 * The program-wide state record and the table of supported Windows versions.
 *
 * SetupState has one instance with static lifetime: zero at start, never
 * freed, never reset. Text fields are 1024-byte buffers holding NUL-terminated
 * ANSI text; every writer is bounded by the buffer's size. Only the one
 * thread of the program touches it.
 */
#ifndef SETUP_STATE_H
#define SETUP_STATE_H

#include <windows.h>

#define TEXT_SIZE 1024

/* A CopyFiles value of 1023 characters with no comma yields one name of
   1023 characters, its NUL and the list's final NUL: 1025 bytes. */
#define FILE_LIST_SIZE (TEXT_SIZE + 1)

struct SetupStateRecord {
    HINSTANCE Instance;         /* the program's own module */
    short OsIndex;              /* row of OsTable for the running Windows */
    int DriverVersion;          /* 3 once start-up has passed */
    const char *Environment;    /* "Windows NT x86" once start-up has passed */

    char ModelName[TEXT_SIZE];  /* chosen model = printer name = driver name */
    char PortName[TEXT_SIZE];
    char DriverDirectory[TEXT_SIZE];  /* spooler driver directory + one backslash */
    char DefaultDataType[TEXT_SIZE];
    char FileList[FILE_LIST_SIZE];    /* names, each NUL-ended, then one more NUL */
    int FileCount;

    char InfPath[TEXT_SIZE];    /* built on first use and kept */
    char ModelKey[TEXT_SIZE];   /* "model" with its quotation marks */
    char ModelLine[TEXT_SIZE];  /* the model line's value; holds the hardware id */

    int NextFileIndex;          /* files copied so far; never set back */
    int CopyPaused;             /* 1 while the copy dialog asks whether to cancel, or after
                                   a fatal error: no copying run goes on while set */

    HWND StatusWindow;          /* the status window the sequencer has open */
    int Registered;             /* 1 when the last registration run added the driver
                                   and the printer: the exit page reports success */

    /* What the dialog about to be created shows; set just before creating it. */
    WORD StatusTextId;
    const char *MessageText;
    const char *MessageCaption;
    UINT MessageStyle;          /* low 16 bits; the exit page's result while it is open */
};

extern SetupStateRecord SetupState;

struct OsRow {
    DWORD Major;
    DWORD Minor;
    const char *InfFileName;
    const char *ModelsSection;
};

#define OS_TABLE_ROWS 4
extern const OsRow OsTable[OS_TABLE_ROWS];

/* Window class name, owner window title and the one spooler environment. */
extern const char SetupClassName[];
extern const char SetupWindowTitle[];
extern const char SetupEnvironment[];

#endif
