/*
 * Stand-ins shared by the catalogue and spooler tests: a model page with
 * its IDC_MODEL_LIST, INF files written beside the test program,
 * multi-strings and driver file names.
 */
#ifndef CATALOGUE_SUPPORT_H
#define CATALOGUE_SUPPORT_H

#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include "spooler_readback.h"
#include "ui/resources/resource.h"
#include "test_support.h"

/* A hidden window with a child list box IDC_MODEL_LIST holding `items`
   (NULL-ended), unsorted; item `selected` selected (-1: none). */
static inline HWND MakeModelPage(const char *const *items, int selected)
{
    HWND page = CreateWindowExA(0, "STATIC", "model page", WS_POPUP, 0, 0, 300, 200, NULL, NULL,
                                GetModuleHandleA(NULL), NULL);
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 0, 0, 300, 200,
                                page, (HMENU)(INT_PTR)IDC_MODEL_LIST, GetModuleHandleA(NULL), NULL);
    for (int i = 0; items && items[i]; i++)
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)items[i]);
    SendMessageA(list, LB_SETCURSEL, (WPARAM)selected, 0);
    return page;
}

/* The full path of `name` beside the test program. */
static inline std::string BesideProgram(const char *name)
{
    return std::string(TestProgramDirectory()) + name;
}

/* A multi-string as a std::string: names, their NULs, the final NUL. */
static inline std::string MultiString(const char *const *names)
{
    std::string list;
    for (int i = 0; names[i]; i++) {
        list += names[i];
        list += '\0';
    }
    list += '\0';
    return list;
}

/* The multi-string starting at `list`, up to and including its empty name. */
static inline std::string ReadMultiString(const char *list)
{
    std::string result;
    while (*list) {
        size_t length = strlen(list);
        result.append(list, length + 1);
        list += length + 1;
    }
    result += '\0';
    return result;
}

static inline const char *BaseName(const char *path)
{
    const char *slash = strrchr(path, '\\');
    return slash ? slash + 1 : path;
}

/* The dependent files of a driver record as bare names, in order. */
static inline std::string BareNames(const char *list)
{
    std::string names;
    while (list && *list) {
        names += BaseName(list);
        names += '\0';
        list += strlen(list) + 1;
    }
    return names + '\0';
}

#endif
