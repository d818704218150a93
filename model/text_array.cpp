#include "model/text_array.h"

namespace tulvarine {

int FindTextInArray(const TextArray& array, std::string_view text, int mode) {
    auto passes = [&](std::string_view element) {
        switch (mode) {
        case kWholeTextIgnoreCase: return EqualsIgnoreCase(element, text);
        case kElementContainsText: return FindIgnoreCase(element, text) != std::string_view::npos;
        case kTextContainsElement: return FindIgnoreCase(text, element) != std::string_view::npos;
        default: return false;
        }
    };
    for (std::size_t i = 0; i < array.size(); ++i)
        if (passes(array[i])) return int(i + 1);
    return -1;
}

}  // namespace tulvarine
