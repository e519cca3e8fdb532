/*
 * Where a dialog goes when it centres itself on its owner. No window needed.
 */
#ifndef SETUP_CENTER_LOGIC_H
#define SETUP_CENTER_LOGIC_H

/* The dialog's left (or top) edge: parent's edge + (parentSize - size) / 2,
   the halving truncated toward zero, so a dialog wider than its owner by an
   odd number of pixels leans one pixel less to the left. */
int CenteredOrigin(int parentOrigin, int parentSize, int size);

#endif
