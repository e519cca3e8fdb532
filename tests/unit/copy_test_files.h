/*
 * File helpers of the copy tests: a test-owned driver directory shaped like
 * the spooler's (with its "3" subdirectory), sources in a directory of their
 * own made current, and byte-for-byte comparisons.
 */
#ifndef COPY_TEST_FILES_H
#define COPY_TEST_FILES_H

#include <windows.h>
#include <stdio.h>
#include <string.h>
#include "shell/setup_state.h"
#include "test_support.h"

#define FILE_LIMIT (256 * 1024)

struct FileBytes {
    DWORD size;
    char bytes[FILE_LIMIT];
};

/* The whole file, or size 0xFFFFFFFF when it cannot be read. */
static inline void ReadBytes(const char *path, FileBytes *out)
{
    out->size = 0xFFFFFFFF;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD got = 0;
    if (ReadFile(file, out->bytes, FILE_LIMIT, &got, NULL))
        out->size = got;
    CloseHandle(file);
}

/* 1 when the file holds exactly `text`. */
static inline int HoldsText(const char *path, const char *text)
{
    static FileBytes file;
    ReadBytes(path, &file);
    return file.size == strlen(text) && memcmp(file.bytes, text, file.size) == 0;
}

/* 1 when both files exist and are equal byte for byte. */
static inline int SameFiles(const char *a, const char *b)
{
    static FileBytes first, second;
    ReadBytes(a, &first);
    ReadBytes(b, &second);
    return first.size != 0xFFFFFFFF && first.size == second.size
        && memcmp(first.bytes, second.bytes, first.size) == 0;
}

static inline int Exists(const char *path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

/* Number of entries of a directory (without "." and ".."). */
static inline int CountEntries(const char *directory)
{
    char pattern[MAX_PATH];
    snprintf(pattern, sizeof pattern, "%s*", directory);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        if (strcmp(found.cFileName, ".") && strcmp(found.cFileName, ".."))
            ++count;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

/* Deletes the files of a directory (not its subdirectories). */
static inline void EmptyDirectory(const char *directory)
{
    char pattern[MAX_PATH], path[MAX_PATH];
    snprintf(pattern, sizeof pattern, "%s*", directory);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        snprintf(path, sizeof path, "%s%s", directory, found.cFileName);
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

/* Sets FileList and FileCount from the names, in order. */
static inline void SetFileList(const char *const *names, int count)
{
    memset(SetupState.FileList, 0, sizeof SetupState.FileList);
    size_t at = 0;
    for (int i = 0; i < count; ++i) {
        size_t length = strlen(names[i]);
        if (at + length + 2 > sizeof SetupState.FileList)
            break;
        memcpy(SetupState.FileList + at, names[i], length + 1);
        at += length + 1;
    }
    SetupState.FileCount = count;
}

/* Copies a fixture that the build made (tests/copy/make-fixtures.sh). */
static inline int CopyFixture(const char *fixture, const char *to)
{
    char from[MAX_PATH];
    snprintf(from, sizeof from, "%skvcopy_fixtures\\%s", TestProgramDirectory(), fixture);
    return CopyFileA(from, to, FALSE);
}

#endif
