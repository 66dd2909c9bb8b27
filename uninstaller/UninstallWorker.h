#pragma once
#include <windows.h>

#include <memory>

#include "ProgressLink.h"
#include "UninstallPlan.h"

// What the worker thread is started with; the thread owns it.
struct WorkerStart {
  UninstallPlan plan;
  std::shared_ptr<ProgressLink> link;
};

// Runs every uninstall step in order, reporting the milestones, then posts
// the finish message. No step's failure stops the others.
void RunUninstallSteps(const UninstallPlan& plan, ProgressLink& link);

// Thread routine: takes ownership of a WorkerStart made with new. Returns 0.
DWORD WINAPI UninstallWorker(LPVOID start);

// Starts the worker on a new thread; false when the thread did not start.
[[nodiscard]] bool StartUninstallWorker(UninstallPlan plan, std::shared_ptr<ProgressLink> link);
