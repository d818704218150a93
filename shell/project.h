// Facts about Tulvarine itself that several places show.
#pragma once

#include <string_view>

namespace tulvarine {

inline constexpr std::string_view kVersion = "1.2.2";
// The web page of the publication that describes Tulvarine ("Citation" on the Home page).
inline constexpr std::string_view kCitationAddress = "https://tulvarine.github.io/citation.html";

}  // namespace tulvarine
