#pragma once
// The Windows headers in the one order that works for every file: Windows Sockets 2 before windows.h
// (which would otherwise bring in the old sockets header), then the common controls.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
