// Run-time library: exceptions and conversions.
#pragma once

#include <stdexcept>
#include <string>

namespace vcl {

// Base of every exception the platform and the components raise; the text is
// the message the user sees.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& Msg) : std::runtime_error(Msg) {}
    std::string Message() const { return what(); }
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

class EInOutError : public Exception {
public:
    using Exception::Exception;
};

}  // namespace vcl
