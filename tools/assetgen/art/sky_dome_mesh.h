#pragma once
#include "tools/assetgen/formats/md3_writer.h"

namespace assetgen {

// The sky dome model: a dome round the origin, y up, reaching 30 degrees below the horizon, so
// that from the cameras' heights it also fills the view past the sea plane's edge. The scene
// draws it scaled by 0.5 with culling of clockwise triangles, seen from inside, so every
// triangle turns counter-clockwise as seen from the centre. The cloud texture lies on it in
// rings by the angle from the zenith: its centre overhead, its rim at the dome's rim.
class SkyDomeMesh {
 public:
  static constexpr float kRadius = 600.f;  // model units: 300 world units, far plane 1000
  static constexpr int kRings = 12;
  static constexpr int kSegments = 32;
  static constexpr float kLowestDegrees = 120.f;  // from the zenith

  static Md3Mesh Build();

 private:
  static void AddVertex(Md3Mesh& mesh, float polar, float azimuth);
  static void AddTriangle(Md3Mesh& mesh, int a, int b, int c);
};

}  // namespace assetgen
