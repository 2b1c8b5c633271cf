#include <windows.h>
// The shell's header needs the types of <windows.h> first.
#include <shellapi.h>

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Cp932_win.h"
#include "platform/FixedFontChoice.h"
#include "platform/Window.h"

namespace platform {

#define QPX_SAME_FIELD(ours, theirs) static_assert(offsetof(Message, ours) == offsetof(MSG, theirs))
static_assert(sizeof(Message) == sizeof(MSG));
QPX_SAME_FIELD(window, hwnd);
QPX_SAME_FIELD(message, message);
QPX_SAME_FIELD(wParam, wParam);
QPX_SAME_FIELD(lParam, lParam);
QPX_SAME_FIELD(time, time);
QPX_SAME_FIELD(x, pt.x);
QPX_SAME_FIELD(y, pt.y);
#undef QPX_SAME_FIELD
static_assert(sizeof(Rect) == sizeof(RECT));

static_assert(kWmCreate == WM_CREATE && kWmDestroy == WM_DESTROY && kWmSize == WM_SIZE &&
              kWmSetFocus == WM_SETFOCUS && kWmClose == WM_CLOSE && kWmQuit == WM_QUIT &&
              kWmSetFont == WM_SETFONT && kWmCommand == WM_COMMAND &&
              kWmSysCommand == WM_SYSCOMMAND && kWmInitMenuPopup == WM_INITMENUPOPUP &&
              kWmDpiChanged == WM_DPICHANGED && kWmDropFiles == WM_DROPFILES);
static_assert(kScClose == SC_CLOSE);
static_assert(kWsOverlappedWindow == WS_OVERLAPPEDWINDOW && kWsChild == WS_CHILD &&
              kWsVisible == WS_VISIBLE && kWsVScroll == WS_VSCROLL && kWsHScroll == WS_HSCROLL &&
              kWsTabStop == WS_TABSTOP && kWsExClientEdge == WS_EX_CLIENTEDGE);
static_assert(kEsMultiline == ES_MULTILINE && kEsAutoVScroll == ES_AUTOVSCROLL &&
              kEsAutoHScroll == ES_AUTOHSCROLL && kEsNoHideSel == ES_NOHIDESEL &&
              kEsReadOnly == ES_READONLY && kEsWantReturn == ES_WANTRETURN);
static_assert(kCwUseDefault == CW_USEDEFAULT && kColorBtnFace == COLOR_BTNFACE &&
              kSystemFixedFont == SYSTEM_FIXED_FONT);
static_assert(kMfByCommand == MF_BYCOMMAND && kMfEnabled == MF_ENABLED && kMfGrayed == MF_GRAYED);

// With code page 932 the windows are ANSI windows, made and fed by the
// ANSI calls; with any other code page they are Unicode windows, made and
// fed by the wide calls, and every text is converted from CP932 on its way
// to them.
namespace {

bool UseWideCalls() { return !win::SystemIsCp932(); }

// A program registers one window class; its procedure is reached through
// this adapter, which has the system's calling convention.
WindowProcedure registeredProcedure = nullptr;

LRESULT CALLBACK ProcedureAdapter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (registeredProcedure == nullptr) {
    return platform::DefWindowProcA(window, message, wParam, lParam);
  }
  return registeredProcedure(window, message, wParam, lParam);
}

// The fields both kinds of class record share; the names are the caller's.
template <typename SystemClass>
SystemClass ClassRecordOf(const WindowClassRecord& windowClass) {
  SystemClass system{};
  system.cbSize = sizeof system;
  system.style = windowClass.style;
  system.lpfnWndProc = ProcedureAdapter;
  system.hInstance = static_cast<HINSTANCE>(windowClass.instance);
  system.hIcon = static_cast<HICON>(windowClass.icon);
  system.hIconSm = static_cast<HICON>(windowClass.smallIcon);
  system.hbrBackground = reinterpret_cast<HBRUSH>(windowClass.background);
  registeredProcedure = windowClass.procedure;
  return system;
}

// The screen's device context, released on every path.
class CScreenContext {
 public:
  CScreenContext() : context_(::GetDC(nullptr)) {}
  ~CScreenContext() {
    if (context_ != nullptr) ::ReleaseDC(nullptr, context_);
  }
  CScreenContext(const CScreenContext&) = delete;
  CScreenContext& operator=(const CScreenContext&) = delete;
  HDC Get() const { return context_; }

