#include "install/copy_error_logic.h"
#include "ui/resources/resource.h"

unsigned CopyErrorStringId(int code)
{
    switch (code) {
    case COPY_OPEN_FAILED: return IDS_FILE_OPEN_ERROR;
    case -1: return IDS_CANNOT_READ;       /* LZERROR_BADINHANDLE */
    case -2: return IDS_CANNOT_CREATE;     /* LZERROR_BADOUTHANDLE */
    case -3: return IDS_FILE_DAMAGED;      /* LZERROR_READ */
    case -4: return IDS_DISK_FULL;         /* LZERROR_WRITE */
    case -5: return IDS_NO_MEMORY;         /* LZERROR_GLOBALLOC */
    case -6: return IDS_DECOMPRESS_ERROR;  /* LZERROR_GLOBLOCK */
    case -8: return IDS_FILE_DAMAGED;      /* LZERROR_UNKNOWNALG */
    default: return IDS_UNKNOWN_ERROR;     /* LZERROR_BADVALUE (-7) and the rest */
    }
}

int CopyErrorResult(int code)
{
    return code == -1 || code == -2 ? COPY_RETRY : 0;
}
