#include "common/BehaviourFile.h"

#include <cstdio>

#include "common/Journal.h"

namespace siblings {

std::string BehaviourFile::Read(const std::wstring& fileName) {
  std::string text;
  if (FILE* file = _wfopen((Journal::OwnFolder() + fileName).c_str(), L"rb")) {
    char buffer[64] = {};
    text.assign(buffer, fread(buffer, 1, sizeof(buffer) - 1, file));
    fclose(file);
  }
  return text;
}

}  // namespace siblings
