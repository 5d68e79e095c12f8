#include "platform/d3d8/gl/gl_backend.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/d3d8/resource_access.h"
#ifdef __EMSCRIPTEN__
#include "platform/web/browser_frame.h"
#endif

namespace {

GLenum PrimitiveMode(D3DPRIMITIVETYPE type) {
  switch (type) {
    case D3DPT_LINELIST:
      return GL_LINES;
    case D3DPT_LINESTRIP:
      return GL_LINE_STRIP;
    case D3DPT_TRIANGLESTRIP:
      return GL_TRIANGLE_STRIP;
    case D3DPT_TRIANGLEFAN:
      return GL_TRIANGLE_FAN;
    default:
      return GL_TRIANGLES;
  }
}

// The texture coordinate set stage 0 reads.
UINT TexCoordSet(const PipelineState& state) {
  return state.Stage(0, D3DTSS_TEXCOORDINDEX) & 0xFFFF;
}

// Bytes from the first drawn vertex to the end of the last: the last needs only its own size.
size_t DrawnBytes(const DrawCall& call, const VertexLayout& layout) {
  return size_t{call.vertexCount - 1} * call.stride + layout.size;
}

const void* IndexOffset(UINT firstIndex) {
  return reinterpret_cast<const void*>(uintptr_t{firstIndex} * sizeof(uint16_t));
}

}  // namespace

std::unique_ptr<GlBackend> GlBackend::Create(SDL_Window* window, const BackBufferSpec& spec,
                                             std::string* error) {
  GlContext context;
  if (!context.Create(window, error)) return nullptr;
  std::unique_ptr<GlBackend> backend(new GlBackend(std::move(context), window, spec));
  int width = static_cast<int>(spec.drawnWidth), height = static_cast<int>(spec.drawnHeight);
  if (width == 0 || height == 0) backend->PictureArea(nullptr, nullptr, &width, &height);
  if (!backend->targets_.CreateDeviceBuffers(spec, UINT(width), UINT(height), error)) {
    return nullptr;
  }
  backend->drawnWidth_ = width;
  backend->drawnHeight_ = height;
  // Windowed presentation is not tied to the display refresh; full screen is.
  SDL_GL_SetSwapInterval(spec.vsync ? 1 : 0);
#ifdef __EMSCRIPTEN__
  // Present waits for the browser's next frame after the swap; SDL's own yield inside the swap
  // would be a second wait each frame, through calls that would all have to be resumable.
  SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "0");
#endif
  return backend;
}

GlBackend::GlBackend(GlContext context, SDL_Window* window, const BackBufferSpec& spec)
    : context_(std::move(context)),
      window_(window),
      spec_(spec),
      input_(state_),
      stream_(state_, counters_),
      buffers_(state_, counters_),
      textures_(state_, counters_),
      arrays_(state_, counters_),
      targets_(state_, textures_) {}

GlBackend::~GlBackend() {
  context_.MakeCurrent();
}

void GlBackend::SetDeviceSurfaces(const IDirect3DSurface8* backBuffer,
                                  const IDirect3DSurface8* depthBuffer) {
  targets_.SetDeviceSurfaces(backBuffer, depthBuffer);
}

void GlBackend::Clear(const PipelineState& state, const D3DRECT& area, DWORD flags, D3DCOLOR color,
                      float z) {
  Flush();
  targets_.Bind(state.renderTarget, state.depthStencil);
  const ViewportState box =
      OnTarget({area.x1, area.y1, area.x2 - area.x1, area.y2 - area.y1}, state.renderTarget);
  const D3DRECT scaled{box.x, box.y, box.x + box.width, box.y + box.height};
  state_.SetScissor(&scaled);
  GLbitfield mask = 0;
  if (flags & D3DCLEAR_TARGET) {
    const std::array<float, 4> rgba = ColorChannels(color);
    state_.SetColorMask(0xF);
    glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if (flags & D3DCLEAR_ZBUFFER) {
    state_.SetDepthMask(true);
    glClearDepthf(z);
    mask |= GL_DEPTH_BUFFER_BIT;
  }
  glClear(mask);
}

void GlBackend::Draw(const DrawCall& call) {
  VertexLayout layout;
  if (!DescribeVertexFormat(call.fvf, &layout)) return;
  unmodelled_.Check(*call.state);
  IDirect3DTexture8* texture = call.state->textures[0];
  DrawSettings settings =
      DrawSettings::For(*call.state, layout.transformed, call.type, texture != nullptr);
  if (settings.program.texture == TextureKind::kNone) texture = nullptr;
  if (DrawBatcher::Suits(call, layout) && (!texture || arrays_.CanHold(*texture))) {
    Merge(call, layout, settings, texture);
    return;
  }
  Flush();
  DrawDirect(call, layout, settings, texture);
}

void GlBackend::Merge(const DrawCall& call, const VertexLayout& layout, DrawSettings settings,
                      IDirect3DTexture8* texture) {
  TextureClass textureClass;
  if (texture) {
    settings.program.texture = TextureKind::kArrayLayer;
    textureClass = TextureClass::Of(*texture);
  }
  // Changed texels rewrite a layer that the run may sample: draw the run first.
  if (!batcher_.Continues(settings, textureClass) || (texture && arrays_.IsStale(*texture))) {
    Flush();
    batcher_.Start(settings, textureClass);
  }
  const float layer = texture ? arrays_.Place(*texture) : 0.0f;
  batcher_.Append(call, layout, TexCoordSet(*call.state), Matrix4::From(call.state->world), layer);
}

void GlBackend::Flush() {
  if (batcher_.Empty()) return;
  const DrawSettings& settings = batcher_.Settings();
  if (Apply(settings, Matrix4::Identity())) {
    if (settings.program.texture == TextureKind::kArrayLayer) arrays_.Bind(batcher_.Class());
    const std::vector<MergedVertex>& vertices = batcher_.Vertices();
    const GLintptr offset = stream_.Write(vertices.data(), vertices.size() * sizeof(MergedVertex));
    input_.Bind(DrawBatcher::Layout(), stream_.Name(), offset, false, 0.0f);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size()));
    ++counters_.backendDraws;
  }
  batcher_.Clear();
}

