#ifndef ZELBRIN_SOUND_SOUND_H
#define ZELBRIN_SOUND_SOUND_H

// Stands in a sound-path field until the user picks a file. It is ordinary
// field text: left there, it is stored and later used as a path that plays
// nothing.
extern const char SOUND_HINT[];

#endif
