#include "spooler.h"
#include "spooler_api.h"
#include "setupinfo/setupinfo.h"
#include "shell/setup_state.h"

#include <stdio.h>
#include <string.h>

/* The last-write time of KV_R52x.DLL in the current directory, or zero when
   the file cannot be opened or its time read. */
static FILETIME ReadDriverDate(void)
{
    FILETIME written = { 0, 0 };
    HANDLE file = CreateFileA("KV_R52x.DLL", GENERIC_READ, 0, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return written;
    if (!GetFileTime(file, NULL, NULL, &written)) {
        written.dwLowDateTime = 0;
        written.dwHighDateTime = 0;
    }
    CloseHandle(file);
    return written;
}

/* Tells the user that the spooler refused `what` ("a printer driver", "a
   printer"), with the system error code of the refusal in decimal. Called
   at once after the failed call, before anything can change the last error. */
static void ShowAddError(const char *what)
{
    int code = (int)GetLastError();
    char message[128];
    snprintf(message, sizeof message, "Cannot add %s!\r\n(System Error Code : %d)", what, code);
    MessageBoxA(NULL, message, "Add a printer error ", MB_ICONERROR);
}

/* Registers the model's driver, a level-6 record on the universal printer
   driver, with the model's files as dependent files. Shows "Add a printer
   error " with the system error code when the spooler refuses it. */
static int AddModelDriver(void)
{
    /* ModelName as a list of one name: the name, its NUL, an empty name. */
    char previousNames[TEXT_SIZE + 1];
    size_t nameLength = strlen(SetupState.ModelName);
    memcpy(previousNames, SetupState.ModelName, nameLength);
    previousNames[nameLength] = '\0';
    previousNames[nameLength + 1] = '\0';
    static char emptyText[1] = "";

    DRIVER_INFO_6A driver;
    ZeroMemory(&driver, sizeof driver);
    driver.cVersion = (DWORD)SetupState.DriverVersion;
    driver.pName = SetupState.ModelName;
    driver.pEnvironment = (LPSTR)SetupState.Environment;
    driver.pDriverPath = (LPSTR)"UNIDRV.DLL";
    driver.pDataFile = (LPSTR)"KV_R52x.GPD";
    driver.pConfigFile = (LPSTR)"UNIDRVUI.DLL";
    driver.pHelpFile = (LPSTR)"UNIDRV.HLP";
    driver.pDependentFiles = SetupState.FileList;
    driver.pMonitorName = NULL;
    driver.pDefaultDataType = SetupState.DefaultDataType;
    driver.pszzPreviousNames = previousNames;
    driver.ftDriverDate = ReadDriverDate();
    driver.dwlDriverVersion = 0;
    driver.pszMfgName = NULL;
    driver.pszOEMUrl = emptyText;
    driver.pszHardwareID = (LPSTR)GetHardwareId(SetupState.ModelName);
    driver.pszProvider = (LPSTR)"Kest Velotic, Co. Ltd.";

    if (Spooler.AddPrinterDriverA(NULL, 6, (LPBYTE)&driver))
        return 1;
    ShowAddError("a printer driver");
    return 0;
}

/* Adds the printer named like the model, on PortName, with the model's
   driver; a handle it gives is closed at once. A refusal is shown like a
   refused driver: on 64-bit Windows, for one, the spooler refuses a printer
   whose driver exists only for "Windows NT x86". A printer of the name that
   is there already is the one the first registration run added, which the
   removal between the runs could not delete: the printer is registered, and
   nothing is shown. */
static int AddModelPrinter(void)
{
    PRINTER_INFO_2A printer;
    ZeroMemory(&printer, sizeof printer);
    printer.pServerName = NULL;
    printer.pPrinterName = SetupState.ModelName;
    printer.pPortName = SetupState.PortName;
    printer.pDriverName = SetupState.ModelName;
    printer.pPrintProcessor = (LPSTR)"WinPrint";
    printer.pDatatype = SetupState.DefaultDataType;
    printer.Attributes = PRINTER_ATTRIBUTE_DO_COMPLETE_FIRST;

    HANDLE handle = Spooler.AddPrinterA(NULL, 2, (LPBYTE)&printer);
    if (!handle) {
        if (GetLastError() == ERROR_PRINTER_ALREADY_EXISTS)
            return 1;
        ShowAddError("a printer");
        return 0;
    }
    Spooler.ClosePrinter(handle);
    return 1;
}

/* Registers the driver, then the printer; 1 when both were added. The
   printer is not attempted when the driver was refused. */
int RegisterDriverAndPrinter(void)
{
    if (!AddModelDriver())
        return 0;
    return AddModelPrinter();
}
