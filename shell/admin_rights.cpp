#include "setup_state.h"
#include "startup.h"

BOOL (WINAPI *CheckMembership)(HANDLE token, PSID group, PBOOL member) = CheckTokenMembership;

/* The group's identifier is built from its authority and relative ids: the
   call that builds well-known identifiers by name is Windows XP and later.
   With no token given, the test answers for the process's own: on Vista and
   7 the elevated one holds the group, the filtered one holds it for denial
   only, which does not count. A test that cannot be made counts as no. */
static int HasAdministratorRights(void)
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = NULL;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators))
        return 0;
    BOOL member = FALSE;
    if (!CheckMembership(NULL, administrators, &member))
        member = FALSE;
    FreeSid(administrators);
    return member != FALSE;
}

int ConfirmAdministratorRights(void)
{
    if (HasAdministratorRights())
        return 1;
    return MessageBoxA(NULL,
                       "Installing a printer driver needs the rights of an administrator, and Setup "
                       "runs without them.\n\n"
                       "Log on with an administrator's account, or on Windows Vista and 7 right-click "
                       "setup.exe and choose \"Run as administrator\", and start Setup again.\n\n"
                       "Click OK to try anyway, or Cancel to end Setup.",
                       SetupWindowTitle, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}
