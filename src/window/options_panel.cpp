#include "window/options_panel.h"

#include "core/trainer.h"
#include "speech/speaker.h"
#include "speech/voice_setting.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/handler.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

OptionsPanel::OptionsPanel(QWidget* tabControl, Trainer& trainer, Dialogs& dialogs, speech::Speaker* speaker,
                           QString voiceFile)
    : QWidget(tabControl), trainer_(trainer), dialogs_(dialogs), speaker_(speaker),
      voiceFile_(std::move(voiceFile))
{
    setObjectName(QStringLiteral("Panel3"));
    ui::placeAsPanel(this);

    // Grown by 7 pixels for the third kind; its bottom stays above GroupBox5.
    auto* kind = ui::groupBox(this, "Q_kind", QStringLiteral("種類(出題モードのみ)"), 16, 8, 153, 72);
    RadioButton12 = ui::radio(kind, "RadioButton12", QStringLiteral("スペル問題"), 8, 16, 113, 17);
    RadioButton13 = ui::radio(kind, "RadioButton13", QStringLiteral("例文問題"), 8, 32, 113, 17);
    RadioButton14 = ui::radio(kind, "RadioButton14", QStringLiteral("聞き取り問題"), 8, 48, 113, 17);

    auto* filter =
        ui::groupBox(this, "GroupBox5", QStringLiteral("絞り込み(出題モードのみ)"), 16, 80, 153, 73);
    RadioButton9 = ui::radio(filter, "RadioButton9", QStringLiteral("全部"), 8, 16, 113, 17);
    RadioButton10 = ui::radio(filter, "RadioButton10", QStringLiteral("未回答問題"), 8, 32, 113, 17);
    RadioButton11 = ui::radio(filter, "RadioButton11", QStringLiteral("正解率の低い問題"), 8, 48, 137, 17);
    // The fourth filter stands in the free strip right of the file box,
    // beside the other three, its caption in lines the strip's width holds;
    // one group makes the four exclusive across their two parents.
    Opt_Due = ui::radio(this, "Opt_Due", QStringLiteral("復習が\n必要な\n問題"), 412, 84, 67, 45);
    Opt_Due->setAccessibleName(QStringLiteral("復習が必要な問題"));
    auto* filters = new QButtonGroup(this);
    for (QRadioButton* radio : {RadioButton9, RadioButton10, RadioButton11, Opt_Due})
        filters->addButton(radio);

    auto* order =
        ui::groupBox(this, "GroupBox2", QStringLiteral("出題順番(出題モードのみ)"), 16, 160, 153, 57);
    RadioButton3 = ui::radio(order, "RadioButton3", QStringLiteral("順繰り"), 8, 16, 113, 17);
    RadioButton4 = ui::radio(order, "RadioButton4", QStringLiteral("ランダム"), 8, 32, 113, 17);

    auto* length =
        ui::groupBox(this, "GroupBox3", QStringLiteral("問題数(テストモードのみ)"), 16, 224, 153, 73);
    Opt_Q_10 = ui::radio(length, "Opt_Q_10", QStringLiteral("10問"), 8, 16, 113, 17);
    Opt_Q_20 = ui::radio(length, "Opt_Q_20", QStringLiteral("20問"), 8, 32, 113, 17);
    Opt_Q_30 = ui::radio(length, "Opt_Q_30", QStringLiteral("30問"), 8, 48, 113, 17);

    auto* files = ui::groupBox(this, "GroupBox4", QStringLiteral("単語ファイルについて"), 176, 8, 233, 289);
    ui::label(files, "Label1", QStringLiteral("現在の単語ファイルについて"), 8, 21);
    path = ui::label(files, "path", QString(), 11, 41);
    Button3 = ui::button(files, "Button3", QStringLiteral("読み込む"), 8, 64, 65, 25);
    Button6 = ui::button(files, "Button6", QStringLiteral("書き出す"), 80, 64, 65, 25);
    Button7 = ui::button(files, "Button7", QStringLiteral("初期化"), 152, 64, 65, 25);
    // Between the file commands and the default word file.
    ImportButton = ui::button(files, "ImportButton", QStringLiteral("インポート..."), 8, 104, 100, 25);
    ExportButton = ui::button(files, "ExportButton", QStringLiteral("エクスポート..."), 117, 104, 100, 25);
    QLabel* label8 = ui::label(files, "Label8", QStringLiteral("デフォルト単語ファイル"), 8, 189);
    Edit1 = ui::edit(files, "Edit1", 8, 205, 194, 20);
    label8->setBuddy(Edit1);
    Edit1->setReadOnly(true);
    Button1 = ui::button(files, "Button1", QStringLiteral("設定..."), 8, 229, 39, 20);
    Button1->setFocusPolicy(Qt::ClickFocus); // not a tab stop

    // The strip right of the word files.
    auto* voice = ui::groupBox(this, "Voice", QStringLiteral("発音"), 413, 8, 64, 65);
    Voice_US = ui::radio(voice, "Voice_US", QStringLiteral("米国"), 8, 16, 52, 17);
    Voice_US->setAccessibleName(QStringLiteral("アメリカ英語の発音 (en_US)"));
    Voice_GB = ui::radio(voice, "Voice_GB", QStringLiteral("英国"), 8, 36, 52, 17);
    Voice_GB->setAccessibleName(QStringLiteral("イギリス英語の発音 (en_GB)"));
    (speaker_->locale().territory() == QLocale::UnitedKingdom ? Voice_GB : Voice_US)->setChecked(true);
    connect(Voice_GB, &QRadioButton::toggled, this, [this] { storeVoice(); });

    // The buttons show the trainer's options: their defaults are stated
    // once, in Options.
    const Options& options = trainer_.options();
    (options.kind == QuestionKind::Example         ? RadioButton13
         : options.kind == QuestionKind::Dictation ? RadioButton14
                                                   : RadioButton12)
        ->setChecked(true);
    (options.filter == QuizFilter::NeverAnswered     ? RadioButton10
         : options.filter == QuizFilter::LowAccuracy ? RadioButton11
         : options.filter == QuizFilter::Due         ? Opt_Due
                                                     : RadioButton9)
        ->setChecked(true);
    (options.order == QuizOrder::InTurn ? RadioButton3 : RadioButton4)->setChecked(true);
    (options.testLength == 30 ? Opt_Q_30 : options.testLength == 20 ? Opt_Q_20 : Opt_Q_10)->setChecked(true);
    for (QRadioButton* radio :
         {RadioButton12, RadioButton13, RadioButton14, RadioButton9, RadioButton10, RadioButton11, Opt_Due,
          RadioButton3, RadioButton4, Opt_Q_10, Opt_Q_20, Opt_Q_30})
        connect(radio, &QRadioButton::toggled, this, [this] { storeOptions(); });

    connect(Button3, &QPushButton::clicked, this, &OptionsPanel::Button3Click);
    connect(Button6, &QPushButton::clicked, this, &OptionsPanel::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &OptionsPanel::Button7Click);
    connect(Button1, &QPushButton::clicked, this, &OptionsPanel::Button1Click);
    connect(ImportButton, &QPushButton::clicked, this, &OptionsPanel::ImportClick);
    connect(ExportButton, &QPushButton::clicked, this, &OptionsPanel::ExportClick);
}

