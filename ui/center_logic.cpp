#include "ui/center_logic.h"

int CenteredOrigin(int parentOrigin, int parentSize, int size)
{
    /* 64-bit difference: screen coordinates near the int limits must not
       overflow; the result is back in range for any real window. */
    long long offset = ((long long)parentSize - size) / 2;
    return (int)(parentOrigin + offset);
}
