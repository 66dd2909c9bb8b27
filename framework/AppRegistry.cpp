#include "AppRegistry.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "AppManager.h"

namespace {

struct Registry {
  std::mutex lock;
  std::vector<CAppManager*> apps;
  CAppManager* sole = nullptr;
  std::vector<std::wstring> classNames;
  HINSTANCE instance = nullptr;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

CAppManager* FindLocked(Registry& r, DWORD threadId) {
  auto it = std::find_if(r.apps.begin(), r.apps.end(),
                         [threadId](CAppManager* a) { return a->ThreadId() == threadId; });
  return it == r.apps.end() ? nullptr : *it;
}

}  // namespace

bool RegisterApp(CAppManager* app) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  const DWORD threadId = GetCurrentThreadId();
  if (FindLocked(r, threadId)) return false;
  app->SetThreadId(threadId);
  r.apps.push_back(app);
  r.sole = r.apps.size() == 1 ? app : nullptr;
  return true;
}

void UnregisterApp(DWORD threadId) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  auto it = std::find_if(r.apps.begin(), r.apps.end(),
                         [threadId](CAppManager* a) { return a->ThreadId() == threadId; });
  if (it != r.apps.end()) r.apps.erase(it);
  if (r.apps.empty()) r.sole = nullptr;
}

CAppManager* FindApp(DWORD threadId) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  return FindLocked(r, threadId);
}

CAppManager* SoleApp() {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  return r.sole;
}

CAppManager* CurrentApp() {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  return r.sole ? r.sole : FindLocked(r, GetCurrentThreadId());
}

bool IsClassNameListed(const wchar_t* className) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  return std::find(r.classNames.begin(), r.classNames.end(), className) != r.classNames.end();
}

void ListClassName(const wchar_t* className) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  r.classNames.emplace_back(className);
}

void SetAppInstance(HINSTANCE instance) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  r.instance = instance;
}

HINSTANCE AppInstance() {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  return r.instance ? r.instance : GetModuleHandleW(nullptr);
}
