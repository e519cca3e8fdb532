/*
 * The welcome page's supported-system text for a spooler environment.
 */
#ifndef SETUP_WELCOME_TEXT_LOGIC_H
#define SETUP_WELCOME_TEXT_LOGIC_H

/* The text for "Windows NT x86" or "Windows x64" (compared exactly), or
   NULL for any other environment, a null one included: the page then keeps
   its template text. */
const char *SupportedSystemText(const char *environment);

#endif
