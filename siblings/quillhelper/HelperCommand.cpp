#include "quillhelper/HelperCommand.h"

#include <windows.h>

#include "utils/Base64.h"
#include "utils/TextEncoding.h"

namespace siblings {

namespace {

std::wstring Quoted(const std::wstring& text, const std::wstring& prefix) {
  const size_t start = text.find(prefix);
  if (start == std::wstring::npos) return {};
  const size_t from = start + prefix.size();
  const size_t end = text.find(L'"', from);
  return text.substr(from, end == std::wstring::npos ? std::wstring::npos : end - from);
}

}  // namespace

HelperCommand HelperCommand::Parse(const std::wstring& arguments) {
  HelperCommand command;
  command.forceUpdate = arguments.find(L"-force_update_vanta") != std::wstring::npos;
  command.admin = arguments.find(L"-admin ") != std::wstring::npos;
  command.program = Quoted(arguments, L"-path:\"");
  command.encodedParameter = Quoted(arguments, L"-param:\"");
  const size_t pid = arguments.find(L"-pid:");
  if (pid != std::wstring::npos) command.hostType = _wtoi(arguments.c_str() + pid + 5);
  return command;
}

bool HelperCommand::DecodeParameter(std::wstring& text) const {
  const std::wstring& marker = qm::encoding::Base64Marker();
  if (encodedParameter.compare(0, marker.size(), marker) != 0) return false;
  std::string bytes;
  const std::wstring base64 = encodedParameter.substr(marker.size());
  if (!qm::encoding::Base64Decode(std::string(base64.begin(), base64.end()), bytes)) return false;
  text = qm::encoding::MultiByteToWide(bytes, CP_ACP);
  return true;
}

}  // namespace siblings
