// What a worker routine tells the user while and after it runs, without
// knowing about windows: status messages, and the text of the page's progress
// label (SetText, from ProgressSink). A page implements it over its controls
// (tools/page_report.h); tests record it. No Qt here: routines over it run
// under GoogleTest without a window.
#pragma once

#include <string>
#include <string_view>

#include "model/progress.h"

namespace tulvarine {

// The usual prefixes of status messages: "Info:" or "Error:" and eight blanks.
// (A few messages use four blanks; they spell their prefix out.)
inline constexpr std::string_view kInfoPrefix = "Info:        ";
inline constexpr std::string_view kErrorPrefix = "Error:        ";

inline std::string InfoMessage(std::string_view text) { return std::string(kInfoPrefix).append(text); }
inline std::string ErrorMessage(std::string_view text) { return std::string(kErrorPrefix).append(text); }

class RunReport : public ProgressSink {
public:
    // Replaces the status message (the whole text, prefix included).
    virtual void Status(const std::string& text) = 0;

    void Info(std::string_view text) { Status(InfoMessage(text)); }
    void Error(std::string_view text) { Status(ErrorMessage(text)); }
};

}  // namespace tulvarine
