#include "support/panels.h"

#include "exam/exam_panels.h"
#include "quiz/quiz_panel.h"
#include "registration/change_dialog.h"
#include "registration/radio_group.h"
#include "registration/registration_panel.h"
#include "registration/word_list.h"
#include "support/widgets.h"
#include "window/main_window.h"
#include "window/options_panel.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>

RegistrationControls::RegistrationControls(MainWindow& w)
    : Panel1(named<RegistrationPanel>(&w, "Panel1")), word(named<QLineEdit>(Panel1, "word")),
      mean(named<QLineEdit>(Panel1, "mean")), example(named<QLineEdit>(Panel1, "example")),
      examplemean(named<QLineEdit>(Panel1, "examplemean")), parts(named<RadioGroup>(Panel1, "parts")),
      registerButton(named<QPushButton>(Panel1, "register")), Button2(named<QPushButton>(Panel1, "Button2"))
{
}

void RegistrationControls::Button2Click() const
{
    Panel1->Button2Click();
}

QuizControls::QuizControls(MainWindow& w)
    : Panel2(w.quiz()), Label4(named<QLabel>(Panel2, "Label4")), no(named<QLabel>(Panel2, "no")),
      Label5(named<QLabel>(Panel2, "Label5")), hint(named<QLabel>(Panel2, "hint")),
      Edit3(named<QLineEdit>(Panel2, "Edit3")), ans(named<QLabel>(Panel2, "ans")),
      Button4(named<QPushButton>(Panel2, "Button4")),
      nextquestion(named<QPushButton>(Panel2, "nextquestion")), Button5(named<QPushButton>(Panel2, "Button5"))
{
}

ExamControls::ExamControls(MainWindow& w)
    : panels(w.exam()), Panel4(named<QWidget>(&w, "Panel4")),
      Test_Normal(named<QPushButton>(Panel4, "Test_Normal")),
      Test_Time(named<QPushButton>(Panel4, "Test_Time")), Test_All(named<QPushButton>(Panel4, "Test_All")),
      Panel5(named<QWidget>(&w, "Panel5")), Edit2(named<QLineEdit>(Panel5, "Edit2")),
      Checkans(named<QPushButton>(Panel5, "Checkans")), Panel6(named<QWidget>(&w, "Panel6")),
      Label24(named<QLabel>(Panel6, "Label24")), Label25(named<QLabel>(Panel6, "Label25")),
      StringGrid2(named<QTableWidget>(Panel6, "StringGrid2")),
      Button11(named<QPushButton>(Panel6, "Button11")), Timer1(named<QTimer>(&w, "Timer1"))
{
}

void ExamControls::Timer1Timer() const
{
    panels->Timer1Timer();
}

ListControls::ListControls(MainWindow& w)
    : list(w.wordList()), StringGrid1(named<QTableView>(&w, "StringGrid1")),
      Button8(named<QPushButton>(&w, "Button8")), Button9(named<QPushButton>(&w, "Button9"))
{
}

OptionsControls::OptionsControls(MainWindow& w)
    : Panel3(w.options()), path(named<QLabel>(Panel3, "path")), Edit1(named<QLineEdit>(Panel3, "Edit1")),
      Button3(named<QPushButton>(Panel3, "Button3")), Button6(named<QPushButton>(Panel3, "Button6")),
      Button7(named<QPushButton>(Panel3, "Button7")), Button1(named<QPushButton>(Panel3, "Button1")),
      ImportButton(named<QPushButton>(Panel3, "ImportButton")),
      ExportButton(named<QPushButton>(Panel3, "ExportButton"))
{
}

ChangeDialogControls::ChangeDialogControls(TOKBottomDlg& d)
    : Bevel1(named<QFrame>(&d, "Bevel1")), Label1(named<QLabel>(&d, "Label1")),
      Label2(named<QLabel>(&d, "Label2")), past_Edit(named<QLineEdit>(&d, "past_Edit")),
      new_Edit(named<QLineEdit>(&d, "new_Edit")), OKBtn(named<QPushButton>(&d, "OKBtn")),
      CancelBtn(named<QPushButton>(&d, "CancelBtn"))
{
}
