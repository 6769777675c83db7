#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "uxwin/object/IUxControlCreator.h"

// A table of layout tags to the classes that implement them. Tags are case-sensitive.
class UxControlTable : public IUxControlCreator {
 public:
  using Factory = std::function<std::unique_ptr<CUxWindow>()>;

  explicit UxControlTable(std::map<std::string, Factory> entries) : entries_(std::move(entries)) {}
  std::unique_ptr<CUxWindow> CreateControl(const char* tag) override;

  // Every container's own tags: "dlg", "text", "img", "storageimage", "storageimagebtn". Tags of
  // the engine that the pop-up does not use have no class and are skipped.
  static UxControlTable& BuiltIn();
  // Installs BuiltIn() as every container's table; idempotent.
  static void Install();

 private:
  std::map<std::string, Factory> entries_;
};

// The extended tags a host hands its sections: "lineviewex" and "linearlayout".
class CUxControlCreator : public UxControlTable {
 public:
  CUxControlCreator();
};
