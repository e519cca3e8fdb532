#include "pkgcheck.h"
#include "package_rules_logic.h"
#include "install/dest_path_logic.h"
#include "install/lz_api.h"
#include "install/lz_header_logic.h"
#include "install/source_file.h"
#include "shell/ansi_text.h"
#include "shell/setup_state.h"

#include <stdio.h>
#include <string.h>

/* The copy expands each file first into "<destination>~new" beside its
   destination. */
static const char CopyTemporarySuffix[] = "~new";

/* Reads the first bytes of a file and its size. 0 when it cannot be read. */
static int ReadFileStart(const char *path, unsigned char *bytes, DWORD *got, DWORD *fileSize)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    *fileSize = GetFileSize(file, NULL);
    int ok = ReadFile(file, bytes, LZ_HEADER_SIZE, got, NULL) && *fileSize != INVALID_FILE_SIZE;
    CloseHandle(file);
    return ok;
}

/* Reads an LZ handle to its end. Returns the number of bytes it gives, or
   the library's negative error code. */
static LONG ReadThrough(INT handle)
{
    static char buffer[65536];
    LONG total = 0;
    for (;;) {
        INT got = Lz.LZRead(handle, buffer, sizeof buffer);
        if (got < 0)
            return got;
        if (got == 0)
            return total;
        total += got;
    }
}

/* Explains why the LZ library could not open the file at `path`. */
static void ReportOpenFailure(const char *path, const char *name, INT error)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        ReportProblem("file %s: is a folder, not a file", name);
    else if (strlen(path) > FILE_PATH_MAX)
        ReportProblem("file %s: its path is %u bytes long; Windows opens paths of at most %d",
                      name, (unsigned)strlen(path), FILE_PATH_MAX);
    else if (attributes == INVALID_FILE_ATTRIBUTES)
        ReportProblem("file %s: missing from the package folder", name);
    else
        ReportProblem("file %s: cannot be opened (LZ error %d)", name, (int)error);
}

/* Reports a name whose copy in the driver directory Windows could not
   create. */
static void CheckDestinationLength(const char *name, const char *shown, const char *driverDirectory)
{
    if (!driverDirectory[0])
        return;
    char destination[TEXT_SIZE];
    size_t length = BuildDestinationPath(destination, sizeof destination, driverDirectory, -1, name,
                                         CopyTemporarySuffix, IsAnsiLeadByte)
        ? strlen(destination) : TEXT_SIZE;
    if (length > FILE_PATH_MAX)
        ReportProblem("file %s: the name is too long for the copy: the driver directory and the name "
                      "make a path of %u bytes; Windows creates paths of at most %d",
                      shown, (unsigned)length, FILE_PATH_MAX);
}

/* Opens and reads the file as the copy does; prints the rest of its line
   and reports what is wrong with its content. */
static void CheckFileContent(const char *folder, const char *path, const char *name, const char *shown)
{
    char opened[TEXT_SIZE];
    INT file = OpenSourceFile(folder, name, opened);
    if (file < 0) {
        printf("\n");
        ReportOpenFailure(path, shown, file);
        return;
    }
    /* LZInit refuses a file of an unknown method, as in the copy. */
    INT handle = Lz.LZInit(file);
    LONG expanded = handle < 0 ? handle : ReadThrough(handle);
    Lz.LZClose(handle < 0 ? file : handle);

    /* NAME with its last character replaced by '_' may have been opened;
       the header is that file's. */
    unsigned char start[LZ_HEADER_SIZE];
    DWORD got = 0;
    DWORD fileSize = 0;
    if (!ReadFileStart(opened, start, &got, &fileSize)) {
        printf("\n");
        ReportProblem("file %s: cannot be read", shown);
        return;
    }
    unsigned long recorded = 0;
    int kind = ReadLzHeader(start, got, &recorded);
    if (kind == LZ_COMPRESSED)
        printf("  compressed, %lu bytes, expands to %ld", (unsigned long)fileSize, (long)expanded);
    else
        printf("  %s, %lu bytes", kind == LZ_PLAIN ? "plain" : "compressed", (unsigned long)fileSize);
    const char *openedName = FindLastOf(opened, "\\", IsAnsiLeadByte);
    openedName = openedName ? openedName + 1 : opened;
    if (lstrcmpiA(openedName, name) != 0) {
        char found[96];
        DisplayText(openedName, found, sizeof found);
        printf("  (found as %s)", found);
    }
    printf("\n");

    /* The copy's own rule: a file that is not whole stops it with "File
       has damaged.". */
    int whole = expanded >= 0 && IsWholeExpansion(start, got, (unsigned long)expanded);
    if (kind == LZ_UNKNOWN_METHOD)
        ReportProblem("file %s: compressed with an unknown method ('%c'); the copy stops at it: \"File has damaged.\"",
                      shown, start[8] >= 0x20 && start[8] < 0x7F ? start[8] : '?');
    else if (expanded < 0)
        ReportProblem("file %s: cannot be read through (LZ error %ld)", shown, (long)expanded);
    else if (!whole && kind == LZ_SHORT_HEADER)
        ReportProblem("file %s: damaged compressed file: it ends inside its header", shown);
    else if (!whole)
        ReportProblem("file %s: damaged compressed file: it expands to %ld bytes, its header records %lu",
                      shown, (long)expanded, recorded);
    else if (kind == LZ_PLAIN && (DWORD)expanded != fileSize)
        ReportProblem("file %s: read %ld of its %lu bytes", shown, (long)expanded, (unsigned long)fileSize);
}

