#include "Jumps.h"

#include <algorithm>
#include <cmath>

namespace {

Tenths toHalfPoints(double value) {
  return Tenths(std::lround(value * 2.0)) * 5;
}

}  // namespace

Jump simulateJump(Random& random, const Hill& hill, const Jumper& jumper) {
  Jump jump;
  const double speedNoise = random.normal() * 0.3;
  jump.speed = jumper.speed + Tenths(std::lround(speedNoise * 10.0));

  // A faster in-run carries a little further; the rest is the day's air and the jumper's timing.
  const double metres = hill.kPoint / 10.0 + jumper.form + speedNoise * 1.5 + random.normal() * 3.5;
  jump.distance = std::max<Tenths>(200, toHalfPoints(metres));

  // Long jumps are harder to land; a fall costs the landing and outrun marks entirely.
  const double beyond = (jump.distance - hill.kPoint) / 10.0;
  jump.fall = random.chance(0.015 + std::max(0.0, beyond - 8.0) * 0.01);
  const double base = jump.fall ? 9.0 + random.normal() * 0.5 : jumper.style + std::clamp(beyond, -10.0, 10.0) * 0.04;
  for (Tenths& mark : jump.marks) {
    mark = std::clamp<Tenths>(toHalfPoints(base + random.normal() * 0.45), 0, kMaxMark);
  }
  return jump;
}
