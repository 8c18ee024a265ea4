#ifndef ZELBRIN_SOUND_SOUND_H
#define ZELBRIN_SOUND_SOUND_H

#include <windows.h>
#include <commdlg.h>

// Stands in a sound-path field until the user picks a file. It is ordinary
// field text: left there, it is stored and later used as a path that plays
// nothing.
extern const char SOUND_HINT[];

const int kSoundPathSize = 260;
const int kShortPathSize = 260;
// "close \"<259-byte short path>\"" and the NUL.
const int kSoundCommandSize = 6 + 1 + (kShortPathSize - 1) + 1 + 1;

// Forms "<verb> \"<short path>\"". An empty short path (no such file) gives
// no command: returns false and leaves the empty text.
bool FormatSoundCommand(const char *verb, const char *shortPath, char command[kSoundCommandSize]);

// Starts the file playing, leaving its short form in shortPath (empty when
// the path names no file). Failures are silent.
void PlayAlarmSound(const char *path, char shortPath[kShortPathSize]);
// Stops and releases what PlayAlarmSound started with this short form.
void StopAlarmSound(const char *shortPath);

// The open-file dialog: one filter, "mp3". Returns 1 with the chosen full
// path copied into path, or 0 with path untouched.
int ChooseSoundFile(HWND owner, char path[kSoundPathSize]);
void FillOpenFileRequest(OPENFILENAMEA *request, HWND owner, char file[kSoundPathSize]);

// What every "..." button does: choose a file and, when one was chosen, put
// its path into the dialog's sound-path field.
void BrowseForSound(HWND dialog, int pathEditId);

// Every alarm: start the sound, kill the alarm's own timer so that no tick
// comes while the box is open, show the box, and stop the sound once it is
// answered. Returns the answer; restarting the timer is the caller's.
int RingAlarm(HWND owner, UINT_PTR timerId, const char *soundPath,
              const char *text, const char *caption, UINT style);

#endif