 private:
  HDC context_;
};

uint32_t SystemDpi() {
  CScreenContext screen;
  int dpi = screen.Get() != nullptr ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
  return dpi > 0 ? static_cast<uint32_t>(dpi) : 96;
}

// The stock fixed font of a Japanese system is 16 pixels high at 96 dots
// per inch.
HFONT CreateFaceFont(const std::wstring& face, bool japanese) {
  return ::CreateFontW(::MulDiv(16, static_cast<int>(SystemDpi()), 96), 0, 0, 0, FW_NORMAL, FALSE,
                       FALSE, FALSE, japanese ? SHIFTJIS_CHARSET : DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FIXED_PITCH | FF_MODERN, face.c_str());
}

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD fontType,
                         LPARAM faces) {
  reinterpret_cast<std::vector<FontFace>*>(faces)->push_back(
      {win::ToUtf8(font->lfFaceName), font->lfCharSet == SHIFTJIS_CHARSET,
       // The bit is set for a font of variable pitch.
       (metrics->tmPitchAndFamily & TMPF_FIXED_PITCH) == 0, (fontType & RASTER_FONTTYPE) == 0});
  return 1;
}

// Every face installed, once per character set it offers.
std::vector<FontFace> InstalledFaces(HDC screen) {
  std::vector<FontFace> faces;
  LOGFONTW all{};
  all.lfCharSet = DEFAULT_CHARSET;
  ::EnumFontFamiliesExW(screen, &all, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
  return faces;
}

bool HasJapaneseGlyphs(HDC context) {
  WORD glyphs[3] = {};
  return ::GetGlyphIndicesW(context, L"\u8868\u30A2\u3000", 3, glyphs,
                            GGI_MARK_NONEXISTING_GLYPHS) == 3 &&
         glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF && glyphs[2] != 0xFFFF;
}

// Owns a font the program made and deletes it on every path.
class CAutoDeleteFont {
 public:
  explicit CAutoDeleteFont(HFONT font) : font_(font) {}
  ~CAutoDeleteFont() {
    if (font_ != nullptr) ::DeleteObject(font_);
  }
  CAutoDeleteFont(CAutoDeleteFont&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}
  CAutoDeleteFont(const CAutoDeleteFont&) = delete;
  CAutoDeleteFont& operator=(const CAutoDeleteFont&) = delete;
  HFONT Get() const { return font_; }

 private:
  HFONT font_;
};

// What the system selects for a font: its face, pitch and glyphs. A
// stock raster font answers no glyph indices, but tells its character set.
std::optional<SelectedFace> SelectedOn(HDC screen, HGDIOBJ font) {
  HGDIOBJ previous = ::SelectObject(screen, font);
  wchar_t face[LF_FACESIZE] = {};
  TEXTMETRICW metrics{};
  std::optional<SelectedFace> selected;
  if (::GetTextFaceW(screen, LF_FACESIZE, face) > 0 && ::GetTextMetricsW(screen, &metrics)) {
    selected = SelectedFace{win::ToUtf8(face), (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0,
                            HasJapaneseGlyphs(screen) || metrics.tmCharSet == SHIFTJIS_CHARSET};
  }
  ::SelectObject(screen, previous);
  return selected;
}

// What the system selects for a font of the face.
std::optional<SelectedFace> SelectFaceOn(HDC screen, const std::string& name, bool japanese) {
  CAutoDeleteFont font(CreateFaceFont(win::FromUtf8(name), japanese));
  if (font.Get() == nullptr) return std::nullopt;
  return SelectedOn(screen, font.Get());
}

// The stock fixed font where it serves the pane, else MS Gothic or
// another fixed-pitch face chosen among those installed (ChoosePaneFace);
// null for the stock font.
HFONT CreatePaneFont() {
  CScreenContext screen;
  if (screen.Get() == nullptr) return nullptr;
  std::optional<FontFace> face =
      ChoosePaneFace(SelectedOn(screen.Get(), ::GetStockObject(SYSTEM_FIXED_FONT)),
                     InstalledFaces(screen.Get()), [&](const std::string& name, bool japanese) {
                       return SelectFaceOn(screen.Get(), name, japanese);
                     });
  if (!face) return nullptr;
  return CreateFaceFont(win::FromUtf8(face->name), face->japanese);
}

HGDIOBJ SystemDpiFixedFont() {
  static const CAutoDeleteFont font(CreatePaneFont());
  return font.Get() != nullptr ? font.Get() : ::GetStockObject(SYSTEM_FIXED_FONT);
}

// The system-DPI font with its cell scaled from the system's DPI to `dpi`.
HFONT CreateScaledFont(HGDIOBJ font, uint32_t dpi) {
  LOGFONTW shape{};
  if (::GetObjectW(font, sizeof shape, &shape) != sizeof shape) return nullptr;
  int system = static_cast<int>(SystemDpi());
  shape.lfHeight = ::MulDiv(shape.lfHeight, static_cast<int>(dpi), system);
  shape.lfWidth = ::MulDiv(shape.lfWidth, static_cast<int>(dpi), system);
  return ::CreateFontIndirectW(&shape);
}

}  // namespace

uint16_t RegisterClassExA(const WindowClassRecord& windowClass) {
  if (UseWideCalls()) {
    std::wstring className = win::ToWideText(windowClass.className ? windowClass.className : "");
    auto system = ClassRecordOf<WNDCLASSEXW>(windowClass);
    system.lpszMenuName = windowClass.menuId ? MAKEINTRESOURCEW(windowClass.menuId) : nullptr;
    system.lpszClassName = className.c_str();
    return ::RegisterClassExW(&system);
  }
  auto system = ClassRecordOf<WNDCLASSEXA>(windowClass);
  system.lpszMenuName = windowClass.menuId ? MAKEINTRESOURCEA(windowClass.menuId) : nullptr;
  system.lpszClassName = windowClass.className;
  return ::RegisterClassExA(&system);
}

WindowHandle CreateWindowExA(uint32_t exStyle, const char* className, const char* windowName,
                             uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                             WindowHandle parent, uintptr_t menuOrId, InstanceHandle instance) {
  if (UseWideCalls()) {
    std::wstring wideClass = win::ToWideText(className ? className : "");
    std::wstring wideName = win::ToWideText(windowName ? windowName : "");
    return ::CreateWindowExW(exStyle, wideClass.c_str(), windowName ? wideName.c_str() : nullptr,
                             style, x, y, width, height, static_cast<HWND>(parent),
                             reinterpret_cast<HMENU>(menuOrId), static_cast<HINSTANCE>(instance),
                             nullptr);
  }
  return ::CreateWindowExA(exStyle, className, windowName, style, x, y, width, height,
                           static_cast<HWND>(parent), reinterpret_cast<HMENU>(menuOrId),
                           static_cast<HINSTANCE>(instance), nullptr);
}

int ShowWindow(WindowHandle window, int showCommand) {
  return ::ShowWindow(static_cast<HWND>(window), showCommand);
}

int UpdateWindow(WindowHandle window) { return ::UpdateWindow(static_cast<HWND>(window)); }

int GetMessageA(Message& message) {
  auto* system = reinterpret_cast<MSG*>(&message);
  return UseWideCalls() ? ::GetMessageW(system, nullptr, 0, 0)
                        : ::GetMessageA(system, nullptr, 0, 0);
}

int TranslateMessage(const Message& message) {
  return ::TranslateMessage(reinterpret_cast<const MSG*>(&message));
}

intptr_t DispatchMessageA(const Message& message) {
  const auto* system = reinterpret_cast<const MSG*>(&message);
  return UseWideCalls() ? ::DispatchMessageW(system) : ::DispatchMessageA(system);
}

intptr_t DefWindowProcA(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  auto* system = static_cast<HWND>(window);
  return UseWideCalls() ? ::DefWindowProcW(system, message, wParam, lParam)
                        : ::DefWindowProcA(system, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

// The messages the programs send carry no text.
intptr_t SendMessageA(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  auto* system = static_cast<HWND>(window);
  return UseWideCalls() ? ::SendMessageW(system, message, wParam, lParam)
                        : ::SendMessageA(system, message, wParam, lParam);
}

IconHandle LoadIconA(InstanceHandle instance, uint16_t iconId) {
  return ::LoadIconA(static_cast<HINSTANCE>(instance), MAKEINTRESOURCEA(iconId));
}

int GetClientRect(WindowHandle window, Rect& rect) {
  return ::GetClientRect(static_cast<HWND>(window), reinterpret_cast<RECT*>(&rect));
}

int MoveWindow(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height,
               int repaint) {
  return ::MoveWindow(static_cast<HWND>(window), x, y, width, height, repaint);
}

WindowHandle SetFocus(WindowHandle window) { return ::SetFocus(static_cast<HWND>(window)); }

int SetWindowTextA(WindowHandle window, const std::string& text) {
  if (UseWideCalls()) {
    return ::SetWindowTextW(static_cast<HWND>(window), win::ToWideText(text).c_str());
  }
  return ::SetWindowTextA(static_cast<HWND>(window), text.c_str());
}

GdiObject GetStockObject(int object) { return ::GetStockObject(object); }

GdiObject GetFixedFont(uint32_t dpi) {
  HGDIOBJ systemFont = SystemDpiFixedFont();
  if (dpi == 0 || dpi == SystemDpi()) return systemFont;
  // One font per DPI the window has been shown at: a few at most.
  static std::vector<std::pair<uint32_t, CAutoDeleteFont>> scaled;
  for (const auto& [fontDpi, font] : scaled) {
    if (fontDpi == dpi) return font.Get();
  }
  CAutoDeleteFont font(CreateScaledFont(systemFont, dpi));
  if (font.Get() == nullptr) return systemFont;
  return scaled.emplace_back(dpi, std::move(font)).second.Get();
}

uint32_t GetWindowDpi(WindowHandle window) {
  // GetDpiForWindow came with Windows 10 (1607): looked up, not imported,
  // so that the program still starts on older systems.
  using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowCall>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  UINT dpi = getDpiForWindow ? getDpiForWindow(static_cast<HWND>(window)) : 0;
  return dpi != 0 ? dpi : SystemDpi();
}

void DragAcceptFiles(WindowHandle window, int accept) {
  ::DragAcceptFiles(static_cast<HWND>(window), accept);
}

uint32_t QueryDroppedFile(DropHandle drop, uint32_t index, std::string& name) {
  name.clear();
  auto* system = static_cast<HDROP>(drop);
  if (index == kDragQueryCount) return ::DragQueryFileW(system, index, nullptr, 0);
  UINT length = ::DragQueryFileW(system, index, nullptr, 0);
  if (length == 0) return 0;
  std::wstring wide(length + 1, L'\0');
  wide.resize(::DragQueryFileW(system, index, wide.data(), length + 1));
  if (!win::ToCp932Name(wide, name)) name.clear();
  return static_cast<uint32_t>(name.size());
}

void DragFinish(DropHandle drop) { ::DragFinish(static_cast<HDROP>(drop)); }

MenuHandle GetMenu(WindowHandle window) { return ::GetMenu(static_cast<HWND>(window)); }

MenuHandle GetSubMenu(MenuHandle menu, int position) {
  return ::GetSubMenu(static_cast<HMENU>(menu), position);
}

int EnableMenuItem(MenuHandle menu, uint32_t itemId, uint32_t enable) {
  return ::EnableMenuItem(static_cast<HMENU>(menu), itemId, enable);
}

}  // namespace platform
