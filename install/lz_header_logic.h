/*
 * The header of a file stored LZ-compressed (the format mscompress writes and
 * the platform's LZ library expands): the magic "SZDD" and four more bytes,
 * the method byte 'A', the replaced last character of the name, and the
 * expanded size as a 4-byte little-endian number; and the rule by which the
 * copy and pkgcheck tell a whole expansion from a damaged file. Text only:
 * no windows.h, so the native fuzz build compiles it as well.
 */
#ifndef SETUP_LZ_HEADER_LOGIC_H
#define SETUP_LZ_HEADER_LOGIC_H

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

/* 1 when `written` bytes, what the LZ library gave for a file that begins
   with `bytes` (`size` of them, as for ReadLzHeader), are the whole file:
   for a compressed file, exactly the size its header records. The library
   expands a compressed file cut short (a broken download) without an error,
   and copies one that ends inside its header as it is: both are damaged
   (0). A plain file records no size and is whole as read; a file of an
   unknown method is refused by the library itself. */
int IsWholeExpansion(const unsigned char *bytes, size_t size, unsigned long written);

#endif
