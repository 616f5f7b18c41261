#pragma once
// The groups of skin pictures, each written into the output folder; sizes the skins rely on.

#include <QImage>
#include <QString>

namespace skin {

inline constexpr int kWindowWidth = 1005;
inline constexpr int kHeaderHeight = 112;
inline constexpr int kToolWidth = 96;
inline constexpr int kToolHeight = 62;
// The edit frame is stretched with corner='5,5,5,5'; its cells are this size.
inline constexpr int kEditWidth = 40;
inline constexpr int kEditHeight = 28;
// Wizard: tab heads, key-type buttons and the cells of the step sheets, which are the fixed
// sizes of the controls in "AddKey.xml" that show them.
inline constexpr int kStepTabWidth = 112;
inline constexpr int kStepTabHeight = 34;
inline constexpr int kKeyTypeWidth = 170;
inline constexpr int kKeyTypeHeight = 100;
inline constexpr int kStepPictureWidth = 320;
inline constexpr int kStepPictureHeight = 150;
inline constexpr int kDetailWidth = 300;
inline constexpr int kDetailHeight = 130;
inline constexpr int kSchematicWidth = 110;
inline constexpr int kSchematicHeight = 60;
inline constexpr int kSideMarkWidth = 40;

// Three frames (normal, hot, focused) of an edit's rounded frame.
QImage EditFrame(int width, int height);

void MakeHeaderImages(const QString& folder);
void MakeMessageImages(const QString& folder);
void MakePaneImages(const QString& folder);
void MakeWizardImages(const QString& folder);
void MakeTreeImages(const QString& folder);
void MakeUpdateImages(const QString& folder);

}  // namespace skin
