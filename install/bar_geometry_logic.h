/*
 * Geometry of the copy dialog's two-tone percentage bar. No window needed.
 */
#ifndef SETUP_BAR_GEOMETRY_LOGIC_H
#define SETUP_BAR_GEOMETRY_LOGIC_H

/* MulDiv(100, index, count) as the platform computes it: 100 * index / count
   rounded to the nearest whole number, halves away from zero (upward for the
   copy's non-negative values); -1 when count is 0 or the result overflows. */
int CopyPercent(int index, int count);

/* The x where the filled part ends inside [left, right): the right edge when
   percent is exactly 100, otherwise left plus the whole-number part of
   percent * width / 100, taken as an unsigned 16-bit value. */
int BarBoundary(int percent, int left, int right);

#endif
