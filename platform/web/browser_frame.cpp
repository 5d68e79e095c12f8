#include "platform/web/browser_frame.h"

#include <emscripten/emscripten.h>

// The program's stack is saved and restored around the wait (Asyncify), so its loop stays as it
// is.
EM_ASYNC_JS(void, vulcara_await_animation_frame, (), {
  await new Promise(requestAnimationFrame);  // the frame's callback resolves it
});

namespace web {

void WaitForBrowserFrame() {
  vulcara_await_animation_frame();
}

}  // namespace web
