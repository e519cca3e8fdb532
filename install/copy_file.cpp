/*
 * The copy of one driver file into the spooler's driver directory and its
 * version subdirectory, expanding LZ-compressed sources.
 *
 * The destinations live in the spooler's shared driver directory, so a copy
 * never leaves a broken file there: the source is opened before anything is
 * touched, the file is expanded into a temporary file beside each destination,
 * and only complete files replace the earlier ones. After any failure each
 * destination still holds its earlier file, or nothing if it had none. A
 * failure in the version subdirectory alone does not stop the copy.
 */
#include "install/install.h"
#include "install/dest_path_logic.h"
#include "install/lz_api.h"
#include "install/lz_header_logic.h"
#include "install/source_file.h"
#include "shell/ansi_text.h"
#include "shell/setup_state.h"
#include "ui/resources/resource.h"
#include "ui/ui.h"

/* The code of a failed open of the source or a destination, beside the
   LZ library's negative error codes. */
#define COPY_OPEN_FAILED 1

/* Suffixes of the files kept beside a destination while it is replaced. */
static const char NewSuffix[] = "~new";
static const char OldSuffix[] = "~old";

/* Set-aside names tried for one earlier file: NAME~old, NAME~old1 ... */
#define SET_ASIDE_NAMES 100

DWORD (WINAPI *SetAsideNameAttributes)(LPCSTR path) = GetFileAttributesA;

struct CopyPaths {
    const char *name;
    char first[TEXT_SIZE];      /* DriverDirectory + name */
    char firstNew[TEXT_SIZE];   /* the expanded file until it is complete */
    int hasSecond;              /* DriverVersion 2 or more */
    char second[TEXT_SIZE];     /* DriverDirectory + "<version>\" + name */
    char secondNew[TEXT_SIZE];
};

/* 1 when DriverDirectory names an existing directory other than a bare root
   and every path of the copy fits its buffer. */
static int BuildCopyPaths(CopyPaths *paths, const char *name)
{
    const char *directory = SetupState.DriverDirectory;
    if (!IsBareFileName(name, IsAnsiLeadByte) || !IsUsableDriverDirectory(directory, IsAnsiLeadByte))
        return 0;
    DWORD attributes = GetFileAttributesA(directory);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return 0;
    paths->name = name;
    paths->hasSecond = SetupState.DriverVersion >= 2;
    if (!BuildDestinationPath(paths->first, TEXT_SIZE, directory, -1, name, "", IsAnsiLeadByte)
        || !BuildDestinationPath(paths->firstNew, TEXT_SIZE, directory, -1, name, NewSuffix, IsAnsiLeadByte))
        return 0;
    if (!paths->hasSecond)
        return 1;
    int version = SetupState.DriverVersion;
    return BuildDestinationPath(paths->second, TEXT_SIZE, directory, version, name, "", IsAnsiLeadByte)
        && BuildDestinationPath(paths->secondNew, TEXT_SIZE, directory, version, name, NewSuffix, IsAnsiLeadByte);
}

/* Deletes a file even when it is marked read-only. */
static void RemoveFile(const char *path)
{
    if (DeleteFileA(path))
        return;
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
}

/* Moves the first destination's earlier file aside: to NAME~old or, when
   that name is taken (by a folder, or by an earlier set-aside file still in
   use), to NAME~old1, NAME~old2 ... The name used goes to `aside`
   (TEXT_SIZE bytes). 0 when the file cannot be moved. */
static int SetAside(const CopyPaths *paths, char *aside)
{
    for (int number = 0; number < SET_ASIDE_NAMES; ++number) {
        char suffix[16];
        lstrcpyA(suffix, OldSuffix);
        if (number)
            wsprintfA(suffix + sizeof OldSuffix - 1, "%d", number);
        if (!BuildDestinationPath(aside, TEXT_SIZE, SetupState.DriverDirectory, -1, paths->name, suffix, IsAnsiLeadByte))
            return 0;
        if (MoveFileExA(paths->first, aside, MOVEFILE_REPLACE_EXISTING))
            return 1;
        /* Only a name that does not exist is free: one that answers
           otherwise is taken, as by a file whose deletion is still pending
           ("access denied" when a virus scanner held it while it was
           deleted). A free name means the file itself does not move. */
        DWORD error = SetAsideNameAttributes(aside) == INVALID_FILE_ATTRIBUTES ? GetLastError() : ERROR_SUCCESS;
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return 0;
    }
    return 0;
}