void GlBackend::DrawDirect(const DrawCall& call, const VertexLayout& layout,
                           const DrawSettings& settings, IDirect3DTexture8* texture) {
  if (!Apply(settings, Matrix4::From(call.state->world))) return;
  if (texture) textures_.Sampled(*texture);
  if (settings.program.pointQuads) {
    DrawPointSquares(call, layout, settings);
    return;
  }
  const AttributeLayout attributes =
      AttributeLayout::ForVertices(layout, call.stride, TexCoordSet(*call.state));
  const size_t first = size_t{call.firstVertex} * call.stride;
  if (call.vertices.buffer) {
    const GLuint buffer = buffers_.Current(*call.vertices.buffer, GL_ARRAY_BUFFER);
    input_.Bind(attributes, buffer, static_cast<GLintptr>(first), false, 0.0f);
  } else {
    const GLintptr offset = stream_.Write(call.vertices.data + first, DrawnBytes(call, layout));
    input_.Bind(attributes, stream_.Name(), offset, false, 0.0f);
  }
  const GLenum mode = PrimitiveMode(call.type);
  if (call.indices.buffer) {
    buffers_.Current(*call.indices.buffer, GL_ELEMENT_ARRAY_BUFFER);
    glDrawElements(mode, static_cast<GLsizei>(call.indexCount), GL_UNSIGNED_SHORT,
                   IndexOffset(call.firstIndex));
  } else {
    glDrawArrays(mode, 0, static_cast<GLsizei>(call.vertexCount));
  }
  ++counters_.backendDraws;
}

// Each point is an instance drawn as a four-corner strip; the vertex shader places the
// corners. Instances read their attributes in order, so indexed points are gathered first.
void GlBackend::DrawPointSquares(const DrawCall& call, const VertexLayout& layout,
                                 const DrawSettings& settings) {
  const AttributeLayout attributes =
      AttributeLayout::ForVertices(layout, call.stride, TexCoordSet(*call.state));
  const uint8_t* first = call.vertices.data + size_t{call.firstVertex} * call.stride;
  UINT points = call.vertexCount;
  GLuint buffer = stream_.Name();
  GLintptr offset = 0;
  if (call.indices.data) {
    points = call.indexCount;
    gathered_.resize(size_t{points} * call.stride);
    const uint8_t* indices = call.indices.data + size_t{call.firstIndex} * sizeof(uint16_t);
    for (UINT i = 0; i < points; ++i) {
      uint16_t index;
      std::memcpy(&index, indices + size_t{i} * sizeof index, sizeof index);
      std::memcpy(gathered_.data() + size_t{i} * call.stride, first + size_t{index} * call.stride,
                  layout.size);
    }
    offset = stream_.Write(gathered_.data(), gathered_.size());
  } else if (call.vertices.buffer) {
    buffer = buffers_.Current(*call.vertices.buffer, GL_ARRAY_BUFFER);
    offset = static_cast<GLintptr>(first - call.vertices.data);
  } else {
    offset = stream_.Write(first, DrawnBytes(call, layout));
  }
  input_.Bind(attributes, buffer, offset, true, settings.pointSize);
  glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, static_cast<GLsizei>(points));
  ++counters_.backendDraws;
}

bool GlBackend::Apply(const DrawSettings& settings, const Matrix4& world) {
  ShaderProgram* program = programs_.Program(settings.program);
  if (!program) return false;
  targets_.Bind(settings.colorTarget, settings.depthTarget);
  state_.SetViewport(OnTarget(settings.viewport, settings.colorTarget));
  state_.SetScissor(nullptr);
  state_.SetRaster(settings.raster);
  if (state_.UseProgram(program->Name())) ++counters_.programSwitches;
  ProgramUniforms uniforms = settings.uniforms;
  uniforms.worldView = world.Then(settings.uniforms.worldView);
  if (targets_.IsBackBuffer(settings.colorTarget)) {
    uniforms.pixelScale = {float(drawnWidth_) / float(spec_.width),
                           float(drawnHeight_) / float(spec_.height)};
  }
  program->Upload(uniforms);
  if (settings.program.texture != TextureKind::kNone) {
    state_.BindSampler(samplers_.Sampler(settings.sampler));
  }
  return true;
}

