#include "window/about_panel.h"

#include "ui/controls.h"

AboutPanel::AboutPanel(QWidget* tabControl) : QWidget(tabControl)
{
    setObjectName(QStringLiteral("AboutPanel"));
    ui::placeAsPanel(this);
    ui::label(this, "Label6", QStringLiteral("単語、例文暗唱のお手元に"), 7, 6, 13);
    ui::label(this, "Label23", QStringLiteral("英検等の勉強にもどうぞ"), 7, 22, 13);
    ui::label(this, "Label16", QStringLiteral("Lexiwren  v1.0 (試作版"), 7, 54, 21);
    ui::label(this, "Label22", QStringLiteral("Lexiwren の開発者一同  2026"), 183, 86, 13);
}
