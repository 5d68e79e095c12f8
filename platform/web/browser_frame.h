#pragma once
// The browser shows a canvas's frame only once the program hands control back to it.

namespace web {

// Called after each presented frame: lets the browser show it, then resumes at the browser's next
// animation frame. Between the two the browser delivers input, so the message loop finds it
// waiting as it would on a desktop.
void WaitForBrowserFrame();

}  // namespace web
