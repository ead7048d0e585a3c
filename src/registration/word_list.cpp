#include "registration/word_list.h"

#include "registration/change_dialog.h"
#include "store/app_state.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QPushButton>
#include <QTableWidget>

WordList::WordList(QWidget* tabControl, AppState& state, Dialogs& dialogs)
    : QObject(tabControl), tabControl_(tabControl), state_(state), dialogs_(dialogs)
{
    StringGrid1 = new QTableWidget(100, 7, tabControl);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    Button8 = ui::button(tabControl, "Button8", QStringLiteral("変更...(&C)"), 32, 320, 75, 25);
    Button9 = ui::button(tabControl, "Button9", QStringLiteral("消去...(&D)"), 136, 320, 75, 25);
}

void WordList::hideForTabSwitch()
{
    StringGrid1->hide();
    StringGrid1->setGeometry(tabControl_->rect());
    Button8->hide();
    Button9->hide();
}

bool WordList::prepare()
{
    return false;
}
