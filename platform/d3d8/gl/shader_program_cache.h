#pragma once
// Programs of the fixed-function shader, built the first time a state combination is drawn.
#include <map>
#include <memory>

#include "platform/d3d8/gl/shader_program.h"

class ShaderProgramCache {
 public:
  // Null when the combination does not build; the reason is printed once.
  ShaderProgram* Program(const FixedFunctionKey& key);

 private:
  std::map<FixedFunctionKey, std::unique_ptr<ShaderProgram>> programs_;
};
