#ifndef ZELBRIN_SOUND_SOUND_H
#define ZELBRIN_SOUND_SOUND_H

#include <windows.h>

// Stands in a sound-path field until the user picks a file. It is ordinary
// field text: left there, it is stored and later used as a path that plays
// nothing.
extern const char SOUND_HINT[];

const int kSoundPathSize = 260;
const int kShortPathSize = 260;

// One alarm's sound: the number of the device it plays on, 0 for none. Each
// alarm opens a device of its own, so two alarms with the same file never
// close each other's sound.
struct AlarmSound {
    unsigned device;
};

// How many sounds may be on at once, from PlayAlarmSound to StopAlarmSound;
// one more stays silent. Every alarm box that can be open holds one.
const int kMaxAlarmSounds = 4;

// Both return at once: the file is looked up, opened, played and closed on
// a thread of its own, in the order asked. The path is in UTF-16, so that a
// name code page 936 cannot spell is looked up all the same. Failures are
// silent; a path that names no file sends no command at all.
void PlayAlarmSound(const wchar_t *path, AlarmSound *sound);
// Once this has returned, the alarm's sound never plays again.
void StopAlarmSound(const AlarmSound *sound);
// For the program's end: stops every sound, waiting for that a moment at
// most.
void StopAllAlarmSounds();

// The open-file dialog: one filter, "mp3". Returns 1 with a path that names
// the chosen file copied into path, or 0 with path untouched: cancelled, or
// refused with a box when the file's name cannot be carried.
int ChooseSoundFile(HWND owner, char path[kSoundPathSize]);
// What every "..." button does: choose a file and, when one was chosen, put
// its path into the dialog's sound-path field.
void BrowseForSound(HWND dialog, int pathEditId);

// A sound-path field as typed, in UTF-16, without the double quotes of
// Explorer's "copy as path".
void ReadTypedSoundPath(HWND dialog, int pathEditId, wchar_t path[kSoundPathSize]);
// The same, taken as "..." takes a chosen name: spelled in code page 936 or,
// where that cannot carry it, by the file's short form. When neither names
// the file, the user is told so in a box over the dialog, and the result is
// false.
bool TakeSoundPath(HWND dialog, int pathEditId, char path[kSoundPathSize]);

#endif
