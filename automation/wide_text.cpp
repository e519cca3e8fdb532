#include "wide_text.h"

std::wstring Utf16(const char *utf8)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, NULL, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], length);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

/* `wide` in `codePage`. */
static std::string Narrow(const wchar_t *wide, UINT codePage)
{
    if (!wide)
        return std::string();
    int length = WideCharToMultiByte(codePage, 0, wide, -1, NULL, 0, NULL, NULL);
    std::string text(length > 0 ? length : 1, '\0');
    WideCharToMultiByte(codePage, 0, wide, -1, &text[0], length, NULL, NULL);
    text.resize(strlen(text.c_str()));
    return text;
}

std::string Utf8(const wchar_t *wide)
{
    return Narrow(wide, CP_UTF8);
}

std::string InCodePage(const char *utf8, UINT codePage)
{
    return Narrow(Utf16(utf8).c_str(), codePage);
}
