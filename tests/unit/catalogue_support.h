/* The catalogue's inputs: INF files beside the test program, a model page stand-in. */
#ifndef CATALOGUE_SUPPORT_H
#define CATALOGUE_SUPPORT_H

#include <windows.h>
#include <string.h>
#include <string>
#include "file_write.h"
#include "setupinfo/setupinfo.h"
#include "shell/setup_state.h"
#include "ui/resources/resource.h"
#include "test_support.h"

/* Writes `content` (NULs included) as the INF `name` beside the program,
   or deletes it when `content` is empty, and makes it the INF that is
   read. 1 on success. */
static inline int UseInf(const char *name, const std::string &content)
{
    std::string path = std::string(TestProgramDirectory()) + name;
    lstrcpynA(SetupState.InfPath, path.c_str(), TEXT_SIZE);
    if (content.empty())
        return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
    return WriteWholeFile(path.c_str(), content.data(), (DWORD)content.size());
}

/* A hidden window with a child list box IDC_MODEL_LIST holding `items`
   (NULL-ended), unsorted; item `selected` selected (-1: none). */
static inline HWND MakeModelPage(const char *const *items, int selected)
{
    HWND page = CreateWindowExA(0, "STATIC", "model page", WS_POPUP, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, page,
                                (HMENU)(INT_PTR)IDC_MODEL_LIST, NULL, NULL);
    for (int i = 0; items && items[i]; i++)
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)items[i]);
    SendMessageA(list, LB_SETCURSEL, (WPARAM)selected, 0);
    return page;
}

/* Selects `model` on a model page stand-in and loads its data. */
static inline int LoadModel(const char *model)
{
    const char *items[] = { model, NULL };
    HWND page = MakeModelPage(items, 0);
    int result = LoadModelData(page);
    DestroyWindow(page);
    return result;
}

#endif
