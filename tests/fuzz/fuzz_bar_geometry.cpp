/*
 * Bar geometry on any index, count and rectangle: CopyPercent matches a
 * 128-bit-free reference of MulDiv's rounding, and for 0 <= index <= count
 * the percentage lies in 0..100 and the boundary inside the rectangle.
 */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include "install/bar_geometry_logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    int32_t values[4];
    if (size < sizeof values)
        return 0;
    memcpy(values, data, sizeof values);
    int index = values[0], count = values[1];
    int left = values[2] % 100000, width = abs(values[3] % 100000);

    int percent = CopyPercent(index, count);
    if (count == 0 && percent != -1)
        abort();
    if (count > 0 && index >= 0 && index <= count) {
        long long exact2 = 200LL * index;   /* twice 100 * index, for halves */
        long long expected = (exact2 / count + 1) / 2;
        if (percent != expected || percent < 0 || percent > 100)
            abort();
        int x = BarBoundary(percent, left, left + width);
        if (x < left || x > left + width)
            abort();
        if (percent == 100 && x != left + width)
            abort();
    }
    return 0;
}
