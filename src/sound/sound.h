#ifndef ZELBRIN_SOUND_SOUND_H
#define ZELBRIN_SOUND_SOUND_H

#include <windows.h>

// Stands in a sound-path field until the user picks a file. It is ordinary
// field text: left there, it is stored and later used as a path that plays
// nothing.
extern const char SOUND_HINT[];

const int kSoundPathSize = 260;
const int kShortPathSize = 260;
const int kSoundAliasSize = 16;

// One alarm's sound: the name of the device it plays on, empty when the
// path named no file. Each alarm opens a device of its own, so two alarms
// with the same file never close each other's sound.
struct AlarmSound {
    char alias[kSoundAliasSize];
};

// Starts the file playing on a device of the alarm's own. Failures are
// silent; a path that names no file sends no command at all.
void PlayAlarmSound(const char *path, AlarmSound *sound);
// Stops and releases what PlayAlarmSound started for this alarm.
void StopAlarmSound(const AlarmSound *sound);
// Stops every alarm's sound at once, for the program's end.
void StopAllAlarmSounds();

// The open-file dialog: one filter, "mp3". Returns 1 with a path that names
// the chosen file copied into path, or 0 with path untouched: cancelled, or
// refused with a box when the file's name cannot be carried.
int ChooseSoundFile(HWND owner, char path[kSoundPathSize]);

#endif
