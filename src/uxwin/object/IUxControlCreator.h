#pragma once

#include <memory>

class CUxWindow;

// Makes a control for a layout tag, or nothing when the tag is not its own.
class IUxControlCreator {
 public:
  virtual std::unique_ptr<CUxWindow> CreateControl(const char* tag) = 0;

 protected:
  ~IUxControlCreator() = default;
};
