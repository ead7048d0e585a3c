#pragma once

class QWidget;

// The start-up floor: `window` made a window of Lexiwren's size and place
// showing one Japanese label in the design face as Lexiwren draws it
// (IPAPGothic at 12 pixels, unhinted), with the same window icon, and shown.
// Written the plain way, with nothing of Lexiwren's but the icon.
void showFloorWindow(QWidget& window);
