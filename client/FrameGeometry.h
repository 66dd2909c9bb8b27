#pragma once

// Sizes of the client's windows, in pixels.
inline constexpr int kLauncherWidth = 1207;
inline constexpr int kLauncherHeight = 670;
inline constexpr int kPanelWidth = 563;
inline constexpr int kPanelHeight = 378;
inline constexpr int kPanelOffsetX = 547;
inline constexpr int kPanelOffsetY = 177;
inline constexpr int kGameMinWidth = 1020;
inline constexpr int kGameMinHeight = 704;
inline constexpr int kCaptionHeight = 25;

struct FramePoint {
  int x = 0;
  int y = 0;
};

struct FrameSize {
  int width = 0;
  int height = 0;
};

// Top-left that centres size in the work area's width and height; the
// work area's own offset is not added, as the launcher has always done.
[[nodiscard]] FramePoint CentreInArea(int areaWidth, int areaHeight, FrameSize size);

// The frame's minimum tracking size for a screen: the game-mode size when
// the screen holds it, else the panel size when the screen holds that, else none.
[[nodiscard]] FrameSize MinimumTrackSize(int screenWidth, int screenHeight, bool gameMode);

// Where the tray menu's top-left goes: its bottom edge at the cursor (or the
// work area's bottom), 30 pixels left of it, or 96 when the taskbar stands
// at the left or right side.
[[nodiscard]] FramePoint TrayMenuOrigin(FramePoint cursor, int workWidth, int workHeight,
                                        int screenWidth, int menuHeight);
