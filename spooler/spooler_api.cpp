#include "spooler_api.h"

SpoolerApi Spooler = {
    OpenPrinterA,
    ClosePrinter,
    DeletePrinter,
    DeletePrinterDriverA,
    EnumPrinterDriversA,
    EnumPortsA,
    GetPrinterDriverDirectoryA,
    AddPrinterDriverA,
    AddPrinterA,
    GetPrinterA,
};

void ResetSpoolerApi(void)
{
    Spooler.OpenPrinterA = OpenPrinterA;
    Spooler.ClosePrinter = ClosePrinter;
    Spooler.DeletePrinter = DeletePrinter;
    Spooler.DeletePrinterDriverA = DeletePrinterDriverA;
    Spooler.EnumPrinterDriversA = EnumPrinterDriversA;
    Spooler.EnumPortsA = EnumPortsA;
    Spooler.GetPrinterDriverDirectoryA = GetPrinterDriverDirectoryA;
    Spooler.AddPrinterDriverA = AddPrinterDriverA;
    Spooler.AddPrinterA = AddPrinterA;
    Spooler.GetPrinterA = GetPrinterA;
}
