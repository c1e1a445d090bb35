#pragma once

#include <QList>
#include <cstdint>
#include <random>

// The simulator's one source of chance. std::mt19937's sequence is fixed by the C++ standard, but the
// standard library's distributions are not, so the mapping to ranges is done here: a seed gives the
// same competition on every machine and compiler.
class Random {
 public:
  explicit Random(std::uint32_t seed) : m_engine(seed) {}

  // A whole number in [low, high], without modulo bias.
  int between(int low, int high) {
    const std::uint64_t range = std::uint64_t(std::int64_t(high) - low) + 1;
    const std::uint64_t limit = (std::uint64_t(1) << 32) - ((std::uint64_t(1) << 32) % range);
    std::uint64_t x = m_engine();
    while (x >= limit) x = m_engine();
    return int(std::int64_t(low) + std::int64_t(x % range));
  }

  // [0, 1)
  double unit() { return double(m_engine()) / 4294967296.0; }

  // Roughly standard normal: the sum of twelve uniforms, centred. Bounded to +-6, which suits jumps.
  double normal() {
    double sum = 0;
    for (int i = 0; i < 12; ++i) sum += unit();
    return sum - 6.0;
  }

  bool chance(double probability) { return unit() < probability; }

  template <typename T>
  void shuffle(QList<T>& list) {
    for (qsizetype i = list.size() - 1; i > 0; --i) list.swapItemsAt(i, between(0, int(i)));
  }

 private:
  std::mt19937 m_engine;
};
