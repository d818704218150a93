// Small statistics over integer scores, used to find bad sequences of an
// alignment (SequenceSet::FindBadSequences).
#pragma once

#include <vector>

namespace tulvarine {

// The median: the middle value of the sorted values, or the mean of the two
// middle ones (computed in double, rounded to float); 0 for no value.
float ComputeMedian(const std::vector<int>& values);

// The 1-based index of the largest value (the first of equal ones), which goes
// into largest; 0 (and largest 0) for no value.
int FindMaxIndex(const std::vector<int>& values, int& largest);

}  // namespace tulvarine
