/*
 * The lead-byte rule of the system's ANSI code page, for every caller of
 * the text stepping in shell/ansi_text_logic.h outside the window-less
 * logic: setup.exe, pkgcheck and the test driver alike.
 */
#ifndef SETUP_ANSI_TEXT_H
#define SETUP_ANSI_TEXT_H

#include "shell/ansi_text_logic.h"

/* IsDBCSLeadByte: 1 when `byte` leads a double-byte character in the ANSI
   code page this process runs in (never in a single-byte one). */
int IsAnsiLeadByte(unsigned char byte);

#endif
