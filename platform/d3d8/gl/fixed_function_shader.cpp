#include "platform/d3d8/gl/fixed_function_shader.h"

namespace {

// The bodies below keep to GLSL ES 3.00, so WebGL 2 takes them with only this line changed.
#ifdef __EMSCRIPTEN__
constexpr const char* kVersion = "#version 300 es\n";
#else
constexpr const char* kVersion = "#version 330 core\n";
#endif

constexpr const char* kVertexBody = R"(
layout(location = 0) in vec4 a_position;  // x, y, z, and 1/w when PRETRANSFORMED
layout(location = 1) in vec4 a_diffuse;   // a D3DCOLOR's bytes: blue, green, red, alpha
layout(location = 2) in vec2 a_texCoord;
layout(location = 3) in float a_pointSize;
layout(location = 4) in float a_layer;

// Direct3D's row-vector matrices uploaded as they are: GL reads the transpose, which
// multiplies column vectors as the original multiplies row vectors.
uniform mat4 u_worldView;
uniform mat4 u_projection;
uniform vec4 u_viewport;     // x, y, width, height in target pixels
uniform vec3 u_pointLimits;  // D3DRS_POINTSIZE_MIN, D3DRS_POINTSIZE_MAX, POINTSCALEENABLE
uniform vec3 u_pointScale;   // D3DRS_POINTSCALE_A, _B, _C

out vec4 v_diffuse;
out vec3 v_texCoord;

void main() {
#if PRETRANSFORMED
  // Screen pixels are target pixels: row 0 is the top row in storage too.
  float w = 1.0 / a_position.w;
  vec2 ndc = (a_position.xy - u_viewport.xy) / u_viewport.zw * 2.0 - 1.0;
  vec4 clip = vec4(ndc, a_position.z * 2.0 - 1.0, 1.0) * w;
  float eyeDistance = w;
#else
  vec4 eye = u_worldView * vec4(a_position.xyz, 1.0);
  vec4 clip = u_projection * eye;
  float eyeDistance = length(eye.xyz);
  clip.z = 2.0 * clip.z - clip.w;  // Direct3D's depth runs from 0 to 1, GL's from -1
  clip.y = -clip.y;                // targets are stored top row first
#endif

#if POINT_QUADS
  // Instance = point, vertex 0..3 = corner of its square as a strip; corner (0, 0) is the
  // top-left. Squares, unlike GL points, have no size limit and clip like triangles.
  vec2 corner = vec2(float(gl_VertexID & 1), float(gl_VertexID >> 1));
  float size = a_pointSize;
  if (u_pointLimits.z != 0.0) {
    float d = eyeDistance;
    vec3 terms = vec3(1.0, d, d * d);
    size *= u_viewport.w * sqrt(1.0 / dot(u_pointScale, terms));
  }
  size = min(max(size, u_pointLimits.x), u_pointLimits.y);
  clip.xy += (corner * 2.0 - 1.0) * size / u_viewport.zw * clip.w;
#endif

#if SPRITE_TEXCOORDS
  v_texCoord = vec3(corner, 0.0);
#else
  v_texCoord = vec3(a_texCoord, a_layer);
#endif
  v_diffuse = a_diffuse.bgra;
  gl_Position = clip;
}
)";

constexpr const char* kFragmentBody = R"(
precision highp float;
precision highp int;

in vec4 v_diffuse;
in vec3 v_texCoord;

#if TEXTURE == TEXTURE_ARRAY_LAYER
uniform highp sampler2DArray u_texture;
#elif TEXTURE == TEXTURE_2D
uniform highp sampler2D u_texture;
#endif
uniform vec4 u_textureFactor;  // D3DRS_TEXTUREFACTOR
uniform float u_alphaRef;      // the low 8 bits of D3DRS_ALPHAREF
uniform vec2 u_pixelScale;     // the target's pixels to one of the program's

layout(location = 0) out vec4 o_color;

// In screen space, the coordinates at the centre of the program's pixel that holds this one.
vec3 TexCoord() {
#if SCREEN_SPACE
  vec2 toCentre = (floor(gl_FragCoord.xy / u_pixelScale) + 0.5) * u_pixelScale - gl_FragCoord.xy;
  vec2 shift = dFdx(v_texCoord.xy) * toCentre.x + dFdy(v_texCoord.xy) * toCentre.y;
  return v_texCoord + vec3(shift, 0.0);
#else
  return v_texCoord;
#endif
}

vec4 Texel() {
#if TEXTURE == TEXTURE_ARRAY_LAYER
  return texture(u_texture, TexCoord());
#elif TEXTURE == TEXTURE_2D
  return texture(u_texture, TexCoord().xy);
#else
  return vec4(1.0);  // only alpha may read a texture that is not there: it reads opaque
#endif
}

// A D3DTA_* argument of stage 0, where the current colour is the diffuse colour.
vec4 Argument(int arg, vec4 texel) {
  int source = arg & D3DTA_SELECTMASK;
  vec4 value = source == D3DTA_TEXTURE ? texel
             : source == D3DTA_TFACTOR ? u_textureFactor
             : v_diffuse;
  if ((arg & D3DTA_COMPLEMENT) != 0) value = 1.0 - value;
  if ((arg & D3DTA_ALPHAREPLICATE) != 0) value = value.aaaa;
  return value;
}

