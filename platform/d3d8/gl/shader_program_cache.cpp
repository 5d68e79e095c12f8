#include "platform/d3d8/gl/shader_program_cache.h"

#include <cstdio>
#include <string>

ShaderProgram* ShaderProgramCache::Program(const FixedFunctionKey& key) {
  auto found = programs_.find(key);
  if (found != programs_.end()) return found->second.get();
  auto program = std::make_unique<ShaderProgram>();
  std::string log;
  if (!program->Build(key, &log)) {
    std::fprintf(stderr, "fixed-function shader does not build: %s\n", log.c_str());
    program.reset();
  }
  return programs_.emplace(key, std::move(program)).first->second.get();
}
