#ifndef ZELBRIN_SOUND_MCI_H
#define ZELBRIN_SOUND_MCI_H

// Sends one command string to the multimedia system and ignores its result.
// Called from the sound's own thread only. The program links the version
// that asks Windows (app/); the tests link a stand-in.
void SendMciCommand(const wchar_t *command);

#endif
