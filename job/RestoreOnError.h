// A guard that undoes a visible change when an operation fails half-way,
// such as the status text a failed load put up.
#pragma once

#include <exception>
#include <utility>

namespace kalmo {

// Calls `restore` when the scope it guards is left by an error.
template <typename Restore>
class RestoreOnError {
public:
    explicit RestoreOnError(Restore restore) : restore_(std::move(restore)) {}
    RestoreOnError(const RestoreOnError&) = delete;
    RestoreOnError& operator=(const RestoreOnError&) = delete;
    ~RestoreOnError()
    {
        if (std::uncaught_exceptions() > errorsBefore_)
            restore_();
    }

private:
    Restore restore_;
    int errorsBefore_ = std::uncaught_exceptions();
};

} // namespace kalmo
