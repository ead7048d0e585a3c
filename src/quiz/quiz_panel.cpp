#include "quiz/quiz_panel.h"

#include "store/app_state.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "window/options_panel.h"

QuizPanel::QuizPanel(QWidget* tabControl, AppState& state, Dialogs& dialogs, const OptionsPanel& options)
    : QWidget(tabControl), state_(state), dialogs_(dialogs), options_(options)
{
    setObjectName(QStringLiteral("Panel2"));
    ui::placeAsPanel(this);
}

void QuizPanel::hideForTabSwitch()
{
    hide();
}

bool QuizPanel::prepare()
{
    ui::placeAsPanel(this);
    show();
    return true;
}
