#include "sound/sound.h"

const char SOUND_HINT[] = "设置提示音文件路径,点击右边选择文件";
