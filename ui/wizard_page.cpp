/*
 * The message handling that the welcome, model, port and exit pages share;
 * each page gives its own part (PageParts): what it shows at the start, its
 * icon list, and what each of its buttons does.
 */
#include "shell/setup_state.h"
#include "ui/ui.h"
#include "ui/resources/resource.h"

void EndPageWithNext(HWND page)
{
    EndDialog(page, ID_NEXT);
}

void EndPageWithBack(HWND page)
{
    EndDialog(page, ID_BACK);
}

void CancelPageOnYes(HWND page)
{
    if (LOWORD(ConfirmCancel(page)) == IDYES)
        EndDialog(page, IDCANCEL);
}

/* The whole command value is compared, so only button clicks (and Enter,
   Escape and the close box, which arrive as clicks) act: a double-click or
   a selection change in a list arrives with a notification code and does
   nothing. */
static void OnPageCommand(const PageParts *parts, HWND page, WPARAM command)
{
    for (const PageCommand &button : parts->commands)
        if (button.act && button.id == command) {
            button.act(page);
            return;
        }
}

static void OnPageDrawItem(const PageParts *parts, WPARAM controlId, const DRAWITEMSTRUCT *item)
{
    if (parts->listId && controlId == parts->listId)
        DrawIconItem(item, parts->iconOf);
    else if (controlId == IDC_LOGO)
        DrawLogoButton(item);
}

/* Returns 0 for every message but WM_CTLCOLORSTATIC, whose answer is the
   brush of the page's picture (PageControlColour). */
static INT_PTR OnPageMessage(const PageParts *parts, HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MEASUREITEM:
        if (parts->listId)
            MeasureIconItem((MEASUREITEMSTRUCT *)lParam);
        break;
    case WM_INITDIALOG:
        CenterOnParent(page);
        SetUpPagePicture(page);
        parts->init(page);
        break;
    case WM_DRAWITEM:
        OnPageDrawItem(parts, wParam, (const DRAWITEMSTRUCT *)lParam);
        break;
    case WM_COMMAND:
        OnPageCommand(parts, page, wParam);
        break;
    case WM_CTLCOLORSTATIC:
        /* The one message whose answer is its result: the background brush. */
        return PageControlColour(page, (HDC)wParam, (HWND)lParam);
    case WM_DESTROY:
        /* The page's picture goes with it. */
        ReleasePagePicture(page);
        break;
    }
    /* Never handled: after WM_INITDIALOG the focus stays where it was put. */
    return 0;
}

/* The parts of the page being created: the messages that come before
   WM_INITDIALOG (WM_MEASUREITEM, while the list is created) find them here.
   From WM_INITDIALOG on the page keeps its own (GWLP_USERDATA), so that a
   page shown from inside another's modal loop never takes the other's. */
static const PageParts *CreatingPage;

static INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        SetWindowLongPtrA(page, GWLP_USERDATA, (LONG_PTR)CreatingPage);
    const PageParts *parts = (const PageParts *)GetWindowLongPtrA(page, GWLP_USERDATA);
    return OnPageMessage(parts ? parts : CreatingPage, page, message, wParam, lParam);
}

INT_PTR ShowPage(HWND owner, LPCSTR templateName, const PageParts *parts)
{
    const PageParts *outer = CreatingPage;
    CreatingPage = parts;
    INT_PTR result = DialogBoxParamA(SetupState.Instance, templateName, owner, PageProc, 0);
    CreatingPage = outer;
    return result;
}
