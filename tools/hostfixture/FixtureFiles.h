#pragma once

#include <string>

namespace fixture {

bool CopyCreatingFolders(const std::wstring& source, const std::wstring& target);
std::wstring OwnFolder();  // of this program, with a trailing backslash

}  // namespace fixture
