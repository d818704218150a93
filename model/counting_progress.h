// A progress sink that counts the texts it is given and passes on the count
// with a fixed suffix instead ("17 cDNA loaded"): shows how many records a
// reader has met without showing their IDs.
#pragma once

#include <string>

#include "model/numbers.h"
#include "model/progress.h"

namespace tulvarine {

class CountingProgress final : public ProgressSink {
public:
    // target must outlive this sink.
    CountingProgress(ProgressSink& target, std::string suffix) : target_(target), suffix_(std::move(suffix)) {}

    void SetText(const std::string&) override { target_.SetText(IntToText(++count_) + suffix_); }
    long long Count() const { return count_; }

private:
    ProgressSink& target_;
    std::string suffix_;
    long long count_ = 0;
};

}  // namespace tulvarine
