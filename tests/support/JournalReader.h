#pragma once

#include <map>
#include <string>
#include <vector>

namespace testing_support {

using JournalEntry = std::map<std::wstring, std::wstring>;  // the string members of one line

// The entries of a stand-in's journal file, in order; entries whose "call" is not the given one
// are skipped when a call is given.
std::vector<JournalEntry> ReadJournal(const std::wstring& path, const std::wstring& call = {});

// Waits (polling, up to the limit) until the journal holds at least count entries of that call.
std::vector<JournalEntry> WaitForJournal(const std::wstring& path, const std::wstring& call, size_t count,
                                         unsigned long limitMilliseconds = 20000);

}  // namespace testing_support
