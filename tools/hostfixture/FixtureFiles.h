#pragma once

#include <string>

namespace fixture {

bool WriteFileCreatingFolders(const std::wstring& path, const std::string& bytes);
bool CopyCreatingFolders(const std::wstring& source, const std::wstring& target);
std::string ReadWholeFile(const std::wstring& path);
void RemoveTree(const std::wstring& folder);
std::wstring OwnFolder();  // of this program, with a trailing backslash

}  // namespace fixture
