#include "win/site_list_xml.h"

#include <windows.h>

#include <objidl.h>
#include <xmllite.h>

#include <charconv>

#include "win/system_library.h"
#include "win/unique_any.h"
#include "win/utf16_text.h"

namespace orvel {
namespace {

using CreateXmlReaderFunction = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);
using CreateMemStreamFunction = IStream*(WINAPI*)(const BYTE*, UINT);

std::string_view TrimSpace(std::string_view text) {
  constexpr std::string_view kSpace = " \t\r\n";
  text.remove_prefix(std::min(text.find_first_not_of(kSpace), text.size()));
  return text.substr(0, text.find_last_not_of(kSpace) + 1);
}

// The current node's local name or value, as `get` names it.
std::string NodeText(IXmlReader& reader, decltype(&IXmlReader::GetValue) get) {
  const wchar_t* text = nullptr;
  UINT length = 0;
  if (FAILED((reader.*get)(&text, &length))) return {};
  return WideToUtf8(std::wstring_view(text, length));
}

// An attribute of the current element, trimmed; empty when it is missing.
std::string Attribute(IXmlReader& reader, const wchar_t* name) {
  std::string value;
  if (reader.MoveToAttributeByName(name, nullptr) == S_OK) value = TrimSpace(NodeText(reader, &IXmlReader::GetValue));
  reader.MoveToElement();
  return value;
}

uint32_t VersionOf(std::string_view text) {
  uint32_t version = 0;
  std::from_chars(text.data(), text.data() + text.size(), version);
  return version;
}

// Reads the document into the list: <site-list> or <rules> at depth 0, <site> at 1, its
// <compat-mode> and <open-in> at 2 and their text at 3.
HRESULT ReadSiteList(IXmlReader& reader, SiteList& list) {
  bool root = false;
  bool rules = false;
  bool in_site = false;
  std::string* text = nullptr;
  XmlNodeType type = XmlNodeType_None;
  HRESULT result = S_OK;
  while ((result = reader.Read(&type)) == S_OK) {
    UINT depth = 0;
    reader.GetDepth(&depth);
    if (type == XmlNodeType_Element) {
      const std::string name = NodeText(reader, &IXmlReader::GetLocalName);
      const bool empty = reader.IsEmptyElement();
      text = nullptr;
      if (depth == 0) {
        rules = name == "rules";
        root = rules || name == "site-list";
        if (!root) return E_FAIL;
        list.old_format = rules;
        list.version = VersionOf(Attribute(reader, L"version"));
      } else if (depth == 1) {
        in_site = !rules && name == "site";
        if (in_site) list.sites.push_back(SiteEntry{Attribute(reader, L"url")});
        in_site = in_site && !empty;
      } else if (depth == 2 && in_site && name == "compat-mode") {
        text = &list.sites.back().compat_mode;
      } else if (depth == 2 && in_site && name == "open-in") {
        list.sites.back().allow_redirect = Attribute(reader, L"allow-redirect") == "true";
        text = &list.sites.back().open_in;
      }
      if (empty) text = nullptr;
    } else if ((type == XmlNodeType_Text || type == XmlNodeType_CDATA) && depth == 3 && text != nullptr) {
      *text += NodeText(reader, &IXmlReader::GetValue);
    } else if (type == XmlNodeType_EndElement) {
      text = nullptr;
      if (depth == 1) in_site = false;
    }
  }
  for (SiteEntry& site : list.sites) {
    site.compat_mode = TrimSpace(site.compat_mode);
    site.open_in = TrimSpace(site.open_in);
  }
  return root ? result : E_FAIL;
}

}  // namespace

int32_t ParseSiteListXml(std::string_view bytes, SiteList& list) {
  static const auto create_reader = LoadSystemFunction<CreateXmlReaderFunction>(L"xmllite.dll", "CreateXmlReader");
  static const auto create_stream = LoadSystemFunction<CreateMemStreamFunction>(L"shlwapi.dll", "SHCreateMemStream");
  if (create_reader == nullptr || create_stream == nullptr) return ERROR_PROC_NOT_FOUND;
  UniqueCom<IStream> stream(
      create_stream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
  IXmlReader* created = nullptr;
  if (!stream.valid() || FAILED(create_reader(__uuidof(IXmlReader), reinterpret_cast<void**>(&created), nullptr))) {
    return ERROR_OUTOFMEMORY;
  }
  UniqueCom<IXmlReader> reader(created);
  // No document type: nothing to expand, nothing fetched.
  reader.get()->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
  SiteList parsed;
  if (FAILED(reader.get()->SetInput(stream.get())) || ReadSiteList(*reader.get(), parsed) != S_FALSE) {
    return ERROR_INVALID_DATA;
  }
  list = std::move(parsed);
  return ERROR_SUCCESS;
}

}  // namespace orvel
