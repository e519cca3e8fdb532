/*
 * The owner-drawn icon lists of the model and port pages: filling without
 * duplicates, item height, item painting and the icon rules.
 */
#include "ui/ui.h"
#include "ui/resources/resource.h"
#include "shell/setup_state.h"

/* 1 when item `index` of a list box holds `text`, compared in full and
   without regard to case in the list's locale, as LB_FINDSTRINGEXACT does. */
static int ItemEquals(HWND list, LRESULT index, const char *text)
{
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, (WPARAM)index, 0);
    if (length == LB_ERR || length >= TEXT_SIZE)
        return 0;
    char item[TEXT_SIZE];
    item[0] = '\0';
    SendMessageA(list, LB_GETTEXT, (WPARAM)index, (LPARAM)item);
    LCID locale = (LCID)SendMessageA(list, LB_GETLOCALE, 0, 0);
    return CompareStringA(locale, NORM_IGNORECASE, text, -1, item, -1) == CSTR_EQUAL;
}

/* 1 when `text` is new to the sorted list `seen`, which then holds it too.
   A sorted list box inserts a text next to an equal one (Wine's binary
   search stops on it and inserts before it), so a look at both neighbours
   finds a duplicate: the fill costs a few comparisons per item instead of
   one per item already listed. Without `seen`, the shown list itself is
   searched. */
static int IsNewText(HWND seen, HWND shown, const char *text)
{
    LRESULT at = seen ? SendMessageA(seen, LB_ADDSTRING, 0, (LPARAM)text) : LB_ERR;
    if (at < 0) {
        /* 0xFFFF as the start index: the list box searches the whole list. */
        return SendMessageA(shown, LB_FINDSTRINGEXACT, 0xFFFF, (LPARAM)text) == LB_ERR;
    }
    if (!ItemEquals(seen, at + 1, text) && (at == 0 || !ItemEquals(seen, at - 1, text)))
        return 1;
    SendMessageA(seen, LB_DELETESTRING, (WPARAM)at, 0);
    return 0;
}

/* Empties the list, then adds provider's text for every index below count
   that no item holds yet (compared in full, case-insensitively). Each item's
   data is its own position. A count of 0 or less leaves the list empty. */
void FillIconList(HWND dialog, WORD listId, short count, TextProvider provider)
{
    HWND list = GetDlgItem(dialog, listId);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    if (count <= 0)
        return;
    /* The texts seen so far, sorted in a message-only list box that compares
       in the shown list's locale. */
    HWND seen = CreateWindowExA(0, "LISTBOX", NULL, LBS_SORT | LBS_HASSTRINGS, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                                SetupState.Instance, NULL);
    if (seen)
        SendMessageA(seen, LB_SETLOCALE, (WPARAM)SendMessageA(list, LB_GETLOCALE, 0, 0), 0);
    char text[TEXT_SIZE];
    text[0] = '\0';
    for (short i = 0; i < count; ++i) {
        /* The buffer is shared across indices; a provider without text for
           this index must not re-add the previous index's text. */
        text[0] = '\0';
        provider((WORD)i, text);
        if (!text[0] || !IsNewText(seen, list, text))
            continue;
        LRESULT added = SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)text);
        if (added >= 0)
            SendMessageA(list, LB_SETITEMDATA, (WPARAM)added, added);
    }
    if (seen)
        DestroyWindow(seen);
}

/* LoadIconA and DrawIcon take the standard icon size, which follows the
   display's DPI: 32 x 32 pixels at 96 DPI, 40 at 120, 48 at 144. An item is
   at least that icon with a 1-pixel margin above and below (34 pixels at
   96 DPI); a taller proposal stays. */
void MeasureIconItem(MEASUREITEMSTRUCT *item)
{
    UINT height = (UINT)GetSystemMetrics(SM_CYICON) + 2;
    if (item->itemHeight < height)
        item->itemHeight = height;
}

/* Paints one item in full: background and text in the selection's colours
   (text at 2 * bx + the standard icon's width, centred vertically), the
   icon at (bx, top + 1), and the focus rectangle when the item has the
   focus. bx is the horizontal dialog base unit of the system font. Nothing
   for item id -1. */
void DrawIconItem(const DRAWITEMSTRUCT *item, IconRule iconOf)
{
    if (item->itemID == (UINT)-1)
        return;
    HDC dc = item->hDC;
    int selected = (item->itemState & ODS_SELECTED) != 0;
    COLORREF oldText = SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    COLORREF oldBack = SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    int bx = LOWORD(GetDialogBaseUnits());
    int y = (item->rcItem.top + item->rcItem.bottom - metrics.tmHeight) / 2;

    char text[TEXT_SIZE];
    text[0] = '\0';
    UINT getText = item->CtlType == ODT_COMBOBOX ? CB_GETLBTEXT : LB_GETTEXT;
    UINT getLength = item->CtlType == ODT_COMBOBOX ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    LRESULT length = SendMessageA(item->hwndItem, getLength, item->itemID, 0);
    if (length >= 0 && length < TEXT_SIZE)
        SendMessageA(item->hwndItem, getText, item->itemID, (LPARAM)text);
    ExtTextOutA(dc, 2 * bx + GetSystemMetrics(SM_CXICON), y, ETO_CLIPPED | ETO_OPAQUE, &item->rcItem, text,
                (UINT)lstrlenA(text), NULL);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);

    HICON icon = LoadIconA(SetupState.Instance, iconOf(text));
    if (icon)
        DrawIcon(dc, bx, item->rcItem.top + 1, icon);
    if (item->itemState & ODS_FOCUS)
        DrawFocusRect(dc, &item->rcItem);
}

const char *GetModelIcon(const char *)
{
    return IDI_PRINTER;
}

/* Compares one character at a time and stops at the first difference, so a
   text shorter than the prefix is never read past its NUL. */
static int StartsWith(const char *text, const char *prefix)
{
    for (; *prefix; ++text, ++prefix)
        if (*text != *prefix)
            return 0;
    return 1;
}

/* Letter case ignored in ASCII alone: the user's locale has no say (in a
   Turkish one "file:" would not match "FILE:"). */
static int EqualsIgnoringCase(const char *text, const char *other)
{
    for (;; ++text, ++other) {
        char a = *text, b = *other;
        if (a >= 'a' && a <= 'z')
            a = (char)(a - 'a' + 'A');
        if (b >= 'a' && b <= 'z')
            b = (char)(b - 'a' + 'A');
        if (a != b)
            return 0;
        if (!a)
            return 1;
    }
}

/* "FILE:" in any letter case: the setup icon; a name beginning with "LPT"
   or "COM" in upper case: the port icon; any other: the network icon. */
const char *GetPortIcon(const char *text)
{
    if (EqualsIgnoringCase(text, "FILE:"))
        return IDI_SETUP;
    if (StartsWith(text, "LPT") || StartsWith(text, "COM"))
        return IDI_PORT;
    return IDI_NETWORK;
}
