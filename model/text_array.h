// Searching a text array under one of three comparison rules.
#pragma once

#include <string_view>

#include "model/text.h"

namespace tulvarine {

enum TextArrayMatch : int {
    kWholeTextIgnoreCase = 1,   // element equals text, ASCII case ignored
    kElementContainsText = 2,   // text occurs in the element, case ignored
    kTextContainsElement = 3,   // the element occurs in text, case ignored
};

// 1-based index of the first element that passes the test of mode, or -1 when
// none does (also for any other mode and for an empty array).
int FindTextInArray(const TextArray& array, std::string_view text, int mode);

}  // namespace tulvarine
