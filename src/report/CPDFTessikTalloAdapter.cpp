#include "report/CPDFTessikTalloAdapter.h"

namespace report {

CPDFTessikTalloAdapter::CPDFTessikTalloAdapter(std::unique_ptr<ZTalloNoZfmtFileWrap> library)
    : library_(std::move(library)) {
  if (library_) client_ = library_->CreateClient();
}

CPDFTessikTalloAdapter::~CPDFTessikTalloAdapter() {
  if (client_) client_->Release();
}

bool CPDFTessikTalloAdapter::Begin(const wchar_t* schema) {
  if (!client_ || !schema || !*schema) return false;
  return client_->Begin(schema);
}

bool CPDFTessikTalloAdapter::SetInt(const wchar_t* name, int value) {
  return client_ && name && client_->SetInt(name, value);
}

bool CPDFTessikTalloAdapter::SetString(const wchar_t* name, const wchar_t* value) {
  return client_ && name && client_->SetString(name, value ? value : L"");
}

bool CPDFTessikTalloAdapter::SubmitFallback(int mode) { return client_ && client_->SubmitFallback(mode); }

bool CPDFTessikTalloAdapter::Submit() { return client_ && client_->Submit(); }

// The client has no slot for the extra value.
bool CPDFTessikTalloAdapter::SetIntEx(const wchar_t* name, int value, int /*extra*/) { return SetInt(name, value); }

}  // namespace report
