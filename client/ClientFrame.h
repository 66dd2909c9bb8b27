#pragma once
#include <windows.h>

#include "MyHtml.h"
#include "WindowCtrl.h"

// The client's main window until the game frame takes its place: a hidden
// top-level window of class "valdris", titled "Valdris3", that hosts the HTML
// control on the landing page. Destroying it ends the browser thread and the
// run, as closing the game frame does.
class CClientFrame : public CWindowCtrl {
 public:
  static constexpr int kWidth = 563;
  static constexpr int kHeight = 378;

  CClientFrame();

  // Creates the window and pumps the thread until it is destroyed. Returns
  // at once when the window cannot be created.
  void RunFrame(const std::wstring& landingUrl);
  // Whether the frame reached game mode during the run.
  [[nodiscard]] bool GameModeReached() const { return html_.GameMode(); }
  [[nodiscard]] CMyHtml& Html() { return html_; }

  void OnCreate(CREATESTRUCTW* create) override;
  void OnDestroy() override;

 private:
  CMyHtml html_;
  std::wstring landingUrl_;
  bool running_ = false;
};
