#include "platform/image/picture.h"

#include <objidl.h>
#include <shlwapi.h>
// GDI+'s headers expect min/max from windows.h.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cwctype>
#include <string>
#include <vector>

#include "platform/ui/utf16.h"
#include "platform/vb/error.h"

namespace img {

using namespace Gdiplus;
namespace flat = Gdiplus::DllExports;

GdiplusSession::GdiplusSession() {
  GdiplusStartupInput in;
  GdiplusStartup(&token_, &in, nullptr);
}

GdiplusSession::~GdiplusSession() {
  if (token_) GdiplusShutdown(token_);
}

void GdiplusSession::ensure() {
  // Never destroyed: pictures held by program-wide dialogs are released after
  // static destructors would have shut GDI+ down.
  static GdiplusSession* session = new GdiplusSession();
  (void)session;
}

struct Picture::Impl {
  GpBitmap* bitmap = nullptr;
  mutable HBITMAP hbm = nullptr;
  ~Impl() {
    if (hbm) DeleteObject(hbm);
    if (bitmap) flat::GdipDisposeImage(bitmap);
  }
};

namespace {

// A standalone 32-bit copy of an image, drawn onto a white or clear canvas.
GpBitmap* copyOf(GpImage* src, bool opaque, PixelFormat format = PixelFormat32bppARGB) {
  UINT w = 0, h = 0;
  flat::GdipGetImageWidth(src, &w);
  flat::GdipGetImageHeight(src, &h);
  if (!w || !h) return nullptr;
  GpBitmap* out = nullptr;
  if (flat::GdipCreateBitmapFromScan0(static_cast<INT>(w), static_cast<INT>(h), 0, format, nullptr, &out) != Ok)
    return nullptr;
  GpGraphics* g = nullptr;
  flat::GdipGetImageGraphicsContext(out, &g);
  if (opaque) flat::GdipGraphicsClear(g, 0xFFFFFFFF);
  flat::GdipSetPixelOffsetMode(g, PixelOffsetModeHalf);
  flat::GdipDrawImageRectI(g, src, 0, 0, static_cast<INT>(w), static_cast<INT>(h));
  flat::GdipDeleteGraphics(g);
  return out;
}

bool encoderFor(const wchar_t* mime, CLSID& clsid) {
  UINT count = 0, size = 0;
  flat::GdipGetImageEncodersSize(&count, &size);
  if (!size) return false;
  std::vector<BYTE> buf(size);
  auto* codecs = reinterpret_cast<ImageCodecInfo*>(buf.data());
  flat::GdipGetImageEncoders(count, size, codecs);
  for (UINT i = 0; i < count; ++i)
    if (wcscmp(codecs[i].MimeType, mime) == 0) {
      clsid = codecs[i].Clsid;
      return true;
    }
  return false;
}

const wchar_t* mimeFor(const std::string& path) {
  std::string ext;
  size_t dot = path.find_last_of('.');
  if (dot != std::string::npos) ext = path.substr(dot + 1);
  for (auto& c : ext) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  if (ext == "png") return L"image/png";
  if (ext == "gif") return L"image/gif";
  if (ext == "bmp") return L"image/bmp";
  return L"image/jpeg";
}

void saveWith(GpImage* image, const std::string& path, const wchar_t* mime, const EncoderParameters* params) {
  CLSID clsid;
  if (!encoderFor(mime, clsid)) vb::raise(481, "Invalid picture");
  // Written beside the target and moved into place once it reads back, so
  // that a failed save leaves the old file (the logo) as it was.
  static unsigned counter = 0;
  std::string temp;
  do {
    temp = path + ".~" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++) + ".tmp";
  } while (GetFileAttributesW(ui::Widen(temp).c_str()) != INVALID_FILE_ATTRIBUTES);
  const std::wstring wtemp = ui::Widen(temp);
  if (flat::GdipSaveImageToFile(image, wtemp.c_str(), &clsid, params) != Ok) {
    DeleteFileW(wtemp.c_str());
    vb::raise(75, "Path/File access error");
  }
  // An encoder can report success and still write a file nothing can read
  // (Wine's GIF encoder writes only a header): read it back before saying so.
  try {
    Picture::load(temp);
  } catch (const vb::Error&) {
    DeleteFileW(wtemp.c_str());
    vb::raise(481, "Invalid picture: the saved file cannot be read back");
  }
  if (!MoveFileExW(wtemp.c_str(), ui::Widen(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(wtemp.c_str());
    vb::raise(75, "Path/File access error");
  }
}

}  // namespace

Picture Picture::load(const std::string& path) {
  GdiplusSession::ensure();
  std::wstring wpath = ui::Widen(path);
  // Read the bytes first so that the file is not held open by GDI+.
  HANDLE f = CreateFileW(wpath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) vb::raise(53, "File not found: " + path);
  std::vector<BYTE> bytes;
  LARGE_INTEGER size{};
  GetFileSizeEx(f, &size);
  if (size.QuadPart > 0 && size.QuadPart < (1LL << 30)) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
    bytes.resize(read);
  }
  CloseHandle(f);
  if (bytes.empty()) vb::raise(481, "Invalid picture");
  IStream* stream = SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
  if (!stream) vb::raise(7, "Out of memory");
  GpBitmap* decoded = nullptr;
  GpStatus st = flat::GdipCreateBitmapFromStream(stream, &decoded);
  GpBitmap* copy = st == Ok ? copyOf(decoded, false) : nullptr;
  if (!copy && decoded) {
    // Indexed pictures (GIF) may refuse a drawing copy; take a converted clone.
    UINT w = 0, h = 0;
    flat::GdipGetImageWidth(decoded, &w);
    flat::GdipGetImageHeight(decoded, &h);
    flat::GdipCloneBitmapAreaI(0, 0, static_cast<INT>(w), static_cast<INT>(h), PixelFormat32bppARGB, decoded, &copy);
  }
  if (decoded) flat::GdipDisposeImage(decoded);
  stream->Release();
  if (!copy) vb::raise(481, "Invalid picture");
  Picture p;
  p.impl_ = std::make_shared<Impl>();
  p.impl_->bitmap = copy;
  return p;
}

Picture Picture::fromHBITMAP(HBITMAP bitmap) {
  GdiplusSession::ensure();
  GpBitmap* b = nullptr;
  if (!bitmap || flat::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &b) != Ok) vb::raise(481, "Invalid picture");
  GpBitmap* copy = copyOf(b, true, PixelFormat32bppRGB);
  flat::GdipDisposeImage(b);
  if (!copy) vb::raise(481, "Invalid picture");
  Picture p;
  p.impl_ = std::make_shared<Impl>();
  p.impl_->bitmap = copy;
  return p;
}

