#include "DrawingStyle.h"

#include <cwchar>

namespace {

constexpr wchar_t kDefaultFace[] = L"\u5B8B\u4F53";
constexpr float kDefaultPoints = 9.0f;

// The face GDI+ uses for generic sans-serif text, by name: not every GDI+
// header's GenericSansSerif() can be relied on.
bool GenericSansSerifName(WCHAR (&name)[LF_FACESIZE]) {
  Gdiplus::GpFontFamily* family = nullptr;
  if (Gdiplus::DllExports::GdipGetGenericFontFamilySansSerif(&family) != Gdiplus::Ok) {
    return false;
  }
  const bool named =
      Gdiplus::DllExports::GdipGetFamilyName(family, name, LANG_NEUTRAL) == Gdiplus::Ok;
  Gdiplus::DllExports::GdipDeleteFontFamily(family);
  return named;
}

bool FamilyExists(const wchar_t* name) {
  Gdiplus::FontFamily family(name);
  return family.GetLastStatus() == Gdiplus::Ok;
}

// Which face the elements get, decided once per process: a failing family
// lookup walks every installed font, and each element makes its own font.
struct FaceChoice {
  wchar_t name[LF_FACESIZE] = {};
  // None of the faces is installed: let GDI match a substitute.
  bool byGdiMatch = false;
};

const FaceChoice& ChosenFace() {
  static const FaceChoice choice = [] {
    FaceChoice c;
    if (FamilyExists(kDefaultFace)) {
      wcscpy_s(c.name, kDefaultFace);
      return c;
    }
    if (GenericSansSerifName(c.name) && FamilyExists(c.name)) return c;
    // Systems without the usual fonts: a face that has both Chinese and Latin
    // letters, since GDI+ does not link fonts for missing glyphs.
    for (const wchar_t* face : {L"SimSun", L"Noto Sans CJK SC", L"WenQuanYi Zen Hei"}) {
      if (FamilyExists(face)) {
        wcscpy_s(c.name, face);
        return c;
      }
    }
    wcscpy_s(c.name, kDefaultFace);
    c.byGdiMatch = true;
    return c;
  }();
  return choice;
}

FontPtr MakeChosenFont(float points) {
  const FaceChoice& face = ChosenFace();
  if (!face.byGdiMatch) {
    return FontPtr(
        new Gdiplus::Font(face.name, points, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint));
  }
  WindowDc screen(nullptr);
  LOGFONTW logfont = {};
  logfont.lfHeight = -static_cast<LONG>(points * GetDeviceCaps(screen.Get(), LOGPIXELSY) / 72.0f);
  logfont.lfCharSet = GB2312_CHARSET;
  wcscpy_s(logfont.lfFaceName, face.name);
  return FontPtr(new Gdiplus::Font(screen.Get(), &logfont));
}

}  // namespace

FontPtr MakeDefaultFont() { return MakeChosenFont(kDefaultPoints); }

FontPtr MakeFaceFont(const wchar_t* face, float points) {
  if (!FamilyExists(face)) return MakeChosenFont(points);
  return FontPtr(new Gdiplus::Font(face, points, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint));
}

void SetupCaptionFormat(Gdiplus::StringFormat& format, int align) {
  format.SetAlignment(static_cast<Gdiplus::StringAlignment>(align));
  format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  format.SetTrimming(Gdiplus::StringTrimmingEllipsisWord);
}

void CopyCaption(wchar_t (&target)[kTextCapacity], const wchar_t* text) {
  if (!text) text = L"";
  std::wcsncpy(target, text, kTextCapacity - 1);
  target[kTextCapacity - 1] = L'\0';
}