void GlBackend::RenderTargetChanged(const IDirect3DSurface8* /*renderTarget*/,
                                    const IDirect3DSurface8* /*depthStencil*/) {
  // Draws carry their targets; only the pending run must reach the old one first.
  Flush();
}

ViewportState GlBackend::OnTarget(const ViewportState& area,
                                  const IDirect3DSurface8* target) const {
  if (!targets_.IsBackBuffer(target)) return area;
  // Edges are mapped, not sizes, so that areas side by side stay side by side.
  auto x = [this](GLint at) {
    return static_cast<GLint>(int64_t{at} * drawnWidth_ / static_cast<int64_t>(spec_.width));
  };
  auto y = [this](GLint at) {
    return static_cast<GLint>(int64_t{at} * drawnHeight_ / static_cast<int64_t>(spec_.height));
  };
  ViewportState drawn = area;
  drawn.x = x(area.x);
  drawn.y = y(area.y);
  drawn.width = x(area.x + area.width) - drawn.x;
  drawn.height = y(area.y + area.height) - drawn.y;
  return drawn;
}

void GlBackend::PictureArea(int* x, int* y, int* width, int* height) const {
  int windowWidth = 0, windowHeight = 0;
  SDL_GL_GetDrawableSize(window_, &windowWidth, &windowHeight);
  int w = windowWidth, h = windowHeight;
  if (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) {
    const int64_t wide = int64_t{windowWidth} * spec_.height;
    const int64_t tall = int64_t{windowHeight} * spec_.width;
    if (wide > tall) w = static_cast<int>(tall / spec_.height);
    if (tall > wide) h = static_cast<int>(wide / spec_.width);
  }
  if (x) *x = (windowWidth - w) / 2;
  if (y) *y = (windowHeight - h) / 2;
  *width = std::max(w, 1);
  *height = std::max(h, 1);
}

void GlBackend::Present() {
  Flush();
  glBindFramebuffer(GL_READ_FRAMEBUFFER, targets_.ResolvedBackBuffer());
  state_.BindDrawFramebuffer(0);
  state_.SetScissor(nullptr);
  int left = 0, bottom = 0, width = 0, height = 0;
  PictureArea(&left, &bottom, &width, &height);
  if (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) {
    state_.SetColorMask(0xF);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  // Top row first in the back buffer, bottom row first on the window: blit upside down.
  glBlitFramebuffer(0, 0, drawnWidth_, drawnHeight_, left, bottom + height, left + width, bottom,
                    GL_COLOR_BUFFER_BIT, GL_LINEAR);
  SDL_GL_SwapWindow(window_);
  FollowWindow();
#ifdef __EMSCRIPTEN__
  web::WaitForBrowserFrame();
#endif
}

void GlBackend::FollowWindow() {
  if (spec_.drawnWidth != 0) return;
  int width = 0, height = 0;
  PictureArea(nullptr, nullptr, &width, &height);
  if (width == drawnWidth_ && height == drawnHeight_) return;
  std::string error;
  if (!targets_.ResizeBackBuffer(UINT(width), UINT(height), &error)) {
    // Drawn on at the size that works; the window shows it stretched.
    targets_.ResizeBackBuffer(UINT(drawnWidth_), UINT(drawnHeight_), &error);
    return;
  }
  drawnWidth_ = width;
  drawnHeight_ = height;
}

bool GlBackend::ReadBackBuffer(BackBufferImage* image) {
  Flush();
  // Only this read's errors decide the answer.
  while (glGetError() != GL_NO_ERROR) {
  }
  image->width = UINT(drawnWidth_);
  image->height = UINT(drawnHeight_);
  image->rgba.resize(size_t(drawnWidth_) * size_t(drawnHeight_) * 4);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, targets_.ResolvedBackBuffer());
  // Rows come out in storage order, which is top row first.
  glReadPixels(0, 0, drawnWidth_, drawnHeight_, GL_RGBA, GL_UNSIGNED_BYTE, image->rgba.data());
  return glGetError() == GL_NO_ERROR;
}

void GlBackend::TextureDestroyed(const IDirect3DTexture8* texture) {
  Flush();
  arrays_.Forget(ResourceAccess::Id(*texture));
  targets_.Forget(ResourceAccess::Id(*texture));
  textures_.Forget(ResourceAccess::Id(*texture));
}

void GlBackend::BufferDestroyed(const BufferResource* buffer) {
  const GLuint name = buffers_.Forget(ResourceAccess::Id(*buffer));
  if (name) input_.ForgetBuffer(name);
}

void GlBackend::AddCounters(DeviceCounters* counters) const {
  counters->backendDraws += counters_.backendDraws;
  counters->programSwitches += counters_.programSwitches;
  counters->textureUploads += counters_.textureUploads;
  counters->bytesUploaded += counters_.bytesUploaded;
}

void GlBackend::ResetCounters() {
  counters_ = DeviceCounters{};
}
