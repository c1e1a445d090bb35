#pragma once

#include <QString>
#include <array>
#include <stdexcept>

// Points, distances and speeds are kept in tenths, so that every figure is exact and is written to the
// database with one decimal, as the results program prints it.
using Tenths = int;

QString tenthsText(Tenths value);  // 1245 -> "124.5", 600 -> "60.0", -5 -> "-0.5"

// The hill: its K-point and the points per metre beyond or short of it.
struct Hill {
  Tenths kPoint;      // 900 for K 90 m
  Tenths meterValue;  // 20 for 2.0 points per metre
};

// 60 + (distance - K) x meter value, rounded to tenths (halves away from zero); never below 0.
Tenths distancePoints(Tenths distance, const Hill& hill);

// A judge's mark: at most 20 in half points.
inline constexpr Tenths kMaxMark = 200;
bool isValidMark(Tenths mark);

// The style points of a jump: of the five judges' marks the highest and the lowest are dropped and the
// other three added. Throws std::invalid_argument for a mark that is not a half point from 0 to 20.
Tenths stylePoints(const std::array<Tenths, 5>& marks);

// One judge's mark in its three parts, shown on the board's rows "空中", "着地" and "アウトラン".
struct JudgeMark {
  Tenths flight = 0;   // at most 10
  Tenths landing = 0;  // at most 7
  Tenths outrun = 0;   // at most 3
  Tenths total() const { return flight + landing + outrun; }
};

// Splits a valid mark into its parts: the points below 20 are taken off the landing and the outrun
// first, in the way judges mostly deduct, and off the flight beyond that.
JudgeMark splitMark(Tenths mark);
