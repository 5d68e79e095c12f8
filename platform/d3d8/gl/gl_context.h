#pragma once
// The OpenGL context a backend draws with. Declared first in the backend, so that it is made
// before and deleted after every GL object the backend's parts own.
#include <SDL2/SDL_video.h>

#include <string>

class GlContext {
 public:
  GlContext() = default;
  ~GlContext();
  GlContext(GlContext&& other) noexcept;
  GlContext(const GlContext&) = delete;
  GlContext& operator=(const GlContext&) = delete;

  // Creates the context on the window and makes it current.
  bool Create(SDL_Window* window, std::string* error);
  void MakeCurrent() const;

 private:
  SDL_Window* window_ = nullptr;
  SDL_GLContext context_ = nullptr;
};
