// Must not compile: the framework reaching up into the main window.
#include "mainwnd/win/TavrelDlg.h"
