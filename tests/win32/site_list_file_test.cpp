#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"
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
  EXPECT_EQ(list, (SiteList{3, {}, true}));
  EXPECT_EQ(ParseSiteListXml("<site-list version=\"4\"/>", list), 0);
  EXPECT_EQ(list, (SiteList{4, {}, false}));
  for (const char* bad : {"", "<site-list version=\"1\"><site url=\"a\">", "<other/>",
                          "<!DOCTYPE x [<!ENTITY e \"a\">]><site-list version=\"1\"/>"}) {
    EXPECT_EQ(ParseSiteListXml(bad, list), ERROR_INVALID_DATA) << bad;
  }
  EXPECT_EQ(list, (SiteList{4, {}}));
}

TEST(OwnSiteListFile, WrittenWholeInAFolderOnlyAdministratorsChange) {
  test::TempFolder temp;
  const std::wstring folder = temp.path() + L"\\ORVEL";
  Win32SiteListFiles files(folder);
  SiteList list;
  EXPECT_EQ(files.ReadOwnList(list), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(files.EditOwnList(OwnListEdit::kRemove, [](SiteList&) { return true; }), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(test::FolderEntries(temp.path()), std::vector<std::wstring>{});
  for (const char* url : {"a.b.c", "d.e"}) {
    EXPECT_EQ(files.EditOwnList(OwnListEdit::kAdd, [&](SiteList& edited) { return AddSite(edited, url); }), 0);
    // Left by a run that ended between writing and moving: the next write clears it.
    if (url[0] == 'a') test::WriteBytes(folder + L"\\ie-mode-sites.xml.0123456789abcdef.tmp", "half");
  }
  EXPECT_EQ(test::FolderEntries(folder), std::vector<std::wstring>{L"ie-mode-sites.xml"});
  EXPECT_EQ(files.ReadOwnList(list), 0);
  EXPECT_EQ(test::ReadBytes(folder + L"\\ie-mode-sites.xml"), SiteListXml(list));
  EXPECT_EQ(list.sites.size(), 2u);
  // The last site out takes the file; the folder goes only when asked to,
  // once no policy names the list in it.
  for (const char* host : {"a.b.c", "d.e"}) {
    EXPECT_EQ(files.EditOwnList(OwnListEdit::kRemove, [&](SiteList& edited) { return RemoveHost(edited, host); }), 0);
  }
  EXPECT_EQ(test::FolderEntries(temp.path()), std::vector<std::wstring>{L"ORVEL"});
  EXPECT_EQ(files.DeleteOwnList(OwnFolderAfter::kKept), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(test::FolderEntries(temp.path()), std::vector<std::wstring>{L"ORVEL"});
  EXPECT_EQ(files.DeleteOwnList(OwnFolderAfter::kDeletedIfEmpty), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(test::FolderEntries(temp.path()), std::vector<std::wstring>{});
}

// Whatever stands where the folder should be, nothing behind it is read,
// written or deleted.
TEST(OwnSiteListFile, ALinkOrAFileInPlaceOfTheFolderIsRefused) {
  test::TempFolder temp;
  const std::wstring planted = temp.path() + L"\\planted";
  ASSERT_TRUE(CreateDirectoryW(planted.c_str(), nullptr));
  const std::string xml = SiteListXml(SiteList{1, {{"evil.example"}}});
  test::WriteBytes(planted + L"\\ie-mode-sites.xml", xml);
  test::WriteBytes(temp.path() + L"\\file", "");
  const test::FolderLink link(temp.path() + L"\\ORVEL", planted);
  if (!link.made()) GTEST_SKIP() << "no Unix underneath to make a link with";
  const std::pair<std::wstring, int32_t> cases[] = {{L"ORVEL", 4395}, {L"file", ERROR_DIRECTORY}};
  for (const auto& [name, refused] : cases) {
    Win32SiteListFiles files(temp.path() + L"\\" + name);
    SiteList list;
    EXPECT_EQ(files.ReadOwnList(list), refused);
    EXPECT_EQ(files.EditOwnList(OwnListEdit::kAdd, [](SiteList& edited) { return AddSite(edited, "a.b.c"); }), refused);
    EXPECT_EQ(files.DeleteOwnList(OwnFolderAfter::kDeletedIfEmpty), refused);
  }
  EXPECT_EQ(test::FolderEntries(planted), std::vector<std::wstring>{L"ie-mode-sites.xml"});
  EXPECT_EQ(test::ReadBytes(planted + L"\\ie-mode-sites.xml"), xml);
}

// A folder everyone may change is read by nobody, and made the tool's by
// the first run that changes it.
TEST(OwnSiteListFile, AFolderOthersMayChangeIsProtectedBeforeUse) {
  test::TempFolder temp;
  const std::wstring folder = temp.path() + L"\\ORVEL";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  Win32SiteListFiles files(folder);
  SiteList list;
  // Wine reads a DACL from the Unix mode: everyone may write in a 777 folder.
  if (!test::RunUnix("/bin/chmod 777 \"" + test::UnixPath(folder) + "\"",
                     [&] { return files.ReadOwnList(list) == ERROR_INVALID_ACL; })) {
    GTEST_SKIP() << "no Unix underneath to open the folder to everyone with";
  }
  EXPECT_EQ(files.EditOwnList(OwnListEdit::kAdd, [](SiteList& edited) { return AddSite(edited, "a.b.c"); }), 0);
  EXPECT_EQ(files.ReadOwnList(list), 0);
  EXPECT_EQ(list.sites.size(), 1u);
}

}  // namespace
}  // namespace orvel
