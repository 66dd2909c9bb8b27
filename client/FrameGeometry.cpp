#include "FrameGeometry.h"

#include <algorithm>

FramePoint CentreInArea(int areaWidth, int areaHeight, FrameSize size) {
  return {(areaWidth - size.width) / 2, (areaHeight - size.height) / 2};
}

FrameSize MinimumTrackSize(int screenWidth, int screenHeight, bool gameMode) {
  if (gameMode && screenWidth >= kGameMinWidth && screenHeight >= kGameMinHeight) {
    return {kGameMinWidth, kGameMinHeight};
  }
  if (screenWidth >= kPanelWidth && screenHeight >= kPanelHeight) {
    return {kPanelWidth, kPanelHeight};
  }
  return {};
}

FramePoint TrayMenuOrigin(FramePoint cursor, int workWidth, int workHeight, int screenWidth,
                          int menuHeight) {
  const int x = workWidth < screenWidth ? cursor.x - 96 : cursor.x - 30;
  return {x, std::min(cursor.y, workHeight) - menuHeight};
}
