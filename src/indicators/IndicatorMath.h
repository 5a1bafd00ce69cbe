// The numeric helpers the indicator routines share: moving averages over a
// work array, the mean of the closes and the end point of a regression line.
#pragma once

#include "indicators/SeriesTypes.h"

namespace chartorium {

/// Replaces `work` by its n-bar simple moving average over the first
/// `barCount` elements, kept as a running sum. Elements 0..n-2 become 0.
/// n < 1 or n > barCount zeroes the whole array.
void SmaInPlace(WorkArray& work, int n, int barCount);

/// Replaces `work` by its n-bar exponential moving average (k = 2 / (n + 1)),
/// seeded at element n-1 with the mean of the first n elements; earlier
/// elements become 0. The sign of n is ignored; n = 0 leaves the array as it
/// is. When n > barCount the seed would lie after the last bar: the first n
/// elements become 0 and nothing else changes.
void EmaInPlace(WorkArray& work, int n, int barCount);

/// Mean of the closes of places first..last; 0 when the range is empty.
/// REQUIRES: 1 <= first and last <= MaxQuotes when the range is not empty.
Single CloseAverage(const BarView& bars, int first, int last);

/// The least-squares line through the closes of places first..last, taken at
/// place last; 0 for fewer than three places.
Single LinRegEnd(const BarView& bars, int first, int last);

/// The closes of places 1..MaxQuotes in a work array (element j = place j + 1).
WorkArray ClosesWork(const BarView& bars);

}  // namespace chartorium
