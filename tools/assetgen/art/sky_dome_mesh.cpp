#include "tools/assetgen/art/sky_dome_mesh.h"

#include <cmath>
#include <numbers>

namespace assetgen {

namespace {
constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kTextureReach = 0.48f;  // texture radius at the rim; stays inside the picture
}  // namespace

void SkyDomeMesh::AddVertex(Md3Mesh& mesh, float polar, float azimuth) {
  Vec3 direction{std::sin(polar) * std::cos(azimuth), std::cos(polar),
                 std::sin(polar) * std::sin(azimuth)};
  mesh.positions.push_back(direction * kRadius);
  mesh.normals.push_back(direction * -1.f);  // facing the viewer inside
  // Evenly by the angle from the zenith, so the clouds below the horizon don't streak.
  float reach = kTextureReach * polar / (kLowestDegrees * kPi / 180.f);
  mesh.texCoords.push_back({0.5f + reach * std::cos(azimuth), 0.5f + reach * std::sin(azimuth)});
}

void SkyDomeMesh::AddTriangle(Md3Mesh& mesh, int a, int b, int c) {
  mesh.triangles.push_back({a, b, c});
}

Md3Mesh SkyDomeMesh::Build() {
  Md3Mesh mesh;
  mesh.name = "skydome";
  mesh.shader = "clouds";
  AddVertex(mesh, 0, 0);  // the zenith
  float lowest = kLowestDegrees * kPi / 180.f;
  for (int ring = 1; ring <= kRings; ++ring) {
    for (int s = 0; s < kSegments; ++s) {
      AddVertex(mesh, lowest * ring / kRings, 2 * kPi * s / kSegments);
    }
  }
  auto vertex = [](int ring, int segment) {
    return 1 + (ring - 1) * kSegments + segment % kSegments;
  };
  for (int s = 0; s < kSegments; ++s) AddTriangle(mesh, 0, vertex(1, s + 1), vertex(1, s));
  for (int ring = 1; ring < kRings; ++ring) {
    for (int s = 0; s < kSegments; ++s) {
      int upper = vertex(ring, s), upperNext = vertex(ring, s + 1);
      int lower = vertex(ring + 1, s), lowerNext = vertex(ring + 1, s + 1);
      AddTriangle(mesh, upper, lowerNext, lower);
      AddTriangle(mesh, lowerNext, upper, upperNext);
    }
  }
  return mesh;
}

}  // namespace assetgen
