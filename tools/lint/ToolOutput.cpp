#include "lint/ToolOutput.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "utils/TextEncoding.h"

namespace campaign {

namespace {

void Write(FILE* stream, const std::string& bytes) {
  fflush(stream);
  _setmode(_fileno(stream), _O_BINARY);
  fwrite(bytes.data(), 1, bytes.size(), stream);
  fflush(stream);
}

}  // namespace

void ToolOutput::Print(const std::string& utf8) { Write(stdout, utf8); }

void ToolOutput::Print(const std::wstring& text) { Write(stdout, qm::encoding::WideToUtf8(text)); }

void ToolOutput::Error(const std::wstring& text) { Write(stderr, qm::encoding::WideToUtf8(text) + "\n"); }

}  // namespace campaign
