#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"
#include "win/own_folder.h"
#include "win/site_list_xml.h"
#include "win/win32_site_list_files.h"

namespace orvel {
namespace {

TEST(SiteListXml, ReadsV2SitesAndNoneFromV1) {
  SiteList list;
  EXPECT_EQ(
      ParseSiteListXml("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<site-list version=\"12\"><created-by><tool>x</tool></created-by>\n"
                       "  <site url=\" a.b.c:81 \"><compat-mode>IE8Enterprise</compat-mode>\n"
                       "    <open-in allow-redirect=\"true\"> IE11 </open-in></site>\n"
                       "  <site url=\"d.e/f\"><open-in>MSEdge</open-in></site>\n"
                       "  <site url=\"g.h\"/><site url=\"&#x4E2D;.cn\"><open-in><![CDATA[IE11]]></open-in></site>\n"
                       "</site-list>",
                       list),
      0);
  EXPECT_EQ(list, (SiteList{12,
                            {{"a.b.c:81", "IE8Enterprise", "IE11", true},
                             {"d.e/f", "", "MSEdge", false},
                             {"g.h"},
                             {"中.cn", "", "IE11", false}}}));
  EXPECT_EQ(ParseSiteListXml("<rules version=\"3\"><emie><domain>a.b.c</domain></emie></rules>", list), 0);
  EXPECT_EQ(list, (SiteList{3, {}}));
  for (const char* bad : {"", "<site-list version=\"1\"><site url=\"a\">", "<other/>",
                          "<!DOCTYPE x [<!ENTITY e \"a\">]><site-list version=\"1\"/>"}) {
    EXPECT_EQ(ParseSiteListXml(bad, list), ERROR_INVALID_DATA) << bad;
  }
  EXPECT_EQ(list, (SiteList{3, {}}));
}

TEST(OwnSiteListFile, WrittenWholeInAFolderOnlyAdministratorsChange) {
  test::TempFolder temp;
  const std::wstring folder = temp.path() + L"\\ORVEL";
  Win32SiteListFiles files(folder);
  SiteList list;
  EXPECT_EQ(files.ReadList(files.OwnListPath(), list), ERROR_FILE_NOT_FOUND);
  const SiteList written{2, {{"a.b.c", "Default", "IE11", true}}};
  EXPECT_EQ(files.WriteOwnList(written), 0);
  EXPECT_EQ(test::FolderEntries(folder), std::vector<std::wstring>{L"ie-mode-sites.xml"});
  EXPECT_EQ(test::ReadBytes(folder + L"\\ie-mode-sites.xml"), SiteListXml(written));
  EXPECT_EQ(files.ReadList(files.OwnListPath(), list), 0);
  EXPECT_EQ(list, written);
  const bool owner_kept = OwnedByTheSystem(folder);
  if (owner_kept) {
    EXPECT_EQ(files.WriteOwnList(SiteList{3, {}}), 0);
  }
  EXPECT_EQ(files.DeleteOwnList(), 0);
  EXPECT_EQ(test::FolderEntries(temp.path()), std::vector<std::wstring>{});
  EXPECT_EQ(files.DeleteOwnList(), ERROR_FILE_NOT_FOUND);
  if (!owner_kept) GTEST_SKIP() << "this system keeps no file owner (Wine 8): the folder made is never reused";
}

TEST(OwnSiteListFile, AFolderSomeoneElseOwnsIsRefused) {
  test::TempFolder temp;
  const std::wstring folder = temp.path() + L"\\ORVEL";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  if (OwnedByTheSystem(folder)) GTEST_SKIP() << "run as an administrator: a new folder is theirs";
  EXPECT_EQ(Win32SiteListFiles(folder).WriteOwnList(SiteList{1, {{"a.b.c"}}}), ERROR_INVALID_OWNER);
  EXPECT_EQ(test::FolderEntries(folder), std::vector<std::wstring>{});
  test::WriteBytes(temp.path() + L"\\file", "");
  EXPECT_EQ(Win32SiteListFiles(temp.path() + L"\\file").WriteOwnList(SiteList{}), ERROR_INVALID_OWNER);
}

}  // namespace
}  // namespace orvel
