#include "registration/registration_panel.h"

#include "store/app_state.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QPushButton>

RegistrationPanel::RegistrationPanel(QWidget* tabControl, AppState& state, Dialogs& dialogs)
    : QWidget(tabControl), state_(state), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("Panel1"));
    ui::placeAsPanel(this);
    registerButton = ui::button(this, "register", QStringLiteral("登録！(&R)"), 8, 272, 75, 25);
    Button2 = ui::button(this, "Button2", QStringLiteral("消去(&D)"), 94, 272, 75, 25);
}

void RegistrationPanel::hideForTabSwitch()
{
    hide();
    registerButton->hide();
    Button2->hide();
}

void RegistrationPanel::showPanel()
{
    ui::placeAsPanel(this);
    show();
    registerButton->show();
    Button2->show();
}
