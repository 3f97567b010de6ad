// The one error type of the program: an operation that cannot go on throws
// it, and the window program reports its message in a message box.
#pragma once

#include <stdexcept>
#include <string>

namespace kalmo {

class KalmoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An error the user was shown in a question and answered by staying where
// they were: the window program reports it no more, `kalmo script` prints it.
class AnsweredError : public KalmoError {
public:
    using KalmoError::KalmoError;
};

// "Cannot open file "%s". %s" with the path and the system's reason.
KalmoError cannotOpenFile(const std::string& path, const std::string& reason);
// "Cannot create file "%s". %s" with the path and the system's reason.
KalmoError cannotCreateFile(const std::string& path, const std::string& reason);
// The text an error report shows: the message with a full stop added,
// unless it already ends in one or in a character with a lower code.
std::string errorReportText(const std::string& message);

// The operating system's own text for an errno value.
std::string systemReason(int errorNumber);

} // namespace kalmo