void CheckPackageFile(const char *folder, const char *name, const char *driverDirectory)
{
    char shown[96];
    DisplayText(name, shown, sizeof shown);
    printf("    %s", shown);
    char path[1024];
    if (!IsBareFileName(name, IsAnsiLeadByte)) {
        printf("\n");
        ReportProblem("file %s: not a bare file name; the copy takes names without a folder", shown);
    } else if (snprintf(path, sizeof path, "%s\\%s", folder, name) >= (int)sizeof path) {
        printf("\n");
        ReportProblem("file %s: its path does not fit 1023 characters", shown);
    } else {
        CheckFileContent(folder, path, name, shown);
    }
    CheckDestinationLength(name, shown, driverDirectory);
}

/* The file whose last-write time the registration takes as the driver's
   date, opened by its bare name in the folder setup.exe starts from. */
static const char DriverDateFile[] = "KV_R52x.DLL";

/* Reports why the registration could not open the driver date file. */
static void ReportDriverDateFailure(const char *path)
{
    DWORD error = GetLastError();
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        ReportProblem("%s: missing from the package folder; the driver's date is read from it and would be zero",
                      DriverDateFile);
    else if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        ReportProblem("%s: is a folder, not a file; the driver's date is read from it and would be zero",
                      DriverDateFile);
    else
        ReportProblem("%s: cannot be opened (error %lu); the driver's date is read from it and would be zero",
                      DriverDateFile, (unsigned long)error);
}

void CheckDriverDateFile(const char *folder)
{
    char path[TEXT_SIZE + sizeof DriverDateFile + 1];
    snprintf(path, sizeof path, "%s\\%s", folder, DriverDateFile);
    /* As the registration opens it: read access, no sharing. */
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    FILETIME written = { 0, 0 };
    if (file == INVALID_HANDLE_VALUE) {
        printf("Driver date: zero (%s cannot be opened)\n", DriverDateFile);
        ReportDriverDateFailure(path);
        return;
    }
    int dated = GetFileTime(file, NULL, NULL, &written);
    unsigned char start[LZ_HEADER_SIZE];
    DWORD got = 0;
    if (!ReadFile(file, start, sizeof start, &got, NULL))
        got = 0;
    CloseHandle(file);

    SYSTEMTIME time;
    if (dated && FileTimeToSystemTime(&written, &time))
        printf("Driver date: %04u-%02u-%02u %02u:%02u UTC (the last-write time of %s)\n", time.wYear,
               time.wMonth, time.wDay, time.wHour, time.wMinute, DriverDateFile);
    else
        ReportProblem("%s: its last-write time cannot be read; the driver's date would be zero", DriverDateFile);
    unsigned long recorded = 0;
    if (ReadLzHeader(start, got, &recorded) != LZ_PLAIN)
        ReportNote("%s is stored compressed; the wizard reads the driver's date from the compressed file as it "
                   "lies in the folder", DriverDateFile);
}
