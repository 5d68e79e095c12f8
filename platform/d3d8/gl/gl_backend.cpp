#include "platform/d3d8/gl/gl_backend.h"

#include <SDL2/SDL.h>

namespace {

GLenum ColorStorage(D3DFORMAT format) { return format == D3DFMT_R5G6B5 ? GL_RGB565 : GL_RGBA8; }

GLenum DepthStorage(D3DFORMAT format) {
  return format == D3DFMT_D24S8 ? GL_DEPTH24_STENCIL8 : GL_DEPTH_COMPONENT16;
}

GLenum DepthAttachment(D3DFORMAT format) {
  return format == D3DFMT_D24S8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
}

float Channel(D3DCOLOR color, int shift) { return static_cast<float>((color >> shift) & 0xFF) / 255.0f; }

}  // namespace

std::unique_ptr<GlBackend> GlBackend::Create(SDL_Window* window, const BackBufferSpec& spec,
                                             std::string* error) {
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) {
    *error = std::string("cannot create an OpenGL 3.3 context: ") + SDL_GetError();
    return nullptr;
  }
  std::unique_ptr<GlBackend> backend(new GlBackend(window, context, spec));
  if (!backend->CreateBackBuffer(error)) return nullptr;
  // Windowed presentation is not tied to the display refresh; full screen is.
  SDL_GL_SetSwapInterval(spec.vsync ? 1 : 0);
  return backend;
}

GlBackend::GlBackend(SDL_Window* window, SDL_GLContext context, const BackBufferSpec& spec)
    : window_(window), context_(context), spec_(spec) {}

GlBackend::~GlBackend() {
  SDL_GL_MakeCurrent(window_, context_);
  glDeleteFramebuffers(1, &framebuffer_);
  glDeleteRenderbuffers(1, &colorBuffer_);
  glDeleteRenderbuffers(1, &depthBuffer_);
  SDL_GL_DeleteContext(context_);
}

bool GlBackend::CreateBackBuffer(std::string* error) {
  const auto width = static_cast<GLsizei>(spec_.width);
  const auto height = static_cast<GLsizei>(spec_.height);
  glGenFramebuffers(1, &framebuffer_);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glGenRenderbuffers(1, &colorBuffer_);
  glBindRenderbuffer(GL_RENDERBUFFER, colorBuffer_);
  glRenderbufferStorage(GL_RENDERBUFFER, ColorStorage(spec_.colorFormat), width, height);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorBuffer_);
  if (spec_.depthFormat != D3DFMT_UNKNOWN) {
    glGenRenderbuffers(1, &depthBuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
    glRenderbufferStorage(GL_RENDERBUFFER, DepthStorage(spec_.depthFormat), width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, DepthAttachment(spec_.depthFormat), GL_RENDERBUFFER,
                              depthBuffer_);
  }
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    *error = "the back buffer framebuffer is incomplete";
    return false;
  }
  glViewport(0, 0, width, height);
  return true;
}

void GlBackend::Clear(const PipelineState& /*state*/, const D3DRECT& area, DWORD flags,
                      D3DCOLOR color, float z) {
  GLbitfield mask = 0;
  if (flags & D3DCLEAR_TARGET) {
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(Channel(color, 16), Channel(color, 8), Channel(color, 0), Channel(color, 24));
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if (flags & D3DCLEAR_ZBUFFER) {
    glDepthMask(GL_TRUE);
    glClearDepthf(z);
    mask |= GL_DEPTH_BUFFER_BIT;
  }
  // Row y of the picture is row y of the framebuffer, so the rectangle needs no flip.
  glEnable(GL_SCISSOR_TEST);
  glScissor(area.x1, area.y1, area.x2 - area.x1, area.y2 - area.y1);
  glClear(mask);
  glDisable(GL_SCISSOR_TEST);
}

void GlBackend::Present() {
  int windowWidth = 0, windowHeight = 0;
  SDL_GL_GetDrawableSize(window_, &windowWidth, &windowHeight);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  // Top row first in the back buffer, bottom row first on the window: blit upside down.
  glBlitFramebuffer(0, 0, static_cast<GLint>(spec_.width), static_cast<GLint>(spec_.height), 0,
                    windowHeight, windowWidth, 0, GL_COLOR_BUFFER_BIT, GL_LINEAR);
  SDL_GL_SwapWindow(window_);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
}

bool GlBackend::ReadBackBuffer(BackBufferImage* image) {
  image->width = spec_.width;
  image->height = spec_.height;
  image->rgba.resize(size_t{spec_.width} * spec_.height * 4);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, static_cast<GLsizei>(spec_.width), static_cast<GLsizei>(spec_.height),
               GL_RGBA, GL_UNSIGNED_BYTE, image->rgba.data());
  if (spec_.colorFormat != D3DFMT_A8R8G8B8) {
    // The back buffer has no alpha channel to show: its pixels are opaque.
    for (size_t i = 3; i < image->rgba.size(); i += 4) image->rgba[i] = 0xFF;
  }
  return glGetError() == GL_NO_ERROR;
}
