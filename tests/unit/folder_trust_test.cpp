#include "check/folder_trust.h"

#include <gtest/gtest.h>

#include <optional>

namespace orvel {
namespace {

// The tool's folder: only a plain directory nobody but the system and the
// running account may change is used as it is.
TEST(FolderTrust, UsesOnlyAPlainFolderNobodyElseMayChange) {
  using enum Account;
  using enum FolderVerdict;
  const AccessEntry system{kSystem, true, 0x1F01FF};
  const AccessEntry administrators{kAdministrators, true, 0x1F01FF};
  const AccessEntry users_read{kOther, true, 0x1200A9};
  const struct {
    const char* name;
    FolderFacts facts;
    FolderVerdict verdict;
  } cases[] = {
      {"the tool's", {.owner = kAdministrators, .access = {{system, administrators, users_read}}}, kTrusted},
      {"as Wine reads it",
       {.owner = kRunningAccount, .access = {{system, {kRunningAccount, true, 0x1F01FF}}}},
       kTrusted},
      {"a link", {.link = true, .owner = kSystem}, kLink},
      {"a file", {.directory = false, .owner = kSystem}, kNotAFolder},
      {"a user's", {.owner = kOther, .access = {{system, administrators}}}, kForeignOwner},
      {"users add files", {.owner = kAdministrators, .access = {{system, {kOther, true, 0x0002}}}}, kProtect},
      {"inherited generic all", {.owner = kSystem, .access = {{{kOther, true, 0x10000000}}}}, kProtect},
      {"users may delete it", {.owner = kSystem, .access = {{{kOther, true, 0x00010000}}}}, kProtect},
      {"a null DACL", {.owner = kAdministrators, .access = std::nullopt}, kProtect},
      {"users denied writing", {.owner = kSystem, .access = {{{kOther, false, 0x0002}, users_read}}}, kTrusted},
      {"TrustedInstaller's, open", {.owner = kTrustedInstaller, .access = {{{kOther, true, 0x0004}}}}, kOpenToOthers},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JudgeFolder(c.facts), c.verdict) << c.name;
  }
  EXPECT_EQ(FolderVerdictStatus(kTrusted), 0);
  EXPECT_EQ(FolderVerdictStatus(kProtect), folder_status::kOpenToOthers);
}

// The folder held while the list changes must let Windows open it for a
// rename into it, and must stop anyone else renaming or deleting it.
TEST(FolderTrust, HeldFolderSharesWhatARenameNeedsAndNothingMore) {
  constexpr FileOpen kHeldWithDelete{kFolderHeldForChange.access | 0x00010000, kFolderHeldForChange.share};
  constexpr FileOpen kRenameOrDeleteIt{0x00010000 | 0x00100000, 0x1 | 0x2 | 0x4};
  const struct {
    const char* name;
    FileOpen held;
    FileOpen opening;
    bool allowed;
  } cases[] = {
      {"the rename's own open", kFolderHeldForChange, kRenameTargetFolderOpen, true},
      {"someone renaming the folder", kFolderHeldForChange, kRenameOrDeleteIt, false},
      {"a reader alongside", kFolderHeldForChange, {.access = 0x0001, .share = 0x7}, true},
      {"held with DELETE, as it once was", kHeldWithDelete, kRenameTargetFolderOpen, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SharingAllows(c.held, c.opening), c.allowed) << c.name;
  }
}

}  // namespace
}  // namespace orvel
