#include "Globals.h"

int32 MENG_V = 25;
float WIN_X = 30;
float WIN_Y = 50;
float WIN_W = 400;
float WIN_H = MENG_V * 21;

bool DeviceIsRunning = false;
int32 InHouseMenge = 0;

const char* const TStat[4] = { "TAG_INI", "TAG__IN", "TAG_OUT", "TAG_EER" };
