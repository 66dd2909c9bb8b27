#include "FrameGame.h"

#include "CacheClearing.h"
#include "FrameGeometry.h"

namespace {

constexpr int kClearCacheRow = 10015;
constexpr int kRefreshRow = 10016;
constexpr int kBossKeyRow = 10017;
constexpr int kOpenGameRow = 10018;
constexpr int kCloseRow = 10019;
constexpr Gdiplus::ARGB kMenuHover = 0xFF9CD0FE;
constexpr Gdiplus::ARGB kRowText = 0xFF0C0C0C;

struct MenuRow {
  int id;
  const wchar_t* text;
};

constexpr MenuRow kToolRows[] = {
    {kClearCacheRow, L"清除缓存"}, {kRefreshRow, L"刷新"}, {kBossKeyRow, L"老板键(Alt+D)"}};
constexpr MenuRow kTrayRows[] = {{kOpenGameRow, L"打开游戏"}, {kCloseRow, L"关闭"}};

template <std::size_t N>
void AddRows(CImageMenu& menu, const MenuRow (&rows)[N]) {
  for (const MenuRow& row : rows) {
    CImageItem* item = menu.paint.AddItem(row.id);
    if (!item) continue;
    if (CImageButton* b = item->AddButton(row.id, {1, 1, 94, 94}, row.text, 0, 0, 0, 0)) {
      b->SetTextColors(kRowText, kRowText, kRowText);
    }
  }
}

bool HasWindow(const CWindowCtrl& w) { return w.GetHwnd() && IsWindow(w.GetHwnd()); }

void CloseMenuWindow(CImageMenu& menu) {
  if (!HasWindow(menu)) return;
  ShowWindow(menu.GetHwnd(), SW_HIDE);
  // The click arrives inside the menu's own window procedure, so the
  // window goes once that has returned; its rows stay for the next time.
  PostMessageW(menu.GetHwnd(), WM_CLOSE, 0, 0);
}

}  // namespace

void CFrameGame::SetUpMenus() {
  for (CImageMenu* menu : {&toolMenu_, &trayMenu_}) {
    menu->SetClassName(L"korvan_menu");
    menu->paint.itemHeight = 24;
    menu->paint.SetHoverColor(kMenuHover);
  }
  toolMenu_.paint.onItemClick = [this](CImageItem* item) { OnToolMenuItem(item); };
  trayMenu_.paint.onItemClick = [this](CImageItem* item) { OnTrayMenuItem(item); };
}

void CFrameGame::ShowToolMenu() {
  if (!HasWindow(toolMenu_)) AddRows(toolMenu_, kToolRows);
  POINT p = {};
  GetCursorPos(&p);
  RECT w = {};
  GetWindowRect(GetHwnd(), &w);
  toolMenu_.Popup(p.x - 10, w.top + 30);
}

void CFrameGame::OnToolMenuItem(CImageItem* item) {
  const int id = item ? item->id : 0;
  if (id == kClearCacheRow) {
    HANDLE thread = CreateThread(nullptr, 0, ClearCacheWorker, GetHwnd(), 0, nullptr);
    if (thread) CloseHandle(thread);
  } else if (id == kRefreshRow) {
    html_.Refresh();
  }
  CloseMenuWindow(toolMenu_);
}

void CFrameGame::OnBossKey(int id) {
  if (id != kBossKeyId) return;
  HWND hwnd = GetHwnd();
  if (hiddenToTray_) {
    RestoreFromTray();
    return;
  }
  // A minimized frame counts as visible and goes to the tray as well.
  if (!IsWindowVisible(hwnd)) return;
  wcsncpy(trayData_.szTip, L"Valdris3", ARRAYSIZE(trayData_.szTip) - 1);
  Shell_NotifyIconW(NIM_ADD, &trayData_);
  ShowWindow(hwnd, SW_HIDE);
  hiddenToTray_ = true;
}

void CFrameGame::RestoreFromTray() {
  hiddenToTray_ = false;
  ShowWindow(GetHwnd(), SW_SHOW);
  Shell_NotifyIconW(NIM_DELETE, &trayData_);
  InvalidateRect(GetHwnd(), nullptr, TRUE);
}

void CFrameGame::OnTrayNotify(WPARAM wParam, LPARAM lParam) {
  if (wParam != kTrayIconId) return;
  const UINT mouse = static_cast<UINT>(lParam);
  if (mouse == WM_LBUTTONDBLCLK) {
    RestoreFromTray();
  } else if (mouse == WM_RBUTTONUP) {
    if (!HasWindow(trayMenu_)) AddRows(trayMenu_, kTrayRows);
    POINT p = {};
    GetCursorPos(&p);
    const RECT work = [] {
      RECT r = {};
      SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
      return r;
    }();
    const FramePoint at =
        TrayMenuOrigin({p.x, p.y}, work.right - work.left, work.bottom - work.top,
                       GetSystemMetrics(SM_CXSCREEN), trayMenu_.paint.VisibleHeight());
    trayMenu_.Popup(at.x, at.y);
  }
}

void CFrameGame::OnTrayMenuItem(CImageItem* item) {
  const int id = item ? item->id : 0;
  if (id == kCloseRow) {
    Shell_NotifyIconW(NIM_DELETE, &trayData_);
    hiddenToTray_ = false;
    if (HasWindow(trayMenu_)) ShowWindow(trayMenu_.GetHwnd(), SW_HIDE);
    result = kResultOk;
    modalRunning = false;
    DestroyWindow(GetHwnd());
    return;
  }
  if (id == kOpenGameRow) RestoreFromTray();
  CloseMenuWindow(trayMenu_);
}
