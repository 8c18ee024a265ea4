#ifndef ZELBRIN_APP_SKIN_H
#define ZELBRIN_APP_SKIN_H

// Hook for a skinning layer, called once as the main window's last set-up
// step. The program relies on no effect of it and ignores its result.
int SkinH_Attach();

#endif
