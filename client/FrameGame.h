#pragma once
#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <mutex>
#include <string>

#include "CloseMsgWnd.h"
#include "FrameBack.h"
#include "GdiOwners.h"
#include "ImageDialog.h"
#include "ImageMenu.h"
#include "ImageTipCtrl.h"
#include "MyHtml.h"

// Frame commands (message kFrameCommandMessage) beside the two of the page keys.
inline constexpr WPARAM kFrameSwitchToGame = 1001;
inline constexpr WPARAM kFrameDestroy = 5557;
// Posted by the browser thread: arm the delayed switch on the frame's own thread.
inline constexpr UINT kArmSwitchTimerMessage = WM_APP + 58;
inline constexpr UINT kTrayCallbackMessage = 5556;
inline constexpr UINT kTrayIconId = 128;
inline constexpr int kBossKeyId = 5562;

// The client's main window: the login panel on the launcher picture, then,
// once the login is seen, the maximized game window with its caption bar.
class CFrameGame : public CImageDialog {
 public:
  static constexpr UINT_PTR kSwitchTimer = 5558;
  static constexpr UINT kSwitchDelayMs = 1500;
  static constexpr UINT_PTR kShowMaximizedTimer = 5559;
  static constexpr UINT_PTR kRefitTimer = 5560;

  CFrameGame();
  ~CFrameGame() override;

  // Creates the launcher and the frame, runs until the frame is destroyed.
  void RunFrame();
  void SwitchToGameMode();
  void ToggleFullScreen();
  void SetTipText(const wchar_t* text);

  LRESULT MessageHook(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCreate(CREATESTRUCTW* create) override;
  void OnDestroy() override;
  void OnMove(int x, int y) override;
  void OnSize(WPARAM type, int width, int height) override;
  void OnShowWindow(WPARAM shown, LPARAM status) override;
  void OnTimer(UINT_PTR id) override;
  bool OnButtonClick(CImageButton* button) override;
  bool OnButtonHover(CImageButton* button) override;
  void OnPaintOverlay(Gdiplus::Graphics& graphics) override;

  [[nodiscard]] bool GameMode() const { return gameMode_; }
  [[nodiscard]] bool FullScreen() const { return fullScreen_; }
  [[nodiscard]] bool HiddenToTray() const { return hiddenToTray_; }
  [[nodiscard]] std::wstring ServerId() const;
  [[nodiscard]] std::wstring UserName() const;
  [[nodiscard]] std::wstring PageTitle() const;

 private:
  // Login detection, on the browser thread.
  void OnNavigateComplete(const wchar_t* url);
  void OnDocumentComplete(IDispatch* frame, const wchar_t* url);
  void OnNewWindow(IDispatch** newBrowser, VARIANT_BOOL*& cancel, DWORD flags,
                   const wchar_t* contextUrl, const wchar_t* url);
  void ReadLoginUser();
  void TakeServerId(const wchar_t* url);

  // Tool menu, tray and boss key, on the main thread.
  void SetUpMenus();
  void ShowToolMenu();
  void OnToolMenuItem(CImageItem* item);
  void OnTrayMenuItem(CImageItem* item);
  void OnBossKey(int id);
  void OnTrayNotify(WPARAM wParam, LPARAM lParam);
  void RestoreFromTray();

  void AddCaptionBar();
  void FitBorderWindow(bool redraw);
  void KeepMaximizedSize();
  void OnFrameCommand(WPARAM command);

  FontPtr titleFont_;
  SolidBrushPtr titleBrush_;
  CImageMenu toolMenu_;
  CImageMenu trayMenu_;
  CImageTipCtrl tooltip_;
  bool fullScreen_ = false;
  RECT savedRect_ = {};
  CMyHtml html_;
  CFrameBack back_;
  std::atomic<bool> gameMode_{false};
  // Written on the browser thread, read on the main thread.
  mutable std::mutex learnedLock_;
  std::wstring userName_;
  std::wstring pageTitle_;
  std::wstring serverId_;
  NOTIFYICONDATAW trayData_ = {};
  bool hiddenToTray_ = false;
  std::wstring lastTip_;
  CloseMsgWnd confirm_;
};
