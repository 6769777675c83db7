#pragma once

#include <map>
#include <string>

#include "FixtureLayout.h"
#include "FixtureOptions.h"
#include "RegistryRecorder.h"
#include "product/HostProfile.h"
#include "utils/IniDocument.h"

namespace fixture {

// Lays out a simulated host of one type under a root folder: registry keys, folders, INI files,
// the host executable, the module and the stand-ins. Remove undoes it from the manifest it leaves.
class HostFixture {
 public:
  explicit HostFixture(FixtureOptions options) : options_(std::move(options)), layout_(FixtureLayout::For(options_)) {}

  bool Install(std::wstring& error);
  bool Remove(std::wstring& error);

 private:
  const product::HostProfile& Host() const { return product::HostProfile::Of(options_.hostType); }
  void WriteRegistry();
  void WriteIdentity();          // the remote-configuration identity keys of the host type
  void CollectRemoteConfig();    // zvanta.json, weathercache.ini, the Ob server list
  void WriteFamilyRow(const std::wstring& installation);
  void CollectIniFiles();
  void CollectComponentConfig();
  bool WriteFiles(std::wstring& error);
  bool CopyBinaries(std::wstring& error);
  void AddVipStandIns(std::map<std::wstring, std::wstring>& copies) const;
  // Ends the VIP service stand-ins still running from inside the root, so it can be removed, or
  // (anywhere) every one: the service's channel is machine-wide, and one left by another
  // simulated host would answer for this one.
  void EndStandInProcesses(bool anywhere) const;
  std::wstring ManifestPath() const { return options_.root + L"fixture.manifest"; }

  FixtureOptions options_;
  FixtureLayout layout_;
  RegistryRecorder registry_;
  std::map<std::wstring, qm::IniDocument> iniFiles_;  // path -> content, written without a BOM
  std::map<std::wstring, std::string> rawFiles_;      // path -> bytes
};

}  // namespace fixture