/* Deletes a set-aside file. One in use (a program has it loaded, a virus
   scanner holds it) can be renamed but not deleted: the system deletes it
   at the next restart. Asking for that needs administrator rights; without
   them the file stays, and nothing is shown. */
static void RemoveSetAside(const char *aside)
{
    RemoveFile(aside);
    if (GetFileAttributesA(aside) != INVALID_FILE_ATTRIBUTES)
        MoveFileExA(aside, NULL, MOVEFILE_DELAY_UNTIL_REBOOT);
}

/* Moves the complete new files over the destinations. The first
   destination's earlier file is set aside until the new one is in place, so
   that a failure there puts it back; 0 then, with the new files still beside
   the destinations. The version subdirectory's file is replaced only when it
   gives way (it may be read-only, in use or a directory): otherwise it stays
   as it was, its new file is deleted and the copy counts as done. */
static int ReplaceDestinations(const CopyPaths *paths, int secondReady)
{
    DWORD firstAttributes = GetFileAttributesA(paths->first);
    int hadFirst = firstAttributes != INVALID_FILE_ATTRIBUTES;
    if (hadFirst && (firstAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return 0;               /* a directory in the file's place stays */
    char aside[TEXT_SIZE];
    if (hadFirst && !SetAside(paths, aside))
        return 0;
    if (!MoveFileExA(paths->firstNew, paths->first, MOVEFILE_REPLACE_EXISTING)) {
        if (hadFirst)
            MoveFileExA(aside, paths->first, MOVEFILE_REPLACE_EXISTING);
        return 0;
    }
    if (hadFirst)
        RemoveSetAside(aside);
    if (secondReady && !MoveFileExA(paths->secondNew, paths->second, MOVEFILE_REPLACE_EXISTING))
        RemoveFile(paths->secondNew);
    return 1;
}

/* Creates (or empties, even when it is marked read-only) a plain file and
   opens it for writing. INVALID_HANDLE_VALUE on failure. */
static HANDLE CreateNewFile(const char *path)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE)
        return file;
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    return CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
}

/* Sets a control's text only when it changes: a static control repaints
   itself on every new text, and the directory is the same for every file. */
static void ShowText(HWND dialog, int id, const char *text)
{
    char shown[TEXT_SIZE];
    if (GetDlgItemTextA(dialog, id, shown, sizeof shown) && lstrcmpA(shown, text) == 0)
        return;
    SetDlgItemTextA(dialog, id, text);
}

static void RemoveNewFiles(const CopyPaths *paths)
{
    RemoveFile(paths->firstNew);
    if (paths->hasSecond)
        RemoveFile(paths->secondNew);
}

/* Expands (or copies) the open source file into the destination and gives
   the destination the source's last-write time, as the library's own copy
   does. A compressed file that does not expand to the size its header
   records (IsWholeExpansion) counts as one whose format is not valid:
   LZERROR_READ. Closes the source, once on every road: for a compressed
   file LZInit gives a handle of its own that reads through the source, and
   closing that handle closes the source with it. The number of bytes
   written or an LZERROR_* code. */
static LONG ExpandSource(INT source, HANDLE destination)
{
    /* The header is read here and the file rewound for LZInit, which reads
       it again. */
    unsigned char header[LZ_HEADER_SIZE];
    DWORD got = 0;
    if (!ReadFile(LongToHandle(source), header, sizeof header, &got, NULL)
        || SetFilePointer(LongToHandle(source), 0, NULL, FILE_BEGIN) != 0) {
        Lz.LZClose(source);
        return LZERROR_BADINHANDLE;
    }
    INT input = Lz.LZInit(source);
    LONG result = input < 0 ? input : Lz.CopyLZFile(input, HandleToLong(destination));
    if (result >= 0 && !IsWholeExpansion(header, got, (unsigned long)result))
        result = LZERROR_READ;
    FILETIME written;
    if (result >= 0 && GetFileTime(LongToHandle(source), NULL, NULL, &written))
        SetFileTime(destination, NULL, NULL, &written);
    Lz.LZClose(input < 0 ? source : input);
    return result;
}

