#include "ImagePaint.h"

#include <windowsx.h>

#include "LayoutRules.h"
#include "SanDC.h"

namespace {

bool Meets(const RECT& rect, const RECT* dirty) {
  if (!dirty) return true;
  RECT unused;
  return IntersectRect(&unused, &rect, dirty) != FALSE;
}

void PrepareGraphics(Gdiplus::Graphics& graphics, HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  graphics.SetSmoothingMode(kSmoothing);
}

std::uintptr_t TextHash(const wchar_t* text) {
  std::uintptr_t hash = 1469598103u;
  for (; *text; ++text) hash = (hash ^ static_cast<std::uintptr_t>(*text)) * 16777619u;
  return hash;
}

template <typename T>
std::uintptr_t Bits(T value) {
  return static_cast<std::uintptr_t>(value);
}

template <typename T>
std::uintptr_t Address(const T* pointer) {
  return reinterpret_cast<std::uintptr_t>(pointer);
}

// Brushes and images replaced in place may reuse a freed address, so the
// colour and size go into the cache key too.
std::uintptr_t BrushColor(Gdiplus::Brush* brush) {
  if (!brush || brush->GetType() != Gdiplus::BrushTypeSolidColor) return 0;
  Gdiplus::Color color;
  static_cast<Gdiplus::SolidBrush*>(brush)->GetColor(&color);
  return color.GetValue();
}

std::uintptr_t ImageSize(Gdiplus::Image* image) {
  return image ? (static_cast<std::uintptr_t>(image->GetWidth()) << 16) ^ image->GetHeight() : 0;
}

}  // namespace

CImagePaint::~CImagePaint() { Clear(); }

void CImagePaint::SetBackgroundColor(Gdiplus::ARGB color) {
  fillBackground = true;
  backgroundBrush.reset(new Gdiplus::SolidBrush(Gdiplus::Color(color)));
}

void CImagePaint::Redraw(const RECT& rect) {
  if (layered) {
    UpdateLayered();
  } else if (hwnd) {
    InvalidateRect(hwnd, &rect, TRUE);
  }
}

void CImagePaint::Clear() {
  statics.clear();
  buttons.clear();
  progressBars.clear();
  hover = nullptr;
  mouseX = -1;
  mouseY = -1;
  hwnd = nullptr;
  backgroundBrush.reset();
  layered = false;
  frame_.reset();
  backgroundCache_.reset();
  backgroundKey_.clear();
}

void CImagePaint::InvalidateBackground() { backgroundKey_.clear(); }

void CImagePaint::DrawBackgroundLayer(Gdiplus::Graphics& graphics, const RECT& client,
                                      const RECT* dirty) {
  if (fillBackground && backgroundBrush) {
    graphics.FillRectangle(backgroundBrush.get(), static_cast<INT>(client.left - 1),
                           static_cast<INT>(client.top - 1),
                           static_cast<INT>(client.right - client.left + 1),
                           static_cast<INT>(client.bottom - client.top + 1));
  }
  if (onPaintBackground) onPaintBackground(graphics);
  const RECT none = {};
  for (auto& s : statics) {
    if (Meets(s->rect, dirty)) s->Draw(graphics, none);
  }
}

void CImagePaint::DrawElementLayer(Gdiplus::Graphics& graphics, const RECT* dirty) {
  const RECT none = {};
  for (auto& b : buttons) {
    if (Meets(b->rect, dirty)) b->Draw(graphics, mouseX, mouseY, leftPressed, none);
  }
  // Multi-part elements draw their checked part over their neighbours.
  for (auto& b : buttons) {
    if (b->kind == 1 && b->checked && Meets(b->rect, dirty)) {
      b->Draw(graphics, mouseX, mouseY, leftPressed, none);
    }
  }
  for (auto& p : progressBars) {
    if (Meets(p->rect, dirty)) p->Draw(graphics, mouseX, mouseY, leftPressed, none);
  }
  if (onPaintOverlay) onPaintOverlay(graphics);
}

