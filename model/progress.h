// How the model reports progress without knowing about windows: the caller
// passes a sink whose text the model sets, as it would set a label's text.
#pragma once

#include <string>

#include "model/program_end.h"

namespace tulvarine {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Called from the worker thread that runs the model operation. The sink may
    // coalesce frequent texts, but the last text set must always arrive.
    virtual void SetText(const std::string& text) = 0;
    // True once the program is ending: the operation returns at its next step
    // (between records, files or batches) and puts no output in place.
    bool StopRequested() const { return tulvarine::StopRequested(); }
};

}  // namespace tulvarine
