#include "Frame.h"

#include <cwchar>

#include "CompatibilityMarker.h"
#include "GameWindow.h"
#include "SelfDeleteBatch.h"
#include "UninstallNames.h"
#include "UninstallWorker.h"
#include "WizardLayout.h"
#include "uninstaller_resources.h"

namespace {

constexpr wchar_t kTitleFontFamily[] = L"\x5FAE\x8F6F\x96C5\x9ED1";
constexpr float kTitleFontPoints = 11.0f;
constexpr wchar_t kKeepDataLabel[] = L"\x4FDD\x7559\x7528\x6237\x4FE1\x606F\x548C\x76F8\x5173\x6570\x636E";

// GDI+'s generic sans-serif face by name: the header's GenericSansSerif()
// is not reliable on every GDI+.
bool GenericSansSerifName(WCHAR (&name)[LF_FACESIZE]) {
  Gdiplus::GpFontFamily* family = nullptr;
  if (Gdiplus::DllExports::GdipGetGenericFontFamilySansSerif(&family) != Gdiplus::Ok) return false;
  const bool named = Gdiplus::DllExports::GdipGetFamilyName(family, name, LANG_NEUTRAL) == Gdiplus::Ok;
  Gdiplus::DllExports::GdipDeleteFontFamily(family);
  return named;
}

FontPtr FontOfFamily(const wchar_t* face) {
  Gdiplus::FontFamily family(face);
  if (!family.IsAvailable()) return nullptr;
  return std::make_unique<Gdiplus::Font>(&family, kTitleFontPoints, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
}

FontPtr MakeTitleFont() {
  if (FontPtr available = FontOfFamily(kTitleFontFamily)) return available;
  WCHAR face[LF_FACESIZE] = {};
  if (GenericSansSerifName(face))
    if (FontPtr generic = FontOfFamily(face)) return generic;
  // Systems without the generic face (Wine without its fonts): the face the
  // elements' own font found.
  Gdiplus::FontFamily family;
  MakeDefaultFont()->GetFamily(&family);
  return std::make_unique<Gdiplus::Font>(&family, kTitleFontPoints, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
}

}  // namespace

CFrame::~CFrame() {
  if (link_) link_->Detach();
}

void CFrame::OnCreate(CREATESTRUCTW*) {
  static_cast<void>(MarkCompatibilityPersisted());
  titleFont_ = MakeTitleFont();
  LoadIconResource(true, 48);
  LoadIconResource(false, 32);
  wchar_t title[64];
  std::swprintf(title, 64, L"%ls\x5378\x8F7D\x5411\x5BFC", uninstall::kGameTitle);
  RECT client = {};
  if (IsWindow(GetHwnd())) {
    SetWindowTextW(GetHwnd(), title);
    GetClientRect(GetHwnd(), &client);
  }
  AddElements(client.right - client.left, title);
}

void CFrame::AddElements(int width, const wchar_t* title) {
  using namespace wizard;
  CImageStatic* strip = paint.AddStatic(0, kTitleId, false, RECT{0, 0, width, 25});
  CopyCaption(strip->text, title);
  strip->textBrush = std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(0xFFFFFFFF));
  strip->backgroundBrush = std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(0xFFFEBD3C));
  strip->customFont = titleFont_.get();
  strip->textAlign = 0;
  strip->textLeftInset = 7;
  strip->anchorRight = 0;
  strip->fixedLeft = 0;

  CImageButton* close = paint.AddButton(CImagePaint::kCloseId, IDP_CLOSE, IDP_CLOSE_HOVER, IDP_CLOSE_PRESSED, IDP_CLOSE,
                                        RECT{width - 26, 0, width - 1, 25});
  close->anchorRight = 1;

  paint.AddStatic(IDP_MASCOT, kMascotId, false, RECT{73, 72, 202, 222});
  paint.AddStatic(IDP_BUBBLE, kBubbleId, false, RECT{225, 92, 412, 149});

  paint.AddButton(kKeepDataId, IDP_CHECK_BOX, IDP_CHECK_HOVER, IDP_CHECK_PRESSED, IDP_CHECK_TICKED,
                  RECT{25, 293, 37, 305})->SetToggled(true);
  CImageStatic* label = paint.AddStatic(0, kKeepDataId, false, RECT{40, 290, 240, 310});
  CopyCaption(label->text, kKeepDataLabel);
  label->textAlign = 0;

  paint.AddButton(kContinueId, IDP_CONTINUE, IDP_CONTINUE_HOVER, IDP_CONTINUE_PRESSED, IDP_CONTINUE, RECT{250, 287, 324, 308});
  paint.AddButton(kCancelId, IDP_CANCEL, IDP_CANCEL_HOVER, IDP_CANCEL_PRESSED, IDP_CANCEL, RECT{335, 287, 409, 308});

  progressBar_ = paint.AddProgressbar(kProgressId, RECT{32, 280, 403, 284}, IDP_PROGRESS_BACK, IDP_PROGRESS_FILL);
  progressBar_->visible = false;
}

bool CFrame::OnButtonClick(CImageButton* button) {
  switch (button->id) {
    case wizard::kKeepDataId:
      button->SetToggled(!button->toggled);
      InvalidateRect(GetHwnd(), &button->rect, TRUE);
      return true;
    case wizard::kContinueId:
      if (!ConfirmCloseGame()) return false;
      ShowProgressView();
      StartUninstall();
      return true;
    case wizard::kCancelId:
      result = 1;
      modalRunning = false;
      DestroyWindow(GetHwnd());
      return false;
    default:
      return true;
  }
}

void CFrame::ShowProgressView() {
  using namespace wizard;
  for (int id : {kContinueId, kCancelId, kKeepDataId})
    if (CImageButton* b = paint.FindButton(id)) b->visible = false;
  if (CImageStatic* label = paint.FindStatic(kKeepDataId)) label->visible = false;
  progressBar_->visible = true;
  InvalidateRect(GetHwnd(), nullptr, TRUE);
}

void CFrame::StartUninstall() {
  plan_ = PlanForThisProgram();
  HWND hwnd = GetHwnd();
  CImageProgressbar* bar = progressBar_;
  link_ = std::make_shared<ProgressLink>(hwnd, [hwnd, bar](int percent) {
    bar->position = percent;
    InvalidateRect(hwnd, &bar->rect, TRUE);
  });
  static_cast<void>(StartUninstallWorker(plan_, link_));
}

void CFrame::Finish() {
  result = 1;
  modalRunning = false;
  DestroyWindow(GetHwnd());
  HandOverToBatch(plan_);
}

LRESULT CFrame::MessageHook(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == uninstall::kFrameCommandMessage && wParam == uninstall::kUninstallFinished) Finish();
  if (message == WM_DESTROY) modalRunning = false;
  return CImageDialog::MessageHook(message, wParam, lParam);
}

void CFrame::OnDestroy() {
  if (link_) link_->Detach();
  titleFont_.reset();
}
