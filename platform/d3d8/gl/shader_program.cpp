#include "platform/d3d8/gl/shader_program.h"

#include "platform/d3d8/gl/fixed_function_shader.h"

namespace {

std::string InfoLog(GLuint object, bool program) {
  GLint length = 0;
  program ? glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length)
          : glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
  std::string log(static_cast<size_t>(length > 0 ? length : 1), '\0');
  program ? glGetProgramInfoLog(object, length, nullptr, log.data())
          : glGetShaderInfoLog(object, length, nullptr, log.data());
  return log.c_str();
}

// A compiled shader, or 0 with the log.
GLuint Compile(GLenum stage, const std::string& source, std::string* log) {
  GLuint shader = glCreateShader(stage);
  const char* text = source.c_str();
  glShaderSource(shader, 1, &text, nullptr);
  glCompileShader(shader);
  GLint compiled = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (compiled) return shader;
  *log = InfoLog(shader, false);
  glDeleteShader(shader);
  return 0;
}

template <size_t N>
void SendIfChanged(GLint location, const std::array<float, N>& value,
                   const std::array<float, N>& sent, bool sentAny) {
  if (sentAny && value == sent) return;
  if constexpr (N == 2) glUniform2fv(location, 1, value.data());
  if constexpr (N == 3) glUniform3fv(location, 1, value.data());
  if constexpr (N == 4) glUniform4fv(location, 1, value.data());
  if constexpr (N == 16) glUniformMatrix4fv(location, 1, GL_FALSE, value.data());
}

}  // namespace

ShaderProgram::~ShaderProgram() {
  glDeleteProgram(program_);
}

bool ShaderProgram::Build(const FixedFunctionKey& key, std::string* log) {
  GLuint vertex = Compile(GL_VERTEX_SHADER, FixedFunctionShader::VertexSource(key), log);
  if (!vertex) return false;
  GLuint fragment = Compile(GL_FRAGMENT_SHADER, FixedFunctionShader::FragmentSource(key), log);
  if (!fragment) {
    glDeleteShader(vertex);
    return false;
  }
  program_ = glCreateProgram();
  glAttachShader(program_, vertex);
  glAttachShader(program_, fragment);
  glLinkProgram(program_);
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  GLint linked = GL_FALSE;
  glGetProgramiv(program_, GL_LINK_STATUS, &linked);
  if (!linked) {
    *log = InfoLog(program_, true);
    return false;
  }
  locations_.worldView = glGetUniformLocation(program_, "u_worldView");
  locations_.projection = glGetUniformLocation(program_, "u_projection");
  locations_.viewport = glGetUniformLocation(program_, "u_viewport");
  locations_.pointLimits = glGetUniformLocation(program_, "u_pointLimits");
  locations_.pointScale = glGetUniformLocation(program_, "u_pointScale");
  locations_.textureFactor = glGetUniformLocation(program_, "u_textureFactor");
  locations_.alphaRef = glGetUniformLocation(program_, "u_alphaRef");
  locations_.pixelScale = glGetUniformLocation(program_, "u_pixelScale");
  return true;
}

void ShaderProgram::Upload(const ProgramUniforms& uniforms) {
  SendIfChanged(locations_.worldView, uniforms.worldView.m, sent_.worldView.m, sentAny_);
  SendIfChanged(locations_.projection, uniforms.projection.m, sent_.projection.m, sentAny_);
  SendIfChanged(locations_.viewport, uniforms.viewport, sent_.viewport, sentAny_);
  SendIfChanged(locations_.pointLimits, uniforms.pointLimits, sent_.pointLimits, sentAny_);
  SendIfChanged(locations_.pointScale, uniforms.pointScale, sent_.pointScale, sentAny_);
  SendIfChanged(locations_.textureFactor, uniforms.textureFactor, sent_.textureFactor, sentAny_);
  SendIfChanged(locations_.pixelScale, uniforms.pixelScale, sent_.pixelScale, sentAny_);
  if (!sentAny_ || uniforms.alphaRef != sent_.alphaRef)
    glUniform1f(locations_.alphaRef, uniforms.alphaRef);
  sent_ = uniforms;
  sentAny_ = true;
}
