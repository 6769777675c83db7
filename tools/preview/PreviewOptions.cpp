#include "preview/PreviewOptions.h"

#include <cmath>
#include <cwchar>

#include "product/HostProfile.h"

namespace preview {

namespace {

// A whole decimal number and nothing else.
bool ParseInt(const std::wstring& text, int& value) {
  if (text.empty() || text.size() > 9) return false;
  wchar_t* end = nullptr;
  const long parsed = std::wcstol(text.c_str(), &end, 10);
  if (*end != 0) return false;
  value = static_cast<int>(parsed);
  return true;
}

bool ParsePrice(const std::wstring& text, PreviewOptions& options) {
  std::vector<int> values;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(L'/', start);
    if (end == std::wstring::npos) end = text.size();
    int value = 0;
    if (!ParseInt(text.substr(start, end - start), value)) return false;
    values.push_back(value);
    start = end + 1;
  }
  if (values.size() < 2 || values.size() > 3) return false;
  options.payPrice = values[0];
  options.referencePrice = values[1];
  if (values.size() == 3) options.months = values[2];
  return true;
}

bool ParseCountDown(const std::wstring& text, PreviewOptions& options) {
  if (text == L"off") return options.countDown = false, true;
  int hours = 0;
  if (text.compare(0, 6, L"hours:") != 0 || !ParseInt(text.substr(6), hours) || hours < 0) return false;
  options.countDown = true;
  options.countDownHours = hours;
  return true;
}

bool ParseValue(const std::wstring& name, const std::wstring& value, PreviewOptions& options, std::wstring& error) {
  int number = 0;
  if (name == L"--config") {
    options.config = value;
  } else if (name == L"--host-type") {
    if (!ParseInt(value, number) || !product::HostProfile::Find(number)) return error = L"--host-type takes 1 to 7", false;
    options.hostType = number;
  } else if (name == L"--price") {
    if (!ParsePrice(value, options)) return error = L"--price takes PAY/REF or PAY/REF/MONTHS (whole numbers)", false;
  } else if (name == L"--count-down") {
    if (!ParseCountDown(value, options)) return error = L"--count-down takes off or hours:H", false;
  } else if (name == L"--count-down-style") {
    if (!ParseInt(value, number) || number < 1 || number > 2) return error = L"--count-down-style takes 1 or 2", false;
    options.countDownStyle = number;
  } else if (name == L"--dpi") {
    const double factor = std::wcstod(value.c_str(), nullptr);
    if (std::fabs(factor - 1.0) > 1e-6 && std::fabs(factor - 1.2) > 1e-6 && std::fabs(factor - 1.5) > 1e-6) {
      return error = L"--dpi takes 1.0, 1.2 or 1.5", false;
    }
    options.dpi = factor;
  } else if (name == L"--images") {
    options.images = value;
  } else if (name == L"--out") {
    options.out = value;
  } else {
    return error = L"unknown option " + name, false;
  }
  return true;
}

}  // namespace

bool PreviewOptions::Parse(const std::vector<std::wstring>& arguments, PreviewOptions& options, std::wstring& error) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& name = arguments[i];
    if (name == L"--fetch") {
      options.fetch = true;
    } else if (name == L"--sheet") {
      options.sheet = true;
    } else if (i + 1 >= arguments.size()) {
      return error = (name.compare(0, 2, L"--") == 0 ? L"missing value for " : L"unknown argument ") + name, false;
    } else if (!ParseValue(name, arguments[++i], options, error)) {
      return false;
    }
  }
  if (options.config.empty()) return error = L"--config is required", false;
  if (options.images.empty() == !options.fetch) return error = L"give either --images DIR or --fetch", false;
  if (options.out.empty()) return error = L"--out is required", false;
  return true;
}

}  // namespace preview
