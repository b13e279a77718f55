#include "core/frmabout.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "core/dialog_layout.h"
#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/ui/win_util.h"
#include "platform/vb/error.h"

using layout::lineHeightPx;
using layout::px;
using layout::py;

namespace {

// Standard read rights together with all six key-specific rights.
constexpr REGSAM kKeyAccess = 131135;

bool RealRegistry(HKEY root, const std::string& keyName, REGSAM access, const std::string& valueName,
                  frmAbout::RegistryValue& out) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, ui::Widen(keyName).c_str(), 0, access, &key) != ERROR_SUCCESS) return false;
  // 1024 characters, as much as any program path needs.
  std::string buffer(1024 * sizeof(wchar_t), '\0');
  DWORD type = REG_NONE, size = static_cast<DWORD>(buffer.size());
  const LONG rc = RegQueryValueExW(key, ui::Widen(valueName).c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(&buffer[0]), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return false;
  buffer.resize(size);
  out.type = type;
  out.bytes = std::move(buffer);
  return true;
}

// Starts a program in a normal, focused window; raises when it does not start.
void StartProgram(HWND owner, const std::string& path) {
  if (ui::ShellExecuteFile(owner, "", path, "", "", SW_SHOWNORMAL) <= 32) vb::raise(53, "File not found: " + path);
}

// The program's icon drawn on the dialog's face, at the size of the icon box.
img::Picture IconPicture(int size) {
  HICON icon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  if (!icon) return {};
  ui::ScopedGetDC screen(nullptr);
  ui::OwnedMemDC dc(screen);
  ui::OwnedBitmap bitmap(CreateCompatibleBitmap(screen, size, size));
  {
    ui::ScopedSelect select(dc, bitmap);
    RECT all{0, 0, size, size};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  }
  DestroyIcon(icon);
  return img::Picture::fromHBITMAP(bitmap);
}

// Height in pixels of a text wrapped at the width, in the font.
int WrappedHeight(const std::string& text, const ui::FontSpec& font, int width) {
  ui::ScopedGetDC dc(nullptr);
  ui::ScopedSelect select(dc, ui::FontFor(font));
  RECT r{0, 0, width, 0};
  const std::wstring w = ui::Widen(text);
  DrawTextW(dc, w.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK);
  return r.bottom - r.top;
}

const char kDescription[] = "Aplikasi Untuk mencetak kwitansi, simple dan sangat mudah digunakan ";

}  // namespace

ProgramVersion programVersion() {
  ProgramVersion v;
  wchar_t path[MAX_PATH * 2];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  if (n == 0 || n >= MAX_PATH * 2) return v;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) return v;
  std::vector<BYTE> data(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoW(path, 0, size, data.data()) ||
      !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof(VS_FIXEDFILEINFO))
    return v;
  v.major = HIWORD(info->dwFileVersionMS);
  v.minor = LOWORD(info->dwFileVersionMS);
  v.revision = HIWORD(info->dwFileVersionLS);
  return v;
}

frmAbout::RegistryReader& frmAbout::Registry() {
  static RegistryReader reader;
  return reader;
}

frmAbout::frmAbout() {
  cmdOK.Click = [this] { cmdOK_Click(); };
  cmdSysInfo.Click = [this] { cmdSysInfo_Click(); };
}

void frmAbout::Design() {
  Caption("About MyApp");
  BorderStyle(ui::vbFixedDialog);
  StartUpPosition(ui::vbStartUpOwner);
  font_.name = "Tahoma";
  font_.size = 9;

  const int width = 440, margin = 16, iconSize = 48;
  const int textX = margin + iconSize + 16, textW = width - textX - margin;
  const int lineH = lineHeightPx(font_);

  picIcon.Create(*this, px(margin), py(margin), px(iconSize), py(iconSize));
  picIcon.BorderStyle(0);
  picIcon.TabStop(false);
  picIcon.Picture(IconPicture(iconSize));

  ui::FontSpec title = font_;
  title.size = 16;
  title.bold = true;
  const int titleH = lineHeightPx(title);
  int y = margin - 4;
  lblTitle.Create(*this, px(textX), py(y), px(textW), py(titleH));
  lblTitle.FontSize(title.size);
  lblTitle.FontBold(true);
  y += titleH;
  lblVersion.Create(*this, px(textX), py(y), px(textW), py(lineH));
  y += lineH + 12;
  const int descriptionH = WrappedHeight(kDescription, font_, textW);
  lblDescription.Create(*this, px(textX), py(y), px(textW), py(descriptionH));
  lblDescription.WordWrap(true);
  y += descriptionH;
  if (y < margin + iconSize) y = margin + iconSize;

  y += 16;
  Line1[0].Create(*this, px(margin), py(y), px(width - margin), py(y));
  Line1[0].BorderColor(ui::SysColor(COLOR_BTNSHADOW));
  Line1[1].Create(*this, px(margin), py(y + 1), px(width - margin), py(y + 1));
  Line1[1].BorderColor(ui::SysColor(COLOR_BTNHIGHLIGHT));

  y += 12;
  const int btnH = 26, okW = 88, infoW = 112;
  cmdOK.Create(*this, px(width - margin - okW), py(y), px(okW), py(btnH), "OK");
  cmdOK.Default(true);
  cmdOK.Cancel(true);
  cmdSysInfo.Create(*this, px(width - margin - okW - 8 - infoW), py(y), px(infoW), py(btnH), "&System Info...");
  cmdOK.TabIndex(0);
  cmdSysInfo.TabIndex(1);

  ClientSize(px(width), py(y + btnH + margin - 4));
}

void frmAbout::Form_Load() {
  ui::App& app = ui::App::get();
  // From here on, message boxes without a title of their own show this one.
  app.Title("Vantorel");
  Caption("About " + app.Title());
  const ProgramVersion v = programVersion();
  lblVersion.Caption("Version " + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
                     std::to_string(v.revision));
  lblTitle.Caption(app.Title());
  lblDescription.Caption(kDescription);
}

void frmAbout::cmdOK_Click() { Unload(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::StartSysInfo() {
  try {
    std::string path;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path)) {
      StartProgram(hwnd(), path);
      return;
    }
    if (GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", path) &&
        ui::FileExists(path + "\\MSINFO32.EXE")) {
      StartProgram(hwnd(), path + "\\MSINFO32.EXE");
      return;
    }
  } catch (const vb::Error&) {
    // Not startable: the same message as not found.
  }
  ui::MsgBox("System Information Is Unavailable At This Time", ui::vbOKOnly);
}

bool frmAbout::GetKeyValue(HKEY KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                           std::string& KeyVal) {
  RegistryValue value;
  const RegistryReader& reader = Registry();
  if (!(reader ? reader(KeyRoot, KeyName, kKeyAccess, SubKeyRef, value)
               : RealRegistry(KeyRoot, KeyName, kKeyAccess, SubKeyRef, value))) {
    KeyVal.clear();
    return false;
  }
  if (value.type == REG_SZ) {
    // UTF-16 up to its terminating zero, if it has one.
    std::wstring text(value.bytes.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) memcpy(&text[0], value.bytes.data(), text.size() * sizeof(wchar_t));
    const size_t end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
    KeyVal = ui::Narrow(text);
  } else if (value.type == REG_DWORD && value.bytes.size() >= 4) {
    // The number as the platform writes a 32-bit value.
    uint32_t n = 0;
    memcpy(&n, value.bytes.data(), 4);
    KeyVal += std::to_string(static_cast<int32_t>(n));
  }
  return true;
}
