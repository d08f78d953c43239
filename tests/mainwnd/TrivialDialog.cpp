// trivial-dialog: the yardstick for Tavrel's start-up time, a program that only shows one small dialog.
#include <windows.h>

namespace {
INT_PTR CALLBACK Proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    if (msg == WM_CLOSE) {
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return msg == WM_INITDIALOG;
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return (int)::DialogBoxParamA(instance, MAKEINTRESOURCEA(100), nullptr, Proc, 0);
}
