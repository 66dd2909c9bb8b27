#include "ProgressLink.h"

#include <utility>

#include "UninstallNames.h"

ProgressLink::ProgressLink(HWND wizard, SetPosition setPosition)
    : wizard_(wizard), setPosition_(std::move(setPosition)) {}

void ProgressLink::Show(int percent) {
  std::lock_guard<std::mutex> hold(lock_);
  if (setPosition_) setPosition_(percent);
}

void ProgressLink::Finish() {
  std::lock_guard<std::mutex> hold(lock_);
  if (wizard_) PostMessageW(wizard_, uninstall::kFrameCommandMessage, uninstall::kUninstallFinished, 0);
}

void ProgressLink::Detach() {
  std::lock_guard<std::mutex> hold(lock_);
  wizard_ = nullptr;
  setPosition_ = nullptr;
}
