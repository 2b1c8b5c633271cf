#include <shlwapi.h>
#include <urlmon.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/Cp932_win.h"
#include "platform/Files.h"
#include "platform/OriginMark.h"

namespace platform {

namespace {

// A file's full path as a URL, the way the shell makes one
// ("file:///C:/dir/a.qpx", "file://server/share/a.qpx").
bool FileUrlOf(const std::string& fullPath, std::wstring& url) {
  std::wstring full;
  if (!win::ToWideName(fullPath, full)) return false;
  std::vector<wchar_t> made(full.size() * 3 + 16);
  DWORD length = static_cast<DWORD>(made.size());
  if (FAILED(::UrlCreateFromPathW(full.c_str(), made.data(), &length, 0))) return false;
  url.assign(made.data(), length);
  return true;
}

// The zone the system gives the file's URL (MapUrlToZone, which also
// reads the file's mark); nothing when it does not answer.
std::optional<long long> SystemZoneOf(const std::string& fullPath) {
  std::wstring url;
  if (!FileUrlOf(fullPath, url)) return std::nullopt;
  HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::optional<long long> zone;
  IInternetSecurityManager* manager = nullptr;
  if (SUCCEEDED(::CoInternetCreateSecurityManager(nullptr, &manager, 0)) && manager != nullptr) {
    DWORD answer = 0;
    if (SUCCEEDED(manager->MapUrlToZone(url.c_str(), &answer, MUTZ_REQUIRESAVEDFILECHECK)) &&
        static_cast<LONG>(answer) >= 0) {
      zone = static_cast<LONG>(answer);
    }
    manager->Release();
  }
  if (SUCCEEDED(com)) ::CoUninitialize();
  return zone;
}

}  // namespace

// The stream of the file the path opens (its full path: "a.qpx." opens
// a.qpx) and the system's zone for it; the higher counts.
bool ReadOriginMark(const std::string& path, OriginMark& mark) {
  std::string full;
  if (!GetFullPath(path, full)) full = path;
  ZoneCalls calls{[&full](OriginMark& found) { return ReadZoneIdentifier(full, found); },
                  [&full]() { return SystemZoneOf(full); }};
  return DecideOriginMark(calls, mark);
}

}  // namespace platform
