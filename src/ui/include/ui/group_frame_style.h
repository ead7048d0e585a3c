#pragma once

class QGroupBox;
class QStyle;

namespace ui {

// Under Fusion, our group boxes are drawn by a style that is Fusion in all
// but one thing: the frame image is read as PNG outright. Fusion reads it by
// file name alone, and Qt then loads every image plugin on the system to ask
// whether one of them would rather read it, which is the larger part of the
// first paint of a tab with a group box. The frame is the same image, in the
// same place. Under any other style the box keeps the application's.
void useGroupFrameStyle(QGroupBox* box);

// That style, or null when the application's style is not Fusion.
QStyle* groupFrameStyle();

} // namespace ui
