#include "sound/system_library.h"

#include <windows.h>

AnyFunction SystemFunction(const char *library, const char *name)
{
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenA(library) >= MAX_PATH)
        return NULL;
    lstrcatA(path, "\\");
    lstrcatA(path, library);
    HMODULE module = LoadLibraryA(path);
    // Through the generic function type, which converts to any other.
    return module ? reinterpret_cast<AnyFunction>(GetProcAddress(module, name)) : NULL;
}
