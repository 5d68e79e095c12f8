#pragma once
// The program's entry sequence and main loop.
#include "platform/win32.h"

// Registers the window class, opens the window, runs the start-up and then the main loop
// until WM_QUIT; returns the quit message's code.
int WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int cmdShow);
// Registers the window class and opens the main window into g_hWnd (not tested: a failed
// window shows up as a failed device). False when the class can't be registered.
bool CreateMainWindow(HINSTANCE instance, int cmdShow);
// One frame of the main loop: timer, frame, frame rate.
void ProduceFrame();
