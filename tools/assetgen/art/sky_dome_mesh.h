#pragma once
#include "formats/md3_writer.h"

// The sky dome model: a hemisphere round the origin, y up, reaching a few degrees below the
// horizon. The scene draws it scaled by 0.5 with culling of clockwise triangles, seen from
// inside, so every triangle turns counter-clockwise as seen from the centre. The cloud
// texture lies on it as if projected straight down: big overhead, thin at the horizon.
class SkyDomeMesh {
 public:
  static constexpr float kRadius = 600.f;  // model units: 300 world units, far plane 1000
  static constexpr int kRings = 12;
  static constexpr int kSegments = 32;
  static constexpr float kLowestDegrees = 95.f;  // from the zenith

  static Md3Mesh build();

 private:
  static void addVertex(Md3Mesh& mesh, float polar, float azimuth);
  static void addTriangle(Md3Mesh& mesh, int a, int b, int c);
};