void OptionsPanel::perform(const std::function<Outcome()>& action)
{
    if (const auto outcome = attempt(dialogs_, action))
        emit acted(*outcome);
}

void OptionsPanel::storeOptions()
{
    Options options;
    options.kind = RadioButton13->isChecked() ? QuestionKind::Example
        : RadioButton14->isChecked()          ? QuestionKind::Dictation
                                              : QuestionKind::Spelling;
    options.filter = RadioButton10->isChecked() ? QuizFilter::NeverAnswered
        : RadioButton11->isChecked()            ? QuizFilter::LowAccuracy
        : Opt_Due->isChecked()                  ? QuizFilter::Due
                                                : QuizFilter::All;
    options.order = RadioButton3->isChecked() ? QuizOrder::InTurn : QuizOrder::Random;
    options.testLength = Opt_Q_30->isChecked() ? 30 : Opt_Q_20->isChecked() ? 20 : 10;
    trainer_.setOptions(options);
}

void OptionsPanel::storeVoice()
{
    const QLocale voice = Voice_GB->isChecked() ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                                : QLocale(QLocale::English, QLocale::UnitedStates);
    speaker_->setLocale(voice);
    // The choice holds for this run either way; only the next start would
    // not know it.
    if (!speech::writeVoice(voiceFile_, voice))
        showFailure(dialogs_, QStringLiteral("%1 に書き込めません").arg(voiceFile_));
}

void OptionsPanel::refresh()
{
    ui::setCaption(path, trainer_.book().path.shown());
    Edit1->setText(trainer_.defaultWordFile().shown());
}

void OptionsPanel::showPanel()
{
    refresh();
    ui::placeAsPanel(this);
    show();
}

void OptionsPanel::Button3Click()
{
    perform([this] { return trainer_.openWordFile(); });
}

void OptionsPanel::Button6Click()
{
    perform([this] { return trainer_.writeOut(); });
}

void OptionsPanel::Button7Click()
{
    perform([this] { return trainer_.resetCounts(); });
}

void OptionsPanel::Button1Click()
{
    perform([this] { return trainer_.chooseDefaultWordFile(); });
}

void OptionsPanel::ImportClick()
{
    perform([this] { return trainer_.importFile(); });
}

void OptionsPanel::ExportClick()
{
    perform([this] { return trainer_.exportWords(); });
}
