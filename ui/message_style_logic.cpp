#include "ui/message_style_logic.h"
#include "ui/resources/resource.h"

const char *MessageTemplateName(unsigned style)
{
    switch (style & 0xF) {
    case 1: return IDD_MSG_OKCANCEL;     /* MB_OKCANCEL */
    case 3: return IDD_MSG_YESNOCANCEL;  /* MB_YESNOCANCEL */
    case 4: return IDD_MSG_YESNO;        /* MB_YESNO */
    case 5: return IDD_MSG_RETRYCANCEL;  /* MB_RETRYCANCEL */
    default: return IDD_MSG_OK;
    }
}

unsigned MessageIconNumber(unsigned style)
{
    switch (style & 0xF0) {
    case 0x10: return 32513;  /* IDI_HAND */
    case 0x20: return 32514;  /* IDI_QUESTION */
    case 0x30: return 32515;  /* IDI_EXCLAMATION */
    case 0x40: return 32516;  /* IDI_ASTERISK */
    default: return 32512;    /* IDI_APPLICATION */
    }
}
