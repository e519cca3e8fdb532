/* The rules on integers: CopyPercent rounds as MulDiv and the boundary lies in
   the bar; centring halves the difference for any value. */
#include "fuzz_input.h"
#include "install/bar_geometry_logic.h"
#include "ui/center_logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    int32_t v[4];
    if (size < sizeof v)
        return 0;
    memcpy(v, data, sizeof v);
    int index = v[0], count = v[1], left = v[2] % 100000, width = abs(v[3] % 100000);
    int percent = CopyPercent(index, count);
    EXPECT(count || percent == -1);
    if (count > 0 && index >= 0 && index <= count) {
        EXPECT(percent == (200LL * index / count + 1) / 2);
        int x = BarBoundary(percent, left, left + width);
        EXPECT(x >= left && x <= left + width && (percent < 100 || x == left + width));
    }
    int origin = CenteredOrigin(left, width, v[0] % 100000);
    EXPECT(llabs(2LL * (origin - left) + v[0] % 100000 - width) <= 1);
    return 0;
}
