#include "SelfDeleteBatch.h"

#include <windows.h>
#include <shellapi.h>

#include "BatchText.h"
#include "UninstallNames.h"
#include "Win32Handles.h"

namespace {

std::optional<std::string> ExactAnsi(const std::wstring& text) {
  char narrow[uninstall::kPathCapacity] = {};
  BOOL lossy = FALSE;
  // Without WC_NO_BEST_FIT_CHARS an "ä" may silently become "a": a path to
  // another folder, reported as exact. UTF-8 loses nothing and takes no flags.
  const bool utf8 = GetACP() == CP_UTF8;
  const int length = WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, text.c_str(), -1, narrow,
                                         uninstall::kPathCapacity, nullptr, utf8 ? nullptr : &lossy);
  if (length <= 1 || lossy) return std::nullopt;
  return std::string(narrow);
}

}  // namespace

std::optional<std::string> BatchFolderText(const std::wstring& folder) {
  if (auto exact = ExactAnsi(folder)) return exact;
  wchar_t shortForm[uninstall::kPathCapacity] = {};
  const DWORD length = GetShortPathNameW(folder.c_str(), shortForm, uninstall::kPathCapacity);
  if (length == 0 || length >= uninstall::kPathCapacity) return std::nullopt;
  return ExactAnsi(shortForm);
}

void WriteSelfDeleteBatch(std::string folder) {
  const auto path = uninstall::BatchFilePath(folder);
  const auto text = uninstall::BuildSelfDeleteBatchText(folder);
  if (!path || !text) return;
  {
    UniqueCFile file(std::fopen(path->c_str(), "wb"));
    if (file) std::fwrite(text->data(), 1, text->size(), file.Get());
  }
  // Run even when writing failed: it then fails silently.
  ShellExecuteA(nullptr, "open", path->c_str(), nullptr, nullptr, SW_HIDE);
}

void HandOverToBatch(const UninstallPlan& plan) {
  if (!plan.installFolderDeletable) return;
  if (auto folder = BatchFolderText(plan.installFolder)) WriteSelfDeleteBatch(*folder);
}