// A D3DTOP_* operation; the key has already mapped everything else to MODULATE.
vec4 Operation(int op, vec4 a, vec4 b) {
  if (op == D3DTOP_SELECTARG1) return a;
  if (op == D3DTOP_SELECTARG2) return b;
  if (op == D3DTOP_MODULATE2X) return min(a * b * 2.0, 1.0);
  if (op == D3DTOP_MODULATE4X) return min(a * b * 4.0, 1.0);
  if (op == D3DTOP_ADD) return min(a + b, 1.0);
  if (op == D3DTOP_ADDSIGNED) return clamp(a + b - 0.5, 0.0, 1.0);
  return a * b;
}

// Direct3D compares alpha as an 8-bit value.
bool AlphaPasses(int func, float alpha) {
  float a = floor(alpha * 255.0 + 0.5);
  if (func == D3DCMP_NEVER) return false;
  if (func == D3DCMP_LESS) return a < u_alphaRef;
  if (func == D3DCMP_EQUAL) return a == u_alphaRef;
  if (func == D3DCMP_LESSEQUAL) return a <= u_alphaRef;
  if (func == D3DCMP_GREATER) return a > u_alphaRef;
  if (func == D3DCMP_NOTEQUAL) return a != u_alphaRef;
  if (func == D3DCMP_GREATEREQUAL) return a >= u_alphaRef;
  return true;
}

void main() {
  vec4 texel = Texel();
  vec3 color = Operation(COLOR_OP, Argument(COLOR_ARG1, texel), Argument(COLOR_ARG2, texel)).rgb;
  float alpha = Operation(ALPHA_OP, Argument(ALPHA_ARG1, texel), Argument(ALPHA_ARG2, texel)).a;
  if (!AlphaPasses(ALPHA_FUNC, alpha)) discard;
  o_color = vec4(color, alpha);
}
)";

void Define(std::string* source, const char* name, int value) {
  *source += "#define ";
  *source += name;
  *source += ' ';
  *source += std::to_string(value);
  *source += '\n';
}

// The Direct3D names the shaders use, with this device's values.
void DefineDirect3DNames(std::string* source) {
  Define(source, "D3DTA_SELECTMASK", FixedFunctionKey::kArgumentSourceMask);
  Define(source, "D3DTA_DIFFUSE", D3DTA_DIFFUSE);
  Define(source, "D3DTA_TEXTURE", D3DTA_TEXTURE);
  Define(source, "D3DTA_TFACTOR", D3DTA_TFACTOR);
  Define(source, "D3DTA_COMPLEMENT", D3DTA_COMPLEMENT);
  Define(source, "D3DTA_ALPHAREPLICATE", D3DTA_ALPHAREPLICATE);
  Define(source, "D3DTOP_SELECTARG1", D3DTOP_SELECTARG1);
  Define(source, "D3DTOP_SELECTARG2", D3DTOP_SELECTARG2);
  Define(source, "D3DTOP_MODULATE2X", D3DTOP_MODULATE2X);
  Define(source, "D3DTOP_MODULATE4X", D3DTOP_MODULATE4X);
  Define(source, "D3DTOP_ADD", D3DTOP_ADD);
  Define(source, "D3DTOP_ADDSIGNED", D3DTOP_ADDSIGNED);
  Define(source, "D3DCMP_NEVER", D3DCMP_NEVER);
  Define(source, "D3DCMP_LESS", D3DCMP_LESS);
  Define(source, "D3DCMP_EQUAL", D3DCMP_EQUAL);
  Define(source, "D3DCMP_LESSEQUAL", D3DCMP_LESSEQUAL);
  Define(source, "D3DCMP_GREATER", D3DCMP_GREATER);
  Define(source, "D3DCMP_NOTEQUAL", D3DCMP_NOTEQUAL);
  Define(source, "D3DCMP_GREATEREQUAL", D3DCMP_GREATEREQUAL);
  Define(source, "TEXTURE_2D", static_cast<int>(TextureKind::k2D));
  Define(source, "TEXTURE_ARRAY_LAYER", static_cast<int>(TextureKind::kArrayLayer));
}

}  // namespace

std::string FixedFunctionShader::VertexSource(const FixedFunctionKey& key) {
  std::string source = kVersion;
  Define(&source, "PRETRANSFORMED", key.pretransformed);
  Define(&source, "POINT_QUADS", key.pointQuads);
  Define(&source, "SPRITE_TEXCOORDS", key.spriteTexCoords);
  return source + kVertexBody;
}

std::string FixedFunctionShader::FragmentSource(const FixedFunctionKey& key) {
  std::string source = kVersion;
  DefineDirect3DNames(&source);
  Define(&source, "TEXTURE", static_cast<int>(key.texture));
  Define(&source, "SCREEN_SPACE", key.screenSpace);
  Define(&source, "COLOR_OP", key.colorOp);
  Define(&source, "COLOR_ARG1", key.colorArg1);
  Define(&source, "COLOR_ARG2", key.colorArg2);
  Define(&source, "ALPHA_OP", key.alphaOp);
  Define(&source, "ALPHA_ARG1", key.alphaArg1);
  Define(&source, "ALPHA_ARG2", key.alphaArg2);
  Define(&source, "ALPHA_FUNC", key.alphaFunc);
  return source + kFragmentBody;
}
