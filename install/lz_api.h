/*
 * The LZ expansion library as the copy uses it. Tests replace an entry to
 * produce an LZERROR_* code on demand, then call ResetLzApi. The CopyLZFile
 * entry is the library's contract (copy or expand a handle that LZInit has
 * given into a file) done in large blocks through LZRead; see lz_api.cpp.
 */
#ifndef SETUP_LZ_API_H
#define SETUP_LZ_API_H

#include <windows.h>
#include <lzexpand.h>

struct LzApi {
    INT (WINAPI *LZOpenFileA)(LPSTR name, LPOFSTRUCT of, WORD mode);
    LONG (WINAPI *CopyLZFile)(INT source, INT destination);
    void (WINAPI *LZClose)(INT handle);
    INT (WINAPI *LZStart)(void);
    void (WINAPI *LZDone)(void);
};

extern LzApi Lz;

void ResetLzApi(void);

#endif
