#pragma once
// The main window's procedure: all input arrives here as messages.
#include "platform/win32.h"

LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
