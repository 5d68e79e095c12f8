#include "platform/d3d8/gl/gl_context.h"

#include <SDL2/SDL.h>

GlContext::~GlContext() {
  if (context_) SDL_GL_DeleteContext(context_);
}

GlContext::GlContext(GlContext&& other) noexcept
    : window_(other.window_), context_(other.context_) {
  other.context_ = nullptr;
}

bool GlContext::Create(SDL_Window* window, std::string* error) {
  window_ = window;
  context_ = SDL_GL_CreateContext(window);
  if (!context_) {
    *error = std::string("cannot create an OpenGL 3.3 context: ") + SDL_GetError();
    return false;
  }
  return true;
}

void GlContext::MakeCurrent() const {
  SDL_GL_MakeCurrent(window_, context_);
}