int Picture::width() const {
  UINT w = 0;
  if (impl_) flat::GdipGetImageWidth(impl_->bitmap, &w);
  return static_cast<int>(w);
}

int Picture::height() const {
  UINT h = 0;
  if (impl_) flat::GdipGetImageHeight(impl_->bitmap, &h);
  return static_cast<int>(h);
}

void Picture::save(const std::string& path) const {
  if (!impl_) vb::raise(481, "Invalid picture");
  const wchar_t* mime = mimeFor(path);
  if (wcscmp(mime, L"image/jpeg") == 0) return saveJpeg(path);
  saveWith(impl_->bitmap, path, mime, nullptr);
}

void Picture::saveJpeg(const std::string& path, int quality) const {
  if (!impl_) vb::raise(481, "Invalid picture");
  GpBitmap* flatCopy = copyOf(impl_->bitmap, true, PixelFormat24bppRGB);
  if (!flatCopy) vb::raise(481, "Invalid picture");
  // {1d5be4b5-fa4a-452d-9cdd-5db35105e7eb}: the JPEG quality parameter.
  static const GUID kQuality = {0x1d5be4b5, 0xfa4a, 0x452d, {0x9c, 0xdd, 0x5d, 0xb3, 0x51, 0x05, 0xe7, 0xeb}};
  ULONG q = static_cast<ULONG>(std::max(0, std::min(100, quality)));
  EncoderParameters params;
  params.Count = 1;
  params.Parameter[0].Guid = kQuality;
  params.Parameter[0].Type = EncoderParameterValueTypeLong;
  params.Parameter[0].NumberOfValues = 1;
  params.Parameter[0].Value = &q;
  try {
    saveWith(flatCopy, path, L"image/jpeg", &params);
  } catch (...) {
    flat::GdipDisposeImage(flatCopy);
    throw;
  }
  flat::GdipDisposeImage(flatCopy);
}

HBITMAP Picture::hbitmap() const {
  if (!impl_) return nullptr;
  if (!impl_->hbm) flat::GdipCreateHBITMAPFromBitmap(impl_->bitmap, &impl_->hbm, 0xFFFFFFFF);
  return impl_->hbm;
}

void Picture::draw(HDC dc, int x, int y, int w, int h) const {
  draw(dc, x, y, w, h, 0, 0, width(), height());
}

void Picture::draw(HDC dc, int x, int y, int w, int h, int sx, int sy, int sw, int sh) const {
  if (!impl_ || w == 0 || h == 0) return;
  GpGraphics* g = nullptr;
  if (flat::GdipCreateFromHDC(dc, &g) != Ok) return;
  flat::GdipSetInterpolationMode(g, InterpolationModeHighQualityBicubic);
  flat::GdipSetPixelOffsetMode(g, PixelOffsetModeHalf);
  // Clamp at the edges so that stretching does not blend in a border.
  GpImageAttributes* attr = nullptr;
  flat::GdipCreateImageAttributes(&attr);
  flat::GdipSetImageAttributesWrapMode(attr, WrapModeTileFlipXY, 0, FALSE);
  flat::GdipDrawImageRectRectI(g, impl_->bitmap, x, y, w, h, sx, sy, sw, sh, UnitPixel, attr, nullptr, nullptr);
  flat::GdipDisposeImageAttributes(attr);
  flat::GdipDeleteGraphics(g);
}

}  // namespace img
