#include <windows.h>
int tavrel_win_placeholder;