/* Tells the user why the copy failed. An unreadable source or an
   unwritable destination may be mended (a disk inserted, a file closed):
   the same file is tried again. Everything else stops the copy. */
static int FailCopy(HWND dialog, int code)
{
    ShowCopyError(dialog, code);
    return code == LZERROR_BADINHANDLE || code == LZERROR_BADOUTHANDLE ? CMD_RETRY_FILE : 0;
}

int CopyOneFile(HWND dialog, int index)
{
    const char *name = FileListName(SetupState.FileList, sizeof SetupState.FileList, index);
    SetDlgItemTextA(dialog, IDC_COPY_SOURCE, name ? name : "");
    ShowText(dialog, IDC_COPY_DEST, SetupState.DriverDirectory);

    CopyPaths paths;
    if (!name || !BuildCopyPaths(&paths, name))
        return FailCopy(dialog, COPY_OPEN_FAILED);

    char found[TEXT_SIZE];
    INT source = OpenSourceFile(NULL, name, found);
    if (source < 0)
        return FailCopy(dialog, COPY_OPEN_FAILED);
    /* The temporary file is created by its exact name: the library's own
       open would retry a name it cannot create under a mangled one (last
       character replaced by '_'). Its handle is a plain file handle, which
       the LZ copy writes to as it would to one the library opened. */
    HANDLE destination = CreateNewFile(paths.firstNew);
    if (destination == INVALID_HANDLE_VALUE) {
        Lz.LZClose(source);
        RemoveNewFiles(&paths);
        return FailCopy(dialog, COPY_OPEN_FAILED);
    }
    LONG result = ExpandSource(source, destination);
    CloseHandle(destination);
    if (result < 0) {
        RemoveNewFiles(&paths);
        return FailCopy(dialog, (int)result);
    }

    /* A failed copy into the version subdirectory goes unnoticed, as the
       spooler copies the file there itself when the driver is registered;
       its earlier file stays and no partial copy is left. The same holds
       when its earlier file cannot be replaced (ReplaceDestinations). */
    int secondReady = paths.hasSecond && CopyFileA(paths.firstNew, paths.secondNew, FALSE);
    if (paths.hasSecond && !secondReady)
        RemoveFile(paths.secondNew);

    if (!ReplaceDestinations(&paths, secondReady)) {
        RemoveNewFiles(&paths);
        return FailCopy(dialog, COPY_OPEN_FAILED);
    }
    return 1;
}

/* The message of an LZ result code or COPY_OPEN_FAILED; "Unknown error
   accured." for every code without a message of its own. */
static UINT CopyErrorStringId(int code)
{
    switch (code) {
    case COPY_OPEN_FAILED: return IDS_FILE_OPEN_ERROR;
    case LZERROR_BADINHANDLE: return IDS_CANNOT_READ;
    case LZERROR_BADOUTHANDLE: return IDS_CANNOT_CREATE;
    case LZERROR_READ: return IDS_FILE_DAMAGED;
    case LZERROR_WRITE: return IDS_DISK_FULL;
    case LZERROR_GLOBALLOC: return IDS_NO_MEMORY;
    case LZERROR_GLOBLOCK: return IDS_DECOMPRESS_ERROR;
    case LZERROR_UNKNOWNALG: return IDS_FILE_DAMAGED;
    default: return IDS_UNKNOWN_ERROR;     /* LZERROR_BADVALUE and the rest */
    }
}

void ShowCopyError(HWND owner, int code)
{
    char text[TEXT_SIZE];
    char caption[TEXT_SIZE];
    text[0] = caption[0] = '\0';
    LoadStringA(SetupState.Instance, CopyErrorStringId(code), text, sizeof text);
    LoadStringA(SetupState.Instance, IDS_CAPTION_ERROR, caption, sizeof caption);
    ShowMessage(owner, text, caption, MB_ICONHAND | MB_OK);
}
