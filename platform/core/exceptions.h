// The platform's exception classes. Every loader error carries a message that
// names what was wrong; callers catch Exception or one of its kinds.
#pragma once

#include <stdexcept>
#include <string>

namespace vx {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// A string that does not convert to the number asked for.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A stream or file that ends before the data it must hold.
class EReadError : public Exception {
 public:
  using Exception::Exception;
};

class EWriteError : public Exception {
 public:
  using Exception::Exception;
};

// A file that cannot be opened or created.
class EFOpenError : public Exception {
 public:
  using Exception::Exception;
};

// Image data that is not a valid picture of its format.
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

// A compressed stream that does not inflate, or inflates past its cap.
class ECompressionError : public Exception {
 public:
  using Exception::Exception;
};

// A list or collection index outside its range.
class EListError : public Exception {
 public:
  using Exception::Exception;
};

// Out of resources (a pixel buffer or device context could not be made).
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace vx

namespace vx {

// A section, key or value that an INI file cannot hold (a line break, a key
// with '=', an empty key).
class EIniFileException : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace vx

namespace vx {

// A component name that is not an identifier or is taken by a sibling.
class EComponentError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace vx
