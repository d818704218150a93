// A progress sink that keeps every text it is given.
#pragma once

#include <string>
#include <vector>

#include "model/progress.h"

namespace tulvarine::testing {

class RecordingProgress : public ProgressSink {
public:
    void SetText(const std::string& text) override { texts.push_back(text); }
    std::string Last() const { return texts.empty() ? std::string("<none>") : texts.back(); }
    std::vector<std::string> texts;
};

}  // namespace tulvarine::testing
