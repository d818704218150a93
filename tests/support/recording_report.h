// A RunReport that keeps every status message and progress text it is given.
// Base may be a page's own report interface derived from RunReport; the test
// then adds what that interface asks for.
#pragma once

#include <string>
#include <vector>

#include "tools/run_report.h"

namespace tulvarine::testing {

template <class Base = RunReport>
class RecordingReport : public Base {
public:
    void Status(const std::string& text) override { statuses.push_back(text); }
    void SetText(const std::string& text) override { progress.push_back(text); }

    std::string LastStatus() const { return statuses.empty() ? std::string("<none>") : statuses.back(); }
    std::string LastProgress() const { return progress.empty() ? std::string("<none>") : progress.back(); }

    std::vector<std::string> statuses;
    std::vector<std::string> progress;
};

}  // namespace tulvarine::testing
