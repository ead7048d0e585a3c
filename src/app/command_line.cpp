#include "app/command_line.h"

#include <QCommandLineParser>

namespace {

const char* const kVersion = LEXIWREN_VERSION;

QString helpText(bool japanese)
{
    if (japanese)
        return QStringLiteral("使い方: lexiwren [オプション]\n"
                              "英語を学ぶ人のための単語帳です。英単語を意味・例文・品詞と一緒に登録し、\n"
                              "出題とテストで練習します。\n"
                              "\n"
                              "  -h, --help     この説明を表示して終わります\n"
                              "  -v, --version  バージョンを表示して終わります\n"
                              "\n"
                              "ほかの引数は無視します。Lexiwren がすでに起動していれば、そのウィンドウを\n"
                              "前面に出して終わります。\n"
                              "\n"
                              "設定ファイル  $XDG_CONFIG_HOME/lexiwren/plimopref.ini\n"
                              "              (既定は ~/.config/lexiwren/plimopref.ini)\n"
                              "単語ファイル  $XDG_DATA_HOME/lexiwren/words/default.txt など\n"
                              "              (既定は ~/.local/share/lexiwren/)\n"
                              "詳しくは man lexiwren を見てください。\n");
    return QStringLiteral("Usage: lexiwren [option]\n"
                          "A vocabulary trainer for Japanese learners of English: register English words\n"
                          "with their meaning, an example and a part of speech, then practise them in\n"
                          "quizzes and tests. The program itself speaks Japanese.\n"
                          "\n"
                          "  -h, --help     print this help and exit\n"
                          "  -v, --version  print the version and exit\n"
                          "\n"
                          "Other arguments are ignored. When Lexiwren is already running, its window is\n"
                          "brought to the front instead.\n"
                          "\n"
                          "Preferences  $XDG_CONFIG_HOME/lexiwren/plimopref.ini\n"
                          "             (by default ~/.config/lexiwren/plimopref.ini)\n"
                          "Word files   $XDG_DATA_HOME/lexiwren/words/default.txt and others\n"
                          "             (by default under ~/.local/share/lexiwren/)\n"
                          "See man lexiwren for more.\n");
}

QString versionText(bool japanese)
{
    return QStringLiteral("Lexiwren %1\n%2\n")
        .arg(QString::fromLatin1(kVersion),
             japanese ? QStringLiteral("英語を学ぶ日本人のための単語帳")
                      : QStringLiteral("A vocabulary trainer for Japanese learners of English"));
}

} // namespace

std::optional<QString> commandLineAnswer(const QStringList& arguments, bool japanese)
{
    QCommandLineParser parser;
    // "-reverse" is one of Qt's options, not -r -e -v ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({help, version});
    parser.parse(arguments); // unknown options are no error of ours
    if (parser.isSet(help))
        return helpText(japanese);
    if (parser.isSet(version))
        return versionText(japanese);
    return std::nullopt;
}

bool japaneseMessages()
{
    QByteArray locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = qgetenv(name);
        if (!locale.isEmpty())
            break;
    }
    if (locale.isEmpty() || locale == "C" || locale.startsWith("C.") || locale == "POSIX")
        return false;
    const QByteArray languages = qgetenv("LANGUAGE");
    if (!languages.isEmpty())
        locale = languages;
    return locale.startsWith("ja");
}
