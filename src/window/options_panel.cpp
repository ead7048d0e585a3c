#include "window/options_panel.h"

#include "store/app_state.h"
#include "store/codec.h"
#include "store/failure.h"
#include "store/preferences.h"
#include "store/record.h"
#include "store/word_file.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/handler.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

OptionsPanel::OptionsPanel(QWidget* tabControl, AppState& state, Dialogs& dialogs)
    : QWidget(tabControl), state_(state), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("Panel3"));
    ui::placeAsPanel(this);

    auto* kind = ui::groupBox(this, "Q_kind", QStringLiteral("種類(出題モードのみ)"), 16, 8, 153, 65);
    RadioButton12 = ui::radio(kind, "RadioButton12", QStringLiteral("スペル問題"), 8, 16, 113, 17, true);
    RadioButton13 = ui::radio(kind, "RadioButton13", QStringLiteral("例文問題"), 8, 32, 113, 17);

    auto* filter =
        ui::groupBox(this, "GroupBox5", QStringLiteral("絞り込み(出題モードのみ)"), 16, 80, 153, 73);
    RadioButton9 = ui::radio(filter, "RadioButton9", QStringLiteral("全部"), 8, 16, 113, 17, true);
    RadioButton10 = ui::radio(filter, "RadioButton10", QStringLiteral("未回答問題"), 8, 32, 113, 17);
    RadioButton11 = ui::radio(filter, "RadioButton11", QStringLiteral("正解率の低い問題"), 8, 48, 137, 17);

    auto* order =
        ui::groupBox(this, "GroupBox2", QStringLiteral("出題順番(出題モードのみ)"), 16, 160, 153, 57);
    RadioButton3 = ui::radio(order, "RadioButton3", QStringLiteral("順繰り"), 8, 16, 113, 17);
    RadioButton4 = ui::radio(order, "RadioButton4", QStringLiteral("ランダム"), 8, 32, 113, 17, true);

    auto* length =
        ui::groupBox(this, "GroupBox3", QStringLiteral("問題数(テストモードのみ)"), 16, 224, 153, 73);
    Opt_Q_10 = ui::radio(length, "Opt_Q_10", QStringLiteral("10問"), 8, 16, 113, 17, true);
    Opt_Q_20 = ui::radio(length, "Opt_Q_20", QStringLiteral("20問"), 8, 32, 113, 17);
    Opt_Q_30 = ui::radio(length, "Opt_Q_30", QStringLiteral("30問"), 8, 48, 113, 17);

    auto* files = ui::groupBox(this, "GroupBox4", QStringLiteral("単語ファイルについて"), 176, 8, 233, 289);
    ui::label(files, "Label1", QStringLiteral("現在の単語ファイルについて"), 8, 21);
    path = ui::label(files, "path", QString(), 11, 41);
    Button3 = ui::button(files, "Button3", QStringLiteral("読み込む"), 8, 64, 65, 25);
    Button6 = ui::button(files, "Button6", QStringLiteral("書き出す"), 80, 64, 65, 25);
    Button7 = ui::button(files, "Button7", QStringLiteral("初期化"), 152, 64, 65, 25);
    ui::label(files, "Label8", QStringLiteral("デフォルト単語ファイル"), 8, 189);
    Edit1 = ui::edit(files, "Edit1", 8, 205, 194, 20);
    Edit1->setReadOnly(true);
    Button1 = ui::button(files, "Button1", QStringLiteral("設定..."), 8, 229, 39, 20);
    Button1->setFocusPolicy(Qt::ClickFocus); // not a tab stop

    connect(Button3, &QPushButton::clicked, this,
            [this] { runHandler(dialogs_, [this] { Button3Click(); }); });
    connect(Button6, &QPushButton::clicked, this,
            [this] { runHandler(dialogs_, [this] { Button6Click(); }); });
    connect(Button7, &QPushButton::clicked, this,
            [this] { runHandler(dialogs_, [this] { Button7Click(); }); });
    connect(Button1, &QPushButton::clicked, this,
            [this] { runHandler(dialogs_, [this] { Button1Click(); }); });
}

void OptionsPanel::refresh()
{
    ui::setCaption(path, state_.path);
    Edit1->setText(state_.Edit1);
}

void OptionsPanel::showPanel()
{
    refresh();
    ui::placeAsPanel(this);
    show();
}

void OptionsPanel::Button3Click()
{
    const auto chosen = dialogs_.openFileName(QStringLiteral("単語ファイルを開く"));
    if (!chosen)
        return;
    // A file that exists but cannot be loaded leaves the current store and
    // word file as they were: switching to it would overwrite it with an
    // almost empty store on the next change. A name that does not exist yet
    // starts a new, empty word file there.
    LineStore loaded;
    if (QFileInfo::exists(fileNameFor(*chosen)))
        LoadLines(loaded, *chosen);
    state_.Memo1 = loaded;
    state_.path = *chosen;
    refresh();
}

void OptionsPanel::Button6Click()
{
    const auto chosen = dialogs_.saveFileName(QStringLiteral("単語ファイルを保存"));
    if (!chosen)
        return;
    QString target = *chosen;
    if (!target.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
        target += QStringLiteral(".txt");
    SaveLines(state_.Memo1, target);
}

void OptionsPanel::Button7Click()
{
    if (!dialogs_.confirm(QStringLiteral("正解率データを消去します。よろしいですか？")))
        return;
    // Every record is reset first and the file written once, not once per
    // record: a full store would otherwise be rewritten a thousand times.
    const int records = VisibleRecords(state_.Memo1, 1001);
    for (int index = 0; index < records; ++index)
        state_.Memo1.WriteLine(index, ResetCounts(state_.Memo1, index));
    state_.save();
}

void OptionsPanel::Button1Click()
{
    const auto chosen = dialogs_.openFileName(QStringLiteral("単語ファイルを開く"));
    if (!chosen)
        return;
    // Only a name that was stored is shown as the default.
    prefs::writeString(state_.prefsFile, prefs::kSection, prefs::kKey, cp932::encode(*chosen));
    state_.Edit1 = *chosen;
    refresh();
}
