#include "cli/win32/file_verbs.h"

#include <windows.h>

#include <string>
#include <utility>

#include "check/check_presenter.h"
#include "check/texts.h"
#include "cli/cli_texts.h"
#include "iemode/site_list.h"
#include "win/saved_address_file.h"
#include "win/utf16_text.h"
#include "win/whole_file.h"
#include "win/win32_ansi_codec.h"
#include "zones/reg_file.h"

namespace orvel::cli {

namespace {

// What export writes: its text for standard output and JSON, and the bytes
// of its file.
struct Exported {
  std::string_view json_key;
  std::string text;
  std::string bytes;
  std::string_view written;
};

// A .reg file as regedit writes it: UTF-16 little-endian behind its
// byte-order mark.
Exported RegFile(const Options& options, const SiteAddress& address) {
  const std::string root =
      options.user ? std::string("HKEY_USERS\\").append(*options.user) : std::string(kCurrentUserRoot);
  std::string text = RegFileText(root, address.site);
  const std::wstring wide = L"\xFEFF" + Utf8ToWide(text);
  std::string bytes(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
  return {"reg", std::move(text), std::move(bytes), texts::kRegFileWritten};
}

// An IE mode site list holding only this site's entry, for an administrator
// who merges it into a central list: UTF-8, as the list's own header says.
Exported SiteListFile(const SiteAddress& address) {
  SiteList list;
  AddSite(list, SiteEntryUrl(address.site));
  std::string text = SiteListXml(list);
  std::string bytes = text;
  return {"site_list", std::move(text), std::move(bytes), texts::kSiteListWritten};
}

}  // namespace

VerbResult Export(const Options& options, const SiteAddress& address) {
  VerbResult result;
  // Edge matches no wildcard: a list holding one would open nothing in IE mode.
  if (options.site_list && IsWildcardSite(address.site)) {
    result.code = kInvalidAddress;
    result.errors.emplace_back(orvel::texts::kWildcardNotListed);
    return result;
  }
  const Exported exported = options.site_list ? SiteListFile(address) : RegFile(options, address);
  result.json.Text(exported.json_key, exported.text);
  if (!options.out) {
    result.json.Null("file");
    result.lines.push_back(exported.text);
    return result;
  }
  result.json.Text("file", *options.out);
  if (const int32_t written = WriteWholeFile(Utf8ToWide(*options.out), exported.bytes); written != ERROR_SUCCESS) {
    result.code = kFailed;
    result.errors.push_back(std::string(texts::kFileNotWritten).append(*options.out).append(texts::ErrorCode(written)));
  } else {
    result.lines.push_back(texts::Sentence(exported.written, *options.out));
  }
  return result;
}

VerbResult SetAddress(const SiteAddress& address) {
  const Win32AnsiCodec codec;
  SavedAddressFile file(SavedAddressFile::BesideProgram(), codec);
  VerbResult result;
  result.json.Text("file", WideToUtf8(file.path()));
  const std::string before = file.Load();
  if (const int32_t saved = file.Save(address.text); saved != ERROR_SUCCESS) {
    result.changed = false;
    result.code = kFailed;
    result.errors.push_back(texts::WithErrorCode(FailureText(CheckStep::kSave), saved));
  } else {
    result.lines.push_back(std::string(texts::kAddressSaved).append(WideToUtf8(file.path())));
    result.changed = before != address.text;
  }
  return result;
}

}  // namespace orvel::cli
