#pragma once
#include <windows.h>

class CAppManager;

// Binds one Win32 window to one object and turns its messages into virtual
// handlers. The object belongs to the application of the creating thread.
class CWindowCtrl {
 public:
  static constexpr int kClassNameCapacity = 64;

  CWindowCtrl();
  virtual ~CWindowCtrl();
  CWindowCtrl(const CWindowCtrl&) = delete;
  CWindowCtrl& operator=(const CWindowCtrl&) = delete;

  virtual HWND Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                      const RECT& rect, HWND parent);
  virtual HWND Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                      int x, int y, int width, int height, HWND parent);
  virtual INT_PTR DoModal(const wchar_t* templateName, HWND parent);
  // Longer names are cut to the field's 63 characters.
  virtual void SetClassName(const wchar_t* className);
  virtual int PreTranslateMessage(MSG*) { return 0; }
  // First chance at every message; non-zero is the result and ends handling.
  virtual LRESULT MessageHook(UINT, WPARAM, LPARAM) { return 0; }
  virtual void OnCreate(CREATESTRUCTW*) {}
  virtual void OnDestroy() {}
  virtual void OnMove(int, int) {}
  virtual void OnSize(WPARAM, int, int) {}
  virtual void OnWindowPosChanging(WINDOWPOS*) {}
  virtual LRESULT OnNcHitTest(int, int) { return HTCLIENT; }
  virtual void OnGetMinMaxInfo(MINMAXINFO*) {}
  virtual void OnShowWindow(WPARAM, LPARAM) {}
  virtual void OnTimer(UINT_PTR) {}
  virtual void OnSetCursor(HWND);

  // hwnd is the message's own window: the handle field is already clear at
  // WM_NCDESTROY, yet DefWindowProcW must still see the window.
  LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void ShowIfWindow(int showCommand);
  void MoveToRect(const RECT& rect);
  void GetWindowRectIfWindow(RECT* rect) const;

  [[nodiscard]] HWND GetHwnd() const { return hwnd_; }
  [[nodiscard]] CAppManager* GetApp() const { return app_; }
  [[nodiscard]] const wchar_t* ClassName() const { return className_; }
  [[nodiscard]] INT_PTR DialogResult() const { return dialogResult_; }

  // Used by the shared window procedure and the application's window list.
  void Bind(HWND hwnd, CAppManager* app);
  void ClearHwnd() { hwnd_ = nullptr; }

 private:
  HWND hwnd_ = nullptr;
  CAppManager* app_ = nullptr;
  INT_PTR dialogResult_ = 0;
  wchar_t className_[kClassNameCapacity];
};

// Registers a class with the shared window procedure, once per process.
[[nodiscard]] bool RegisterWindowClass(const wchar_t* className);
[[nodiscard]] bool IsClassRegistered(const wchar_t* className);
