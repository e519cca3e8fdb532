#include "shell/ansi_text.h"

#include <windows.h>

int IsAnsiLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != 0;
}
