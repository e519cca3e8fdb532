/*
 * The pixels of the screen, as the checks of a page by its pixels read them
 * (page_layout.cpp, and the unit tests of the pages' colours).
 */
#ifndef AUTOMATION_PAGE_PIXELS_H
#define AUTOMATION_PAGE_PIXELS_H

#include <windows.h>

/* The pixels of a rectangle of the screen, 0x00RRGGBB, top row first. */
struct Pixels {
    RECT Area;
    int Width, Height;
    DWORD *Bits;
    HBITMAP Bitmap;
};

/* Copies the screen's pixels of `area` (screen coordinates), or with an
   icon, the icon drawn at the top left over `back`. 1 on success;
   FreePixels releases them. */
int GrabPixels(Pixels *pixels, const RECT *area, HICON icon, COLORREF back);
void FreePixels(Pixels *pixels);

/* The pixel at (x, y) of the grabbed rectangle, 0x00RRGGBB. */
inline DWORD PixelAt(const Pixels *pixels, int x, int y)
{
    return pixels->Bits[y * pixels->Width + x] & 0xFFFFFF;
}

/* A system colour as the grabbed pixels hold it. */
DWORD SystemColour(int index);

/* 1 when the page's control is its background picture (a static control
   showing a bitmap). */
int IsPagePicture(HWND control);

/* 1 when the page's control is drawn over the page's picture with a
   background of its own: a text, an icon or a check box. */
int DrawnOverPicture(HWND control);

/* Finds a square of side x side pixels all of `colour` in the grabbed
   pixels; 1 with its top left in `at` when there is one. */
int FindSquare(const Pixels *pixels, DWORD colour, int side, POINT *at);

#endif
