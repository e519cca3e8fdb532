#include <stdio.h>
#include <string.h>
#include "session.h"
#include "file_write.h"
#include "shell/ansi_text.h"

SessionContext Session;

void ToWindowsPath(const char *path, char *out, size_t size)
{
    if (path[0] == '/')
        snprintf(out, size, "Z:%s", path);
    else
        snprintf(out, size, "%s", path);
    for (char *p = out; *p; p = (char *)NextCharacter(p, IsAnsiLeadByte))
        if (*p == '/')
            *p = '\\';
}

/* Deletes a folder and everything in it. A missing folder is no error. */
static int DeleteTree(const char *folder)
{
    ForEachFound(std::string(folder) + "\\*", [](const std::string &path, const WIN32_FIND_DATAA &entry) {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            DeleteTree(path.c_str());
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    });
    return RemoveDirectoryA(folder) || GetFileAttributesA(folder) == INVALID_FILE_ATTRIBUTES;
}

int CopyIntoPackage(const char *folder)
{
    int ok = 1;
    ForEachFound(std::string(folder) + "\\*", [&ok](const std::string &source, const WIN32_FIND_DATAA &entry) {
        std::string target = std::string(Session.PackageDir) + entry.cFileName;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !CopyFileA(source.c_str(), target.c_str(), FALSE)) {
            printf("could not copy %s to %s\n", source.c_str(), target.c_str());
            ok = 0;
        }
    });
    return ok;
}

int PreparePackage(const char *sourceDir, const char *subfolder)
{
    char folder[MAX_PATH];
    snprintf(folder, sizeof folder, PACKAGE_ROOT "\\%s", Session.Scenario);
    CreateDirectoryA(PACKAGE_ROOT, NULL);
    if (!DeleteTree(folder)) {
        printf("could not delete the old package folder %s\n", folder);
        return 0;
    }
    if (subfolder) {
        CreateDirectoryA(folder, NULL);
        size_t used = strlen(folder);
        snprintf(folder + used, sizeof folder - used, "\\%s", subfolder);
    }
    if (!CreateDirectoryA(folder, NULL)) {
        printf("could not create %s\n", folder);
        return 0;
    }
    snprintf(Session.PackageDir, sizeof Session.PackageDir, "%s\\", folder);

    char target[MAX_PATH];
    snprintf(target, sizeof target, "%ssetup.exe", Session.PackageDir);
    if (!CopyFileA(Session.SetupExe, target, FALSE)) {
        printf("could not copy setup.exe from \"%s\"\n", Session.SetupExe);
        return 0;
    }
    if (sourceDir && sourceDir[0])
        return CopyIntoPackage(sourceDir);
    return 1;
}

int WriteWholeFile(const char *path, const void *data, DWORD size)
{
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD written = 0;
    BOOL ok = WriteFile(file, data, size, &written, NULL);
    CloseHandle(file);
    return ok && written == size;
}

int WritePackageFile(const char *name, const char *text)
{
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s%s", Session.PackageDir, name);
    return WriteWholeFile(path, text, (DWORD)strlen(text));
}
