#pragma once

#include "core/outcome.h"

#include <QWidget>
#include <functional>

class Dialogs;
class Trainer;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace speech {
class Speaker;
}

// Tab "オプション...": the question options the quiz and the test read, and
// the word file commands, which are the trainer's. The radio buttons write
// the trainer's options as the learner chooses. The voice (発音: American or
// British English) is the speaker's, kept in `voiceFile`.
class OptionsPanel : public QWidget { // Panel3
    Q_OBJECT
public:
    OptionsPanel(QWidget* tabControl, Trainer& trainer, Dialogs& dialogs, speech::Speaker* speaker,
                 QString voiceFile);

    // Shows `path` and `Edit1` as the trainer holds them.
    void refresh();
    // Shows the panel at the panel bounds with the current texts.
    void showPanel();

    void Button3Click(); // 読み込む
    void Button6Click(); // 書き出す
    void Button7Click(); // 初期化
    void Button1Click(); // 設定...
    // Words from CSV, tab-separated text or KVTML, after a preview.
    void ImportClick();
    // The words for spreadsheets, Anki, KWordQuiz and Parley.
    void ExportClick();

signals:
    // An action of this panel ran: what it changed, for the window to draw.
    void acted(const Outcome& outcome);

private:
    // Question kind (quiz only).
    QRadioButton* RadioButton12; // スペル問題
    QRadioButton* RadioButton13; // 例文問題
    QRadioButton* RadioButton14; // 聞き取り問題
    // Filter (quiz only).
    QRadioButton* RadioButton9; // 全部
    QRadioButton* RadioButton10; // 未回答問題
    QRadioButton* RadioButton11; // 正解率の低い問題
    QRadioButton* Opt_Due; // 復習が必要な問題: the words the review schedule says are due
    // Order (quiz only).
    QRadioButton* RadioButton3; // 順繰り
    QRadioButton* RadioButton4; // ランダム
    // Test length.
    QRadioButton* Opt_Q_10;
    QRadioButton* Opt_Q_20;
    QRadioButton* Opt_Q_30;
    // The voice.
    QRadioButton* Voice_US;
    QRadioButton* Voice_GB;

    QLabel* path;
    QLineEdit* Edit1;
    QPushButton* Button3;
    QPushButton* Button6;
    QPushButton* Button7;
    QPushButton* Button1;
    QPushButton* ImportButton;
    QPushButton* ExportButton;

    void perform(const std::function<Outcome()>& action);
    // The options as the radio buttons show them.
    void storeOptions();
    // The voice chosen, for the speaker and its settings file.
    void storeVoice();

    Trainer& trainer_;
    Dialogs& dialogs_;
    speech::Speaker* speaker_;
    QString voiceFile_;
};
