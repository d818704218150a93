// The version file that the update check reads, and the comparison of dotted
// version numbers.
//
// Line 1 holds the newest version in its second TAB-separated field, line 2
// the address of the new release in its second field; the first field of each
// line and anything further are ignored.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tulvarine {

struct VersionFile {
    std::string newestVersion;    // "1.2.3"
    std::string downloadAddress;  // where the new release is fetched from
};

// Reads a version file. Both fields are trimmed of carriage returns and blanks.
// nullopt when the text has fewer than two lines, either line fewer than two
// fields, a field is empty, or the newest version does not begin with a digit
// (an error page, a truncated file).
std::optional<VersionFile> ParseVersionFile(std::string_view text);

// Compares two dotted version numbers number by number: negative when a is
// older than b, 0 when they are equal, positive when a is newer. A missing
// number counts as 0 ("1.2" equals "1.2.0"); each number is read from its
// leading digits (full-width digits count), so "1.2.3-beta" reads as 1.2.3.
int CompareVersions(std::string_view a, std::string_view b);

// True when text, after leading blanks, begins with a digit.
bool BeginsWithDigit(std::string_view text);

}  // namespace tulvarine
