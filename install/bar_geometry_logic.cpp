#include "install/bar_geometry_logic.h"
#include <limits.h>

/* 64-bit product, half the divisor added toward the sign of the result:
   the rounding of the platform's MulDiv. */
int CopyPercent(int index, int count)
{
    long long multiplicand = 100;
    long long divisor = count;
    if (divisor == 0)
        return -1;
    if (divisor < 0) {
        multiplicand = -multiplicand;
        divisor = -divisor;
    }
    long long product = multiplicand * index;
    long long result = product >= 0 ? (product + divisor / 2) / divisor
                                    : (product - divisor / 2) / divisor;
    if (result > INT_MAX || result < INT_MIN)
        return -1;
    return (int)result;
}

int BarBoundary(int percent, int left, int right)
{
    if (percent == 100)
        return right;
    long long width = (long long)right - left;
    /* Division of integers truncates toward zero, like the whole-number part
       of the product, without the rounding slips of 0.01 in floating point. */
    long long filled = (long long)percent * width / 100;
    return (int)((long long)left + (unsigned short)filled);
}
