#include "cli/file_verbs.h"

#include <windows.h>

#include <string>

#include "check/check_presenter.h"
#include "cli/cli_texts.h"
#include "iemode/site_list.h"
#include "win/saved_address_file.h"
#include "win/utf16_text.h"
#include "win/whole_file.h"
#include "win/win32_ansi_codec.h"
#include "zones/reg_file.h"

namespace orvel::cli {

namespace {

// An IE mode site list holding only this site's entry, for an administrator
// who merges it into a central list: UTF-8, as the list's own header says.
ExitCode ExportSiteList(const Options& options, const SiteAddress& address, Output& output, JsonObject& json) {
  SiteList list;
  AddSite(list, SiteEntryUrl(IeModeSite(address)));
  const std::string text = SiteListXml(list);
  json.Text("site_list", text);
  if (!options.out) {
    json.Null("file");
    output.Line(text);
    return kDone;
  }
  json.Text("file", *options.out);
  if (const int32_t written = WriteWholeFile(Utf8ToWide(*options.out), text); written != ERROR_SUCCESS) {
    output.Error(std::string(texts::kFileNotWritten).append(*options.out).append(ErrorCode(written)));
    return kFailed;
  }
  output.Line(std::string(texts::kSiteListWritten).append(*options.out).append("。"));
  return kDone;
}

}  // namespace

ExitCode Export(const Options& options, const SiteAddress& address, Output& output, JsonObject& json) {
  if (options.site_list) return ExportSiteList(options, address, output, json);
  const std::string root =
      options.user ? std::string("HKEY_USERS\\").append(*options.user) : std::string(kCurrentUserRoot);
  const std::string text = RegFileText(root, address.host, address.kind, address.scheme());
  json.Text("reg", text);
  if (!options.out) {
    json.Null("file");
    output.Line(text);
    return kDone;
  }
  json.Text("file", *options.out);
  // What regedit writes: UTF-16 little-endian behind its byte-order mark.
  const std::wstring wide = L"\xFEFF" + Utf8ToWide(text);
  const std::string_view bytes(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
  if (const int32_t written = WriteWholeFile(Utf8ToWide(*options.out), bytes); written != ERROR_SUCCESS) {
    output.Error(std::string(texts::kFileNotWritten).append(*options.out).append(ErrorCode(written)));
    return kFailed;
  }
  output.Line(std::string(texts::kRegFileWritten).append(*options.out).append("。"));
  return kDone;
}

ExitCode SetAddress(const SiteAddress& address, Output& output, JsonObject& json) {
  const Win32AnsiCodec codec;
  SavedAddressFile file(SavedAddressFile::BesideProgram(), codec);
  json.Text("file", WideToUtf8(file.path()));
  if (const int32_t saved = file.Save(address.text); saved != ERROR_SUCCESS) {
    output.Error(std::string(FailureText(CheckStep::kSave)).append(ErrorCode(saved)));
    return kFailed;
  }
  output.Line(std::string(texts::kAddressSaved).append(WideToUtf8(file.path())));
  return kDone;
}

}  // namespace orvel::cli
