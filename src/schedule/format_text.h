#ifndef ZELBRIN_SCHEDULE_FORMAT_TEXT_H
#define ZELBRIN_SCHEDULE_FORMAT_TEXT_H

#include <stddef.h>

// wsprintfA on Windows, vsnprintf elsewhere; never writes more than size
// bytes and always terminates.
void FormatText(char *out, size_t size, const char *format, ...);

// Copies at most size - 1 bytes of source and terminates the copy.
void CopyText(char *out, size_t size, const char *source);

#endif
