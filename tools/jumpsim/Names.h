#pragma once

#include <QString>
#include <QStringList>

#include "Random.h"

// A made-up Japanese name in the three forms the board shows.
struct PersonName {
  QString kanji;   // 佐藤　大輔
  QString kana;    // サトウ　ダイスケ
  QString romaji;  // SATO Daisuke
};

// Draws names without repeating one within the pool's life.
class NamePool {
 public:
  explicit NamePool(Random& random) : m_random(random) {}
  PersonName draw();

 private:
  Random& m_random;
  QList<int> m_used;
};

// Clubs, schools and companies a jumper may belong to; made up, though they sound like the real thing.
QStringList affiliations();
