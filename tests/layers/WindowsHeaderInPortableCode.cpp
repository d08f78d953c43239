// Must not compile: a portable file including a Windows header.
#include "text/NumberText.h"

#include <windows.h>
