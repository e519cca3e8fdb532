#include "welcome_text_logic.h"
#include <string.h>

static const char X86Text[] =
    "Supported operating system:\r\n"
    "\tWindows 7 Home x86\r\n"
    "\tWindows 7 Professional x86\r\n"
    "\tWindows 7 Ultimate x86\r\n"
    "\r\n"
    "Terminate all running applications before installing driver.";

static const char X64Text[] =
    "Supported operating system:\r\n"
    "\tWindows 7 Home x64\r\n"
    "\tWindows 7 Professional x64\r\n"
    "\tWindows 7 Ultimate x64\r\n"
    "\r\n"
    "Terminate all running applications before installing driver.";

const char *SupportedSystemText(const char *environment)
{
    if (!environment)
        return NULL;
    if (strcmp(environment, "Windows NT x86") == 0)
        return X86Text;
    if (strcmp(environment, "Windows x64") == 0)
        return X64Text;
    return NULL;
}
