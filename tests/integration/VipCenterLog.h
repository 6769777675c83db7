#pragma once

#include <string>

namespace testing_support {

// True when a line of this process's log file, written by the calling thread, contains text.
bool LoggedByThisThread(const std::wstring& text);

}  // namespace testing_support
