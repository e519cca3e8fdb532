/*
 * The LZ expansion library behind the Lz table. The copy calls LZ32 only
 * through this table, so a test can put a function of its own in an entry
 * (to produce an LZERROR_* code that Wine never returns) and restore the real
 * library with ResetLzApi.
 */
#include "install/lz_api.h"
#include "shell/system_library.h"

/* The library's CopyLZFile moves 1000 bytes per read and per write: a few
   hundred system calls for a file of some hundred kilobytes. LZRead expands
   (or, for a file that is not compressed, reads) into blocks this large. */
#define EXPAND_BLOCK_SIZE 32768

/* Does what CopyLZFile does with a handle that LZInit has given (or a file
   that is not compressed), in blocks of EXPAND_BLOCK_SIZE: copies the
   source, expanded when it is compressed, into the destination file. The
   number of bytes written, or LZRead's error (a failed plain read, -1, as
   LZERROR_READ), or LZERROR_WRITE when a write falls short. It closes
   neither handle. */
static LONG WINAPI ExpandLZFile(INT source, INT destination)
{
    static char block[EXPAND_BLOCK_SIZE];
    LONG total = 0;
    for (;;) {
        INT got = Lz.LZRead(source, block, sizeof block);
        if (got == 0)
            return total;
        if (got < 0)
            return got == -1 ? LZERROR_READ : got;
        DWORD written = 0;
        if (!WriteFile(LongToHandle(destination), block, (DWORD)got, &written, NULL) || written != (DWORD)got)
            return LZERROR_WRITE;
        total += got;
    }
}

LzApi Lz;
static LzApi Bound;

int BindLzApi(void)
{
    HMODULE library = LoadSystemLibrary("LZ32.DLL");
    if (!library)
        return 0;
    if (!(BIND_SYSTEM_FUNCTION(Bound, library, LZOpenFileA)
          && BIND_SYSTEM_FUNCTION(Bound, library, LZInit)
          && BIND_SYSTEM_FUNCTION(Bound, library, LZRead)
          && BIND_SYSTEM_FUNCTION(Bound, library, LZClose)
          && BIND_SYSTEM_FUNCTION(Bound, library, LZStart)
          && BIND_SYSTEM_FUNCTION(Bound, library, LZDone)))
        return 0;
    Bound.CopyLZFile = ExpandLZFile;
    Lz = Bound;
    return 1;
}

void ResetLzApi(void)
{
    Lz = Bound;
}
