// A value that several threads share, reached only under its own lock.
#pragma once

#include <mutex>
#include <utility>

namespace tulvarine {

template <class T>
class Guarded {
public:
    Guarded() = default;
    explicit Guarded(T value) : value_(std::move(value)) {}
    Guarded(const Guarded&) = delete;
    Guarded& operator=(const Guarded&) = delete;

    // Runs f(value) under the lock and returns what f returns. f must not wait
    // for the GUI thread (the GUI thread may be waiting for this lock).
    template <class F>
    decltype(auto) With(F&& f) {
        std::lock_guard lock(mutex_);
        return std::forward<F>(f)(value_);
    }
    T Get() const {
        std::lock_guard lock(mutex_);
        return value_;
    }
    void Set(T value) {
        std::lock_guard lock(mutex_);
        value_ = std::move(value);
    }

private:
    mutable std::mutex mutex_;
    T value_{};
};

}  // namespace tulvarine