void CImagePaint::RenderTo(HDC dc, const RECT& client, const RECT* dirty) {
  Gdiplus::Graphics graphics(dc);
  PrepareGraphics(graphics, dc);
  DrawBackgroundLayer(graphics, client, dirty);
  DrawElementLayer(graphics, dirty);
}

void CImagePaint::PaintTo(HDC target, const RECT& client, const RECT& dirty) {
  CSanDC offscreen(target, client, &dirty);
  RenderTo(offscreen.MemDC(), client, &dirty);
}

void CImagePaint::Paint() {
  if (!hwnd) return;
  RECT dirty = {};
  GetUpdateRect(hwnd, &dirty, FALSE);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client = {};
  GetClientRect(hwnd, &client);
  if (dc) PaintTo(dc, client, dirty);
  EndPaint(hwnd, &ps);
}

bool CImagePaint::BackgroundCacheFits(int width, int height) {
  std::vector<std::uintptr_t> key = {Bits(width), Bits(height), Bits(fillBackground),
                                     Address(backgroundBrush.get()),
                                     BrushColor(backgroundBrush.get()),
                                     Bits(static_cast<bool>(onPaintBackground))};
  for (auto& s : statics) {
    key.insert(key.end(),
               {Address(s.get()), Bits(s->rect.left), Bits(s->rect.top), Bits(s->rect.right),
                Bits(s->rect.bottom), Bits(s->visible), Bits(s->edgeSafeStretch),
                Address(s->image.get()), ImageSize(s->image.get()), BrushColor(s->textBrush.get()),
                BrushColor(s->backgroundBrush.get()), Address(s->customFont), Bits(s->textAlign),
                Bits(s->textLeftInset), TextHash(s->text)});
  }
  const bool fits = backgroundCache_ && key == backgroundKey_;
  backgroundKey_ = std::move(key);
  return fits;
}

void CImagePaint::RenderLayered(DibSurface& frame) {
  const int width = frame.Width();
  const int height = frame.Height();
  if (!frame.Valid()) return;
  if (!BackgroundCacheFits(width, height)) {
    backgroundCache_ = std::make_unique<DibSurface>(frame.Dc(), width, height);
    backgroundCache_->Fill(0);
    Gdiplus::Graphics graphics(backgroundCache_->Dc());
    PrepareGraphics(graphics, backgroundCache_->Dc());
    DrawBackgroundLayer(graphics, RECT{0, 0, width, height}, nullptr);
  }
  frame.CopyFrom(*backgroundCache_);
  Gdiplus::Graphics graphics(frame.Dc());
  PrepareGraphics(graphics, frame.Dc());
  DrawElementLayer(graphics, nullptr);
}

void CImagePaint::UpdateLayered() {
  if (!hwnd) return;
  if (!updateLayeredWindow) {
    if (onLayeredFallback) onLayeredFallback();
    return;
  }
  RECT client = {};
  GetClientRect(hwnd, &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  WindowDc windowDc(hwnd);
  if (!frame_ || frame_->Width() != width || frame_->Height() != height) {
    frame_ = std::make_unique<DibSurface>(windowDc.Get(), width, height);
  }
  if (!frame_->Valid()) return;
  RenderLayered(*frame_);
  RECT window = {};
  GetWindowRect(hwnd, &window);
  POINT destination = {window.left, window.top};
  SIZE size = {width, height};
  POINT source = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  WindowDc screen(nullptr);
  updateLayeredWindow(hwnd, screen.Get(), &destination, &size, frame_->Dc(), &source, 0, &blend,
                      ULW_ALPHA);
}

void CImagePaint::EnableLayered() {
  if (layered || !IsWindow(hwnd)) return;
  fillBackground = false;
  layered = true;
  alpha = 255;
  if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    updateLayeredWindow = reinterpret_cast<UpdateLayeredWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "UpdateLayeredWindow")));
  }
  UpdateLayered();
}
