#pragma once
#include "mainwnd/WindowPosition.h"

// The primary work area, the virtual screen's size and every connected monitor's work area, as the
// system reports them now. A monitor whose details cannot be read is left out.
ScreenLayout CurrentScreenLayout();
