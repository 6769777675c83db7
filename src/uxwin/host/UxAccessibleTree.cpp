#include "uxwin/host/UxAccessibleTree.h"

#include <oleacc.h>

#include "uxwin/object/CUxContainerWnd.h"
#include "uxwin/style/UxString.h"

namespace {


CUxContainerWnd* AsContainer(CUxWindow& control) {
  return control.IsContainer() ? static_cast<CUxContainerWnd*>(&control) : nullptr;
}

bool IsPicture(CUxWindow& control) { return control.IsClass("img") || control.IsClass("storageimage"); }

}  // namespace

std::wstring UxAccessibleTree::Format(int stringId, const std::wstring& text) {
  std::wstring format = stringId > 0 ? UxString::Instance().Get(stringId) : std::wstring();
  if (format.empty()) return text;
  const size_t slot = format.find(L"{}");
  if (slot != std::wstring::npos) format.replace(slot, 2, text);
  return format;
}

void UxAccessibleTree::JoinNames(CUxWindow& control, std::wstring& sentence) {
  CUxContainerWnd* container = AsContainer(control);
  if (!container) {
    const std::wstring name = NameOf(control);
    if (!name.empty()) sentence += (sentence.empty() ? L"" : L" ") + name;
    return;
  }
  for (const auto& child : container->children()) {
    if (child->IsVisible(false)) JoinNames(*child, sentence);
  }
}

std::wstring UxAccessibleTree::NameOf(CUxWindow& control) {
  if (!control.acc_group() || !AsContainer(control)) return Format(control.acc_name_id(), control.text());
  std::wstring sentence;
  for (const auto& child : AsContainer(control)->children()) {
    if (child->IsVisible(false)) JoinNames(*child, sentence);
  }
  return Format(control.acc_name_id(), sentence);
}

long UxAccessibleTree::RoleOf(CUxWindow& control) {
  if (control.tab_stop() || control.clickable()) return ROLE_SYSTEM_PUSHBUTTON;
  if (control.acc_group()) return ROLE_SYSTEM_STATICTEXT;
  if (IsPicture(control) && control.text().empty()) return ROLE_SYSTEM_GRAPHIC;
  return ROLE_SYSTEM_STATICTEXT;
}

void UxAccessibleTree::Collect(CUxWindow& control, std::vector<Node>& nodes) {
  const bool shown = control.IsVisible(false);
  if (!shown && !control.tab_stop()) return;
  CUxContainerWnd* container = AsContainer(control);
  if (container && !control.acc_group() && !control.tab_stop()) {
    for (const auto& child : container->children()) Collect(*child, nodes);
    return;
  }
  Node node{control.handle(), RoleOf(control), NameOf(control)};
  const bool decoration = node.name.empty() && node.role == ROLE_SYSTEM_STATICTEXT;
  if (!decoration) nodes.push_back(std::move(node));
}

std::vector<UxAccessibleTree::Node> UxAccessibleTree::Build(const std::vector<CUxWindow*>& roots) {
  std::vector<Node> nodes;
  for (CUxWindow* root : roots) {
    if (root && root->IsVisible(false)) Collect(*root, nodes);
  }
  return nodes;
}
