#pragma once

#include <array>

#include "Random.h"
#include "Scoring.h"

// What the simulator knows of an athlete: how far and how cleanly he jumps on an average day.
struct Jumper {
  double form = 0;     // metres beyond the K-point on an average jump
  double style = 17;   // the mark an average judge gives his clean jumps
  Tenths speed = 860;  // in-run speed on this hill, km/h
};

// One simulated jump, as the hill's measuring and the judges report it.
struct Jump {
  Tenths speed = 0;
  Tenths distance = 0;            // in half metres
  std::array<Tenths, 5> marks{};  // judges A to E, half points, at most 20
  bool fall = false;
};

Jump simulateJump(Random& random, const Hill& hill, const Jumper& jumper);
