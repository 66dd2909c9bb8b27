#pragma once

// Element ids and the client size of the uninstall wizard.
namespace wizard {

inline constexpr int kClientWidth = 435;
inline constexpr int kClientHeight = 330;

inline constexpr int kTitleId = 2279;
inline constexpr int kMascotId = 2280;
inline constexpr int kBubbleId = 2281;
// The check box and its label share one id: they live in separate lists.
inline constexpr int kKeepDataId = 2282;
inline constexpr int kContinueId = 2283;
inline constexpr int kCancelId = 2284;
inline constexpr int kProgressId = 2285;

}  // namespace wizard
