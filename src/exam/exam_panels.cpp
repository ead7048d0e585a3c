#include "exam/exam_panels.h"

#include "store/app_state.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "window/options_panel.h"

#include <QTimer>
#include <QWidget>

ExamPanels::ExamPanels(QWidget* tabControl, AppState& state, Dialogs& dialogs, const OptionsPanel& options)
    : QObject(tabControl), state_(state), dialogs_(dialogs), options_(options)
{
    Panel4 = ui::panel(tabControl, "Panel4");
    Panel5 = ui::panel(tabControl, "Panel5");
    Panel6 = ui::panel(tabControl, "Panel6");
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
}

void ExamPanels::hideForTabSwitch()
{
    Panel4->hide();
    Panel5->hide();
    Panel6->hide();
}

void ExamPanels::showStart()
{
    ui::placeAsPanel(Panel4);
    Panel4->show();
    state_.testing = false;
}

void ExamPanels::abandon()
{
    state_.testing = false;
    Timer1->stop();
}
