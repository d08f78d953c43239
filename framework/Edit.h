#pragma once
#include "framework/Wnd.h"

// An edit control; its text goes through CWnd's GetWindowText and SetWindowText.
class CEdit : public CWnd {};
