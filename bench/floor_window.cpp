#include "floor_window.h"

#include "app/app_icon.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

void showFloorWindow(QWidget& window)
{
    QApplication::setWindowIcon(appIcon());
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    font.setHintingPreference(QFont::PreferNoHinting);

    window.setWindowTitle(QStringLiteral("Lexiwren v1.0"));
    window.setFixedSize(498, 356);
    window.move(427, 139);
    window.setFont(font);
    auto* label = new QLabel(QStringLiteral("単語登録"), &window);
    label->move(8, 4);
    window.show();
}
