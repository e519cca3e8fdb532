#include <stdlib.h>
#include "page_pixels.h"

int GrabPixels(Pixels *pixels, const RECT *area, HICON icon, COLORREF back)
{
    ZeroMemory(pixels, sizeof *pixels);
    pixels->Area = *area;
    pixels->Width = area->right - area->left;
    pixels->Height = area->bottom - area->top;
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels->Width;
    info.bmiHeader.biHeight = -pixels->Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    pixels->Bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, (void **)&pixels->Bits, NULL, 0);
    if (pixels->Bitmap && pixels->Bits) {
        HGDIOBJ previous = SelectObject(memory, pixels->Bitmap);
        if (icon) {
            RECT all = { 0, 0, pixels->Width, pixels->Height };
            HBRUSH brush = CreateSolidBrush(back);
            FillRect(memory, &all, brush);
            DeleteObject(brush);
            DrawIcon(memory, 0, 0, icon);
        } else {
            BitBlt(memory, 0, 0, pixels->Width, pixels->Height, screen, area->left, area->top, SRCCOPY);
        }
        GdiFlush();
        SelectObject(memory, previous);
    }
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return pixels->Bits != NULL;
}

void FreePixels(Pixels *pixels)
{
    if (pixels->Bitmap)
        DeleteObject(pixels->Bitmap);
    pixels->Bitmap = NULL;
    pixels->Bits = NULL;
}

DWORD SystemColour(int index)
{
    COLORREF c = GetSysColor(index);
    return (DWORD)GetRValue(c) << 16 | (DWORD)GetGValue(c) << 8 | GetBValue(c);
}

/* The control's class is `name`. */
static int OfClass(HWND control, const char *name)
{
    char className[16];
    return GetClassNameA(control, className, sizeof className) && lstrcmpiA(className, name) == 0;
}

int IsPagePicture(HWND control)
{
    return OfClass(control, "Static") && (GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

int DrawnOverPicture(HWND control)
{
    LONG style = GetWindowLongA(control, GWL_STYLE);
    if (OfClass(control, "Button"))
        return (style & BS_TYPEMASK) == BS_CHECKBOX || (style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
    LONG type = style & SS_TYPEMASK;
    return OfClass(control, "Static")
           && (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_ICON || type == SS_SIMPLE
               || type == SS_LEFTNOWORDWRAP);
}

int FindSquare(const Pixels *pixels, DWORD colour, int side, POINT *at)
{
    /* For each column, how many rows in a row up to this one hold a run of
       at least `side` pixels of the colour ending in that column. */
    int *rows = (int *)calloc(pixels->Width > 0 ? pixels->Width : 1, sizeof *rows);
    int found = 0;
    for (int y = 0; rows && y < pixels->Height && !found; y++) {
        int run = 0;
        for (int x = 0; x < pixels->Width && !found; x++) {
            run = PixelAt(pixels, x, y) == colour ? run + 1 : 0;
            rows[x] = run >= side ? rows[x] + 1 : 0;
            if (rows[x] >= side) {
                at->x = x - side + 1;
                at->y = y - side + 1;
                found = 1;
            }
        }
    }
    free(rows);
    return found;
}
