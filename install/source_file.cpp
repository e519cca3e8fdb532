/*
 * The source of a driver file copy. The LZ library's open finds a bare name
 * through the platform's old file-open call, whose path buffer holds 128
 * bytes: a package unpacked deep in a user's folders would not install. So
 * the file is looked up here first, in the order that call documents, and
 * only a file whose full path is too long for it is opened here by that
 * path. A file that is missing is left to that call and its prompt.
 * pkgcheck finds and opens the files of a package folder the same way.
 */
#include "install/source_file.h"
#include "install/compressed_name_logic.h"
#include "install/dest_path_logic.h"
#include "install/lz_api.h"
#include "shell/ansi_text.h"
#include "shell/setup_state.h"

#include <string.h>

/* 1 when `directory` holds a file, not a folder, called `name`; its path
   goes to `path` (size bytes). */
static int FileIn(const char *directory, const char *name, char *path, size_t size)
{
    if (!directory[0] || !BuildDestinationPath(path, size, directory, -1, name, "", IsAnsiLeadByte))
        return 0;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

/* The places searched before PATH, in order. */
enum { PROGRAM_DIRECTORY, CURRENT_DIRECTORY, SYSTEM_DIRECTORY, SYSTEM16_DIRECTORY, WINDOWS_DIRECTORY, PLACES };

/* Writes the directory of a place into `directory` (TEXT_SIZE bytes); 0
   when the platform does not give it whole. */
static int PlaceDirectory(int place, char *directory)
{
    char found[TEXT_SIZE];
    char *namePart = NULL;
    DWORD length = 0;
    switch (place) {
    case PROGRAM_DIRECTORY:
        /* GetFullPathNameA tells where the program's own name begins. */
        length = GetModuleFileNameA(NULL, found, TEXT_SIZE);
        if (length == 0 || length >= TEXT_SIZE)
            return 0;
        length = GetFullPathNameA(found, TEXT_SIZE, directory, &namePart);
        if (length == 0 || length >= TEXT_SIZE || !namePart)
            return 0;
        *namePart = '\0';
        return 1;
    case CURRENT_DIRECTORY:
        length = GetCurrentDirectoryA(TEXT_SIZE, directory);
        break;
    case SYSTEM_DIRECTORY:
        length = GetSystemDirectoryA(directory, TEXT_SIZE);
        break;
    case SYSTEM16_DIRECTORY:
        /* No call names it: "SYSTEM" in the Windows directory. */
        return PlaceDirectory(WINDOWS_DIRECTORY, found)
            && BuildDestinationPath(directory, TEXT_SIZE, found, -1, "SYSTEM", "", IsAnsiLeadByte);
    case WINDOWS_DIRECTORY:
        length = GetWindowsDirectoryA(directory, TEXT_SIZE);
        break;
    }
    return length > 0 && length < TEXT_SIZE;
}

/* The first directory of PATH that holds the file. */
static int FileOnPath(const char *name, char *path, size_t size)
{
    DWORD needed = GetEnvironmentVariableA("PATH", NULL, 0);
    char *list = needed ? (char *)LocalAlloc(LMEM_FIXED, needed) : NULL;
    int found = 0;
    if (list && GetEnvironmentVariableA("PATH", list, needed) < needed) {
        /* ';' is never the second byte of a double-byte character. */
        for (char *entry = list; entry && !found;) {
            char *end = strchr(entry, ';');
            if (end)
                *end = '\0';
            found = FileIn(entry, name, path, size);
            entry = end ? end + 1 : NULL;
        }
    }
    if (list)
        LocalFree(list);
    return found;
}

/* The search for a bare name in the order that the platform's old
   file-open call documents: the program's directory, the current
   directory, the system directory, the 16-bit system directory, the Windows
   directory, then PATH. Built here rather than left to SearchPathA, which in
   safe search mode (the default from Windows XP SP2 on) looks in the
   current directory only after the Windows directory. */
static int FindInSearchOrder(const char *name, char *path, size_t size)
{
    char directory[TEXT_SIZE];
    for (int place = 0; place < PLACES; ++place)
        if (PlaceDirectory(place, directory) && FileIn(directory, name, path, size))
            return 1;
    return FileOnPath(name, path, size);
}

/* The file in `folder` alone when one is given, else in the search order. */
static int FindIn(const char *folder, const char *name, char *path, size_t size)
{
    return folder ? FileIn(folder, name, path, size) : FindInSearchOrder(name, path, size);
}

/* The file the LZ library's open would find: the name in any place before
   its compressed copy's name in any place. */
static int FindSourceFile(const char *folder, const char *name, char *path)
{
    char compressed[TEXT_SIZE];
    return FindIn(folder, name, path, TEXT_SIZE)
        || (CompressedFileName(name, compressed, sizeof compressed) && FindIn(folder, compressed, path, TEXT_SIZE));
}

/* Opens the file at `path` for reading, shared for reading and writing as
   the platform's old file-open call opens it, up to the platform's own
   limit of path length. A plain file handle, or HFILE_ERROR. */
static INT OpenFileForReading(const char *path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    return file == INVALID_HANDLE_VALUE ? HFILE_ERROR : (INT)HandleToLong(file);
}

/* The library's open of `name`, a bare name or a full path: its search,
   its prompt for a missing file, its compressed copy's name. Told to
   prompt, it does not expand: a plain file handle, or a negative value. */
static INT OpenWithLibrary(const char *name)
{
    char opened[TEXT_SIZE];     /* the library's call takes a writable name */
    OFSTRUCT openInfo;
    lstrcpynA(opened, name, sizeof opened);
    return Lz.LZOpenFileA(opened, &openInfo, OF_PROMPT | OF_CANCEL | OF_READ);
}

INT OpenSourceFile(const char *folder, const char *name, char *path)
{
    if (FindSourceFile(folder, name, path))
        return strlen(path) >= OFS_MAXPATHNAME ? OpenFileForReading(path) : OpenWithLibrary(folder ? path : name);
    path[0] = '\0';
    if (folder)
        return HFILE_ERROR;
    INT source = OpenWithLibrary(name);
    /* At the prompt for a missing file the user may have put it in place,
       at a path too long for that call. */
    char late[TEXT_SIZE];
    if (source < 0 && FindSourceFile(NULL, name, late) && strlen(late) >= OFS_MAXPATHNAME)
        return OpenFileForReading(late);
    return source;
}
