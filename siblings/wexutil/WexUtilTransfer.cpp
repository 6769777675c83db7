#include "wexutil/WexUtilTransfer.h"

#include <windows.h>

#include <sstream>

#include "common/BehaviourFile.h"
#include "utils/FileUtil.h"

#include "utils/TextEncoding.h"

namespace siblings {

std::string WexUtilTransfer::Behaviour() {
  static const std::string behaviour = BehaviourFile::Read(L"wexutil.behaviour");
  return behaviour;
}

WexUtilTransfer::WexUtilTransfer() : journal_(L"wexutil") { LoadRules(); }

void WexUtilTransfer::LoadRules() {
  std::istringstream lines(qm::FileUtil::ReadAll(Journal::OwnFolder() + L"wexutil.map"));
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t tab = line.find('\t');
    if (tab == std::string::npos || tab == 0) continue;
    rules_.emplace_back(qm::encoding::Utf8ToWide(line.substr(0, tab)), qm::encoding::Utf8ToWide(line.substr(tab + 1)));
  }
}

int __stdcall WexUtilTransfer::Initialize(qm::IProductConfig* config) {
  const bool refuse = GetFileAttributesW((Journal::OwnFolder() + L"wexutil.refuse").c_str()) != INVALID_FILE_ATTRIBUTES;
  if (!config) return 0;
  journal_.Append(L"Initialize", {{L"product_folder", config->ProductFolder()},
                                  {L"data_folder", config->DataFolder()},
                                  {L"product_id", std::to_wstring(config->ProductId())},
                                  {L"valid", std::to_wstring(config->IsValid())},
                                  {L"accepted", refuse ? L"false" : L"true"}});
  return refuse ? 0 : 1;
}

void __stdcall WexUtilTransfer::Release() {
  journal_.Append(L"Release", {});
  delete this;
}

int __stdcall WexUtilTransfer::Transfer(const wchar_t* url, IFuncCallBack* callback) {
  const std::wstring given = url ? url : L"";
  for (const auto& [from, to] : rules_) {
    if (given.compare(0, from.size(), from) == 0 && callback) {
      const std::wstring rewritten = to + given.substr(from.size());
      callback->SetResult(rewritten.c_str());
      journal_.Append(L"Transfer", {{L"url", given}, {L"result", rewritten}});
      return 1;
    }
  }
  journal_.Append(L"Transfer", {{L"url", given}, {L"result", L""}});
  return 0;
}

}  // namespace siblings
