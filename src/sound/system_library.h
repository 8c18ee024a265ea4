#ifndef ZELBRIN_SOUND_SYSTEM_LIBRARY_H
#define ZELBRIN_SOUND_SYSTEM_LIBRARY_H

// The multimedia and common-dialog libraries are loaded when first used:
// loading them at start-up slows every start, and most runs of the program
// never pick a file, and ring only much later. They are loaded from the
// system folder only: a library of the same name beside the program must
// never be loaded in its place.
typedef void (*AnyFunction)();

// NULL where the library or the function is not to be had.
AnyFunction SystemFunction(const char *library, const char *name);

#endif
