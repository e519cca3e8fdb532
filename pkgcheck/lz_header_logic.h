/*
 * The header of a file stored LZ-compressed (the format mscompress writes and
 * the platform's LZ library expands): the magic "SZDD" and four more bytes,
 * the method byte 'A', the replaced last character of the name, and the
 * expanded size as a 4-byte little-endian number. Text only: no windows.h,
 * so the native fuzz build compiles it as well.
 */
#ifndef PKGCHECK_LZ_HEADER_LOGIC_H
#define PKGCHECK_LZ_HEADER_LOGIC_H

#include <stddef.h>

#define LZ_HEADER_SIZE 14

enum LzHeaderKind {
    LZ_PLAIN = 0,           /* no compressed-file magic: the LZ library copies it as it is */
    LZ_COMPRESSED = 1,      /* a whole header of the known method */
    LZ_UNKNOWN_METHOD = 2,  /* the magic with a method byte other than 'A' */
    LZ_SHORT_HEADER = 3     /* the magic, but the file ends inside the header */
};

/* Classifies the first `size` bytes of a file (fewer than LZ_HEADER_SIZE when
   the file is that short). For LZ_COMPRESSED, *expandedSize receives the size
   the header records; otherwise it is set to 0. */
int ReadLzHeader(const unsigned char *bytes, size_t size, unsigned long *expandedSize);

#endif
