// Facts about Tulvarine itself that several places show.
#pragma once

#include <string_view>

namespace tulvarine {

inline constexpr std::string_view kVersion = "1.2.2";
// The web page of the publication that describes Tulvarine ("Citation" on the Home page).
inline constexpr std::string_view kCitationAddress = "https://tulvarine.github.io/citation.html";

// Where the update check reads the newest version and the address of the new
// release. The environment variable TULVARINE_VERSION_FILE_URL replaces it
// (tests point it at a server of their own).
inline constexpr std::string_view kVersionFileAddress =
    "https://raw.githubusercontent.com/tulvarine/tulvarine/master/VersionCheck.txt";
// A public address that answers whenever the machine is online; replaced by
// TULVARINE_CONNECTIVITY_URL.
inline constexpr std::string_view kConnectivityTestAddress = "https://github.com/";

}  // namespace tulvarine
