#pragma once
// One linked program of the fixed-function shader and the uniform values it last received.
#include <epoxy/gl.h>

#include <array>
#include <string>

#include "platform/d3d8/gl/fixed_function_key.h"
#include "platform/d3d8/gl/matrix4.h"

struct ProgramUniforms {
  Matrix4 worldView;
  Matrix4 projection;
  std::array<float, 4> viewport{};     // x, y, width, height
  std::array<float, 3> pointLimits{};  // minimum size, maximum size, scale enabled
  std::array<float, 3> pointScale{};   // A, B, C
  std::array<float, 4> textureFactor{};
  float alphaRef = 0.0f;
  std::array<float, 2> pixelScale{1.0f, 1.0f};  // the target's pixels to one of the program's

  bool operator==(const ProgramUniforms&) const = default;
};

class ShaderProgram {
 public:
  ShaderProgram() = default;
  ~ShaderProgram();
  ShaderProgram(const ShaderProgram&) = delete;
  ShaderProgram& operator=(const ShaderProgram&) = delete;

  // Compiles and links the program of a state combination; false with GL's log on failure.
  bool Build(const FixedFunctionKey& key, std::string* log);
  GLuint Name() const { return program_; }
  // Sends what differs from the last values sent. The program must be in use.
  void Upload(const ProgramUniforms& uniforms);

 private:
  struct Locations {
    GLint worldView = -1;
    GLint projection = -1;
    GLint viewport = -1;
    GLint pointLimits = -1;
    GLint pointScale = -1;
    GLint textureFactor = -1;
    GLint alphaRef = -1;
    GLint pixelScale = -1;
  };

  GLuint program_ = 0;
  Locations locations_;
  ProgramUniforms sent_;
  bool sentAny_ = false;
};
