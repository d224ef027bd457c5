#pragma once
// A database error: what() is the client library's full message text, so the
// run can look for "Unable to complete network request to host",
// "Error reading data" and "unprepared dynamic SQL" in it.
#include <stdexcept>
#include <string>

class ErroBanco : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
