#pragma once
// The web build's stand-in for the GL loader: WebGL 2 is OpenGL ES 3.0, and the backend keeps to
// that subset, so the ES 3.0 header declares everything it calls.
#include <GLES3/gl3.h>
