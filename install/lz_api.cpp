/*
 * The LZ expansion library behind the Lz table. The copy calls LZ32 only
 * through this table, so a test can put a function of its own in an entry
 * (to produce an LZERROR_* code that Wine never returns) and restore the real
 * library with ResetLzApi.
 */
#include "install/lz_api.h"

LzApi Lz = { LZOpenFileA, CopyLZFile, LZClose, LZStart, LZDone };

void ResetLzApi(void)
{
    Lz.LZOpenFileA = LZOpenFileA;
    Lz.CopyLZFile = CopyLZFile;
    Lz.LZClose = LZClose;
    Lz.LZStart = LZStart;
    Lz.LZDone = LZDone;
}
