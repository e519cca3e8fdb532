#include "window_driver.h"
#include <stdio.h>
#include <string.h>

struct WindowQuery {
    DWORD processId;
    const char *className;
    const char *caption;
    int includeHidden;
    int controlId;  /* 0: any; else an enabled window holding this control */
    HWND found;
};

static BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam)
{
    WindowQuery *query = (WindowQuery *)lParam;
    if (!query->includeHidden && !IsWindowVisible(window))
        return TRUE;
    if (query->controlId && (!GetDlgItem(window, query->controlId) || !IsWindowEnabled(window)))
        return TRUE;
    if (query->processId) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != query->processId)
            return TRUE;
    }
    char text[512];
    if (query->className) {
        GetClassNameA(window, text, sizeof text);
        if (strcmp(text, query->className) != 0)
            return TRUE;
    }
    if (query->caption) {
        ReadText(window, text, sizeof text);
        if (strcmp(text, query->caption) != 0)
            return TRUE;
    }
    query->found = window;
    return FALSE;
}

void PumpFor(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

static HWND WaitForTopWindow(DWORD processId, const char *className, const char *caption,
                             int includeHidden, int controlId, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        WindowQuery query = { processId, className, caption, includeHidden, controlId, NULL };
        EnumWindows(MatchWindow, (LPARAM)&query);
        if (query.found)
            return query.found;
        if (GetTickCount() - start >= timeoutMs)
            return NULL;
        PumpFor(20);
    }
}

HWND WaitForWindow(DWORD processId, const char *className, const char *caption, DWORD timeoutMs)
{
    return WaitForTopWindow(processId, className, caption, 0, 0, timeoutMs);
}

HWND WaitForAnyWindow(DWORD processId, const char *className, const char *caption, DWORD timeoutMs)
{
    return WaitForTopWindow(processId, className, caption, 1, 0, timeoutMs);
}

HWND WaitForEnabledDialog(DWORD processId, int controlId, const char *caption, DWORD timeoutMs)
{
    return WaitForTopWindow(processId, "#32770", caption, 0, controlId, timeoutMs);
}

HWND WaitForMessageBox(DWORD processId, const char *caption, char *text, int size, DWORD timeoutMs)
{
    text[0] = '\0';
    HWND box = WaitForWindow(processId, "#32770", caption, timeoutMs);
    if (box)
        ReadControlText(box, 0xFFFF, text, size);
    return box;
}

int WaitForWindowGone(HWND window, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount() - start >= timeoutMs)
            return 0;
        PumpFor(20);
    }
    return 1;
}

int ReadText(HWND window, char *out, int size)
{
    WCHAR wide[2048];
    wide[0] = 0;
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, sizeof wide / sizeof wide[0], (LPARAM)wide,
                        SMTO_ABORTIFHUNG, 2000, &length);
    wide[sizeof wide / sizeof wide[0] - 1] = 0;
    out[0] = '\0';
    WideCharToMultiByte(CP_ACP, 0, wide, -1, out, size, NULL, NULL);
    out[size - 1] = '\0';
    return (int)strlen(out);
}

int ReadControlText(HWND dialog, int id, char *out, int size)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control) {
        out[0] = '\0';
        return -1;
    }
    return ReadText(control, out, size);
}

int ListCount(HWND dialog, int listId)
{
    return (int)SendDlgItemMessageW(dialog, listId, LB_GETCOUNT, 0, 0);
}

int ListText(HWND dialog, int listId, int index, char *out, int size)
{
    WCHAR wide[2048];
    out[0] = '\0';
    LRESULT length = SendDlgItemMessageW(dialog, listId, LB_GETTEXTLEN, index, 0);
    if (length < 0 || length >= (LRESULT)(sizeof wide / sizeof wide[0]))
        return -1;
    SendDlgItemMessageW(dialog, listId, LB_GETTEXT, index, (LPARAM)wide);
    wide[length] = 0;
    WideCharToMultiByte(CP_ACP, 0, wide, -1, out, size, NULL, NULL);
    out[size - 1] = '\0';
    return (int)strlen(out);
}

int ListSelection(HWND dialog, int listId)
{
    return (int)SendDlgItemMessageW(dialog, listId, LB_GETCURSEL, 0, 0);
}

int CheckState(HWND dialog, int id)
{
    return (int)SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0);
}

int ClickButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (!button || !IsWindowVisible(button) || !IsWindowEnabled(button))
        return 0;
    PostMessageA(button, BM_CLICK, 0, 0);
    return 1;
}

void PostKey(HWND window, UINT virtualKey)
{
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(window, WM_KEYUP, virtualKey, 0xC0000001);
}

HWND FocusedControl(HWND window)
{
    GUITHREADINFO gui;
    ZeroMemory(&gui, sizeof gui);
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, NULL), &gui);
    return gui.hwndFocus ? gui.hwndFocus : window;
}

void PostEscape(HWND dialog)
{
    PostKey(FocusedControl(dialog), VK_ESCAPE);
}

int SaveScreenshot(const char *path)
{
    HDC screen = GetDC(NULL);
    int width = GetDeviceCaps(screen, HORZRES), height = GetDeviceCaps(screen, VERTRES);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    int ok = 0;
    if (bitmap && bits) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        DWORD stride = ((DWORD)width * 3 + 3) & ~3u;
        DWORD imageSize = stride * (DWORD)height;
        BITMAPFILEHEADER header;
        ZeroMemory(&header, sizeof header);
        header.bfType = 0x4D42;
        header.bfOffBits = sizeof header + sizeof info.bmiHeader;
        header.bfSize = header.bfOffBits + imageSize;
        HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written;
            ok = WriteFile(file, &header, sizeof header, &written, NULL) &&
                 WriteFile(file, &info.bmiHeader, sizeof info.bmiHeader, &written, NULL) &&
                 WriteFile(file, bits, imageSize, &written, NULL);
            CloseHandle(file);
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return ok;
}

static BOOL CALLBACK DumpChild(HWND child, LPARAM)
{
    char className[64], text[256];
    GetClassNameA(child, className, sizeof className);
    ReadText(child, text, sizeof text);
    printf("    [%d] %s \"%s\"%s%s\n", GetDlgCtrlID(child), className, text,
           IsWindowVisible(child) ? "" : " (hidden)", IsWindowEnabled(child) ? "" : " (disabled)");
    return TRUE;
}

static BOOL CALLBACK DumpTop(HWND window, LPARAM lParam)
{
    DWORD processId = (DWORD)lParam, owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((processId && owner != processId) || !IsWindowVisible(window))
        return TRUE;
    char className[64], text[256];
    GetClassNameA(window, className, sizeof className);
    ReadText(window, text, sizeof text);
    printf("  window %p %s \"%s\"\n", (void *)window, className, text);
    EnumChildWindows(window, DumpChild, 0);
    return TRUE;
}

void DumpWindows(DWORD processId)
{
    printf("Windows on screen:\n");
    EnumWindows(DumpTop, (LPARAM)processId);
    fflush(stdout);
}
