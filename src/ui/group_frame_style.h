#pragma once

class QStyle;

namespace ui {

// The style our group boxes are drawn with: the application's own, except
// that under Fusion the frame image is read as PNG outright. Fusion reads it
// by file name alone, and Qt then loads every image plugin on the system to
// ask whether one of them would rather read it, which is the larger part of
// the first paint of a tab with a group box. The frame is the same image, in
// the same place.
QStyle* groupFrameStyle();

} // namespace ui
