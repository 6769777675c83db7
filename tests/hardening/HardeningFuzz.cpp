// Hostile input at volume for every parser that takes input from outside: generated, seeded
// inputs in one process. Usage:
//   hardening_fuzz [--family F | --target T] [--count N] [--seed S] [--all]
// F: ini, json, bundle, xml, attributes, vipcenter, all (default all). --all also feeds inputs of
// faults that are known and not mended yet. Exit code 0 when every check held, 1 on a failed
// check, 2 on a crash, 3 on a hang.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "AttributeFuzzTarget.h"
#include "BundleFuzzTarget.h"
#include "FuzzDriver.h"
#include "IniFuzzTarget.h"
#include "JsonFuzzTarget.h"
#include "VipCenterFuzzTarget.h"
#include "XmlFuzzTarget.h"

using namespace hardening;

namespace {

std::vector<std::unique_ptr<FuzzTarget>> TargetsOf(const std::string& family) {
  std::vector<std::unique_ptr<FuzzTarget>> targets;
  const bool all = family == "all";
  if (all || family == "ini") targets.push_back(std::make_unique<IniFuzzTarget>());
  if (all || family == "json") {
    targets.push_back(std::make_unique<JsonFuzzTarget>(false));
    targets.push_back(std::make_unique<JsonFuzzTarget>(true));
  }
  if (all || family == "bundle") targets.push_back(std::make_unique<BundleFuzzTarget>());
  if (all || family == "xml") {
    targets.push_back(std::make_unique<XmlFuzzTarget>(XmlFuzzTarget::Document::Layout));
    targets.push_back(std::make_unique<XmlFuzzTarget>(XmlFuzzTarget::Document::Skins));
    targets.push_back(std::make_unique<XmlFuzzTarget>(XmlFuzzTarget::Document::Styles));
    targets.push_back(std::make_unique<XmlFuzzTarget>(XmlFuzzTarget::Document::Strings));
  }
  if (all || family == "attributes") targets.push_back(std::make_unique<AttributeFuzzTarget>());
  if (all || family == "vipcenter") targets.push_back(std::make_unique<VipCenterFuzzTarget>());
  return targets;
}

}  // namespace

int main(int argc, char** argv) {
  FuzzDriver::Options options;
  std::string family = "all", only;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const char* next = i + 1 < argc ? argv[i + 1] : "";
    if (argument == "--family") family = next, ++i;
    else if (argument == "--target") only = next, ++i;
    else if (argument == "--count") options.count = std::strtoull(next, nullptr, 10), ++i;
    else if (argument == "--seed") options.seed = std::strtoull(next, nullptr, 0), ++i;
    else if (argument == "--all") options.skipKnownFaults = false;
    else {
      std::printf("unknown argument %s\n", argument.c_str());
      return 64;
    }
  }
  FuzzDriver::Install();
  std::vector<std::unique_ptr<FuzzTarget>> targets = TargetsOf(only.empty() ? family : "all");
  size_t failures = 0, ran = 0;
  for (const auto& target : targets) {
    if (!only.empty() && only != target->Name()) continue;
    ++ran;
    const FuzzDriver::Result result = FuzzDriver::Run(*target, options);
    failures += result.failures;
    std::printf("%-12s seed %llu: %zu inputs, %zu accepted, %zu refused, %zu skipped (known), %zu failed, "
                "%.2f s, slowest %.0f ms\n",
                target->Name(), static_cast<unsigned long long>(options.seed), result.inputs, result.accepted,
                result.refused, result.skipped, result.failures, result.seconds, result.slowestMilliseconds);
    std::fflush(stdout);
  }
  if (ran == 0) {
    std::printf("no target named %s%s\n", only.c_str(), family.c_str());
    return 64;
  }
  return failures ? 1 : 0;
}
