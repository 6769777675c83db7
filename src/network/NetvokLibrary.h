#pragma once

#include <windows.h>

#include <string>

#include "family/Netvok.h"

namespace network {

// "netvok.dll" from a product folder and the request factory it hands out. Neither is an error
// when missing: factory() is then null.
class NetvokLibrary {
 public:
  explicit NetvokLibrary(const std::wstring& productFolder);
  ~NetvokLibrary();
  NetvokLibrary(const NetvokLibrary&) = delete;
  NetvokLibrary& operator=(const NetvokLibrary&) = delete;

  netvok::IHttpFactory* factory() const { return factory_; }

 private:
  void Load(const std::wstring& path);

  HMODULE module_ = nullptr;
  netvok::IHttpFactory* factory_ = nullptr;
};

}  // namespace network
