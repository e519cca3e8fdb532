/*
 * The LZ expansion library as the copy and pkgcheck use it. BindLzApi points
 * the table at the functions of LZ32.DLL in the system folder (loaded by its
 * full path: the programs import nothing from it at load time, so an
 * LZ32.DLL beside them never loads). Tests replace an entry to produce an
 * LZERROR_* code on demand, then call ResetLzApi. The CopyLZFile entry is
 * the library's contract (copy or expand a handle that LZInit has given
 * into a file) done in large blocks through LZRead; see lz_api.cpp.
 */
#ifndef SETUP_LZ_API_H
#define SETUP_LZ_API_H

#include <windows.h>
#include <lzexpand.h>

struct LzApi {
    INT (WINAPI *LZOpenFileA)(LPSTR name, LPOFSTRUCT of, WORD mode);
    INT (WINAPI *LZInit)(INT source);
    INT (WINAPI *LZRead)(INT handle, LPSTR buffer, INT size);
    LONG (WINAPI *CopyLZFile)(INT source, INT destination);
    void (WINAPI *LZClose)(INT handle);
    INT (WINAPI *LZStart)(void);
    void (WINAPI *LZDone)(void);
};

extern LzApi Lz;

/* Loads LZ32.DLL from the system folder and binds every entry. 1 on
   success; 0 with LibraryFailure (shell/system_library.h) filled in. */
int BindLzApi(void);

/* Points every entry back at the function BindLzApi bound. */
void ResetLzApi(void);

#endif
