#include "app/window_proc.h"

LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      break;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) PostQuitMessage(0);
      break;
    default:
      break;
  }
  // Handled messages still reach the default procedure.
  return DefWindowProcA(hWnd, message, wParam, lParam);
}
