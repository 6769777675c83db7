#pragma once

namespace network {

// Told about a transfer's progress. flag is 1 for the library's receive notification and 0 for
// its send notification; the four values are the library's. A non-zero answer asks the library
// to cancel.
class IHttpProgressListener {
 public:
  virtual int OnProgress(int flag, int value1, int value2, int value3, int value4) = 0;

 protected:
  ~IHttpProgressListener() = default;
};

}  // namespace network
