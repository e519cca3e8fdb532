#include "spooler.h"
#include "spooler_api.h"

#include <string.h>

/* Builds "printer,driver,port" from the printer's level-2 record and writes
   it as the "device" entry of the "windows" section. Every failure returns 0
   before that write, so the profile stays as it was; the broadcast follows
   only a successful write. Handle and buffers are released on every path. */
static int WriteDeviceEntry(const char *printerName, HANDLE printer)
{
    DWORD needed = 0;
    Spooler.GetPrinterA(printer, 2, NULL, 0, &needed);
    if (needed == 0)
        return 0;
    HGLOBAL record = GlobalAlloc(GPTR, needed);
    if (!record)
        return 0;
    int result = 0;
    DWORD size = needed;
    const PRINTER_INFO_2A *info = (const PRINTER_INFO_2A *)record;
    if (Spooler.GetPrinterA(printer, 2, (LPBYTE)record, size, &needed) && info->pDriverName &&
        info->pPortName) {
        size_t printerLength = strlen(printerName);
        size_t driverLength = strlen(info->pDriverName);
        size_t portLength = strlen(info->pPortName);
        HGLOBAL entry = GlobalAlloc(GPTR, printerLength + driverLength + portLength + 3);
        if (entry) {
            char *text = (char *)entry;
            memcpy(text, printerName, printerLength);
            text[printerLength] = ',';
            memcpy(text + printerLength + 1, info->pDriverName, driverLength);
            text[printerLength + 1 + driverLength] = ',';
            memcpy(text + printerLength + driverLength + 2, info->pPortName, portLength);
            if (WriteProfileStringA("windows", "device", text)) {
                SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, 0, SMTO_NORMAL, 1000, NULL);
                result = 1;
            }
            GlobalFree(entry);
        }
    }
    GlobalFree(record);
    return result;
}

int SetDefaultPrinter(const char *printerName)
{
    if (!printerName)
        return 0;
    HANDLE printer = NULL;
    if (!Spooler.OpenPrinterA((LPSTR)printerName, &printer, NULL) || !printer)
        return 0;
    int result = WriteDeviceEntry(printerName, printer);
    Spooler.ClosePrinter(printer);
    return result;
}
