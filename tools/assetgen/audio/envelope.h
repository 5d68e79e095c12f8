#pragma once
#include <initializer_list>
#include <vector>

namespace assetgen {

// A level over time through breakpoints, straight lines between them; before the first and
// after the last it holds.
class Envelope {
 public:
  struct Point {
    float seconds, level;
  };
  Envelope(std::initializer_list<Point> points);

  float At(float seconds) const;

 private:
  std::vector<Point> points_;
};

}  // namespace assetgen
