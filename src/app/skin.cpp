#include "app/skin.h"

// The standard look is kept: there is nothing to attach.
int SkinH_Attach()
{
    return 0;
}
