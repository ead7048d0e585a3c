#pragma once

#include <QString>
#include <QStringList>

namespace ui {

// A confirmation titled "情報" whose text stands above a read-only list of
// items, with OK and キャンセル; true only for OK. Modal and centred on the
// screen like the message boxes.
bool confirmWithList(const QString& text, const QStringList& items);

} // namespace ui
