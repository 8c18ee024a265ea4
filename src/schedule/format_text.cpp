#include "format_text.h"

#include <stdarg.h>
#include <string.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <stdio.h>
#endif

void FormatText(char *out, size_t size, const char *format, ...)
{
    if (size == 0)
        return;
    va_list args;
    va_start(args, format);
#ifdef _WIN32
    // wvsprintfA has no size argument but never writes more than 1024 bytes
    // and the NUL, so it formats into a buffer of that size first.
    char staging[1025];
    wvsprintfA(staging, format, args);
    CopyText(out, size, staging);
#else
    vsnprintf(out, size, format, args);
#endif
    va_end(args);
}

void CopyText(char *out, size_t size, const char *source)
{
    if (size == 0)
        return;
    size_t length = strnlen(source, size - 1);
    memcpy(out, source, length);
    out[length] = '\0';
}
