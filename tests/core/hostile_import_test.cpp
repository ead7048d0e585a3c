// Files made to hurt an import: each is refused, or read in part with its
// reason in the preview, within bounded memory and without a hang; no other
// file is ever opened, and the word file stays byte for byte.

#include "trainer_fixture.h"

#include "store/failure.h"
#include "support/peak_memory.h"
#include "support/watchdog.h"

#include <QFile>
#include <functional>
#include <sys/stat.h>

namespace {

constexpr qint64 kMiB = 1024 * 1024;

// A KVTML file with one entry whose English text is `text`.
QByteArray kvtml(const QByteArray& doctype, const QByteArray& text, const QByteArray& rootAttributes = {})
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + doctype + "\n<kvtml version=\"2.0\""
        + rootAttributes + ">\n<entries>\n<entry id=\"0\">\n<translation id=\"0\"><text>" + text
        + "</text></translation>\n<translation id=\"1\"><text>" + QByteArray("意味")
        + "</text></translation>\n</entry>\n</entries>\n</kvtml>\n";
}

QByteArray repeated(const QByteArray& piece, int times)
{
    QByteArray out;
    out.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

QByteArray nestedContainers(int depth)
{
    return "<?xml version=\"1.0\"?>\n<kvtml version=\"2.0\"><wordtypes>\n" + repeated("<container>", depth)
        + repeated("</container>", depth) + "\n</wordtypes></kvtml>\n";
}

QByteArray billionLaughs()
{
    QByteArray dtd = "<!DOCTYPE kvtml [<!ENTITY lol0 \"lol\">";
    for (int i = 1; i <= 9; ++i)
        dtd += "<!ENTITY lol" + QByteArray::number(i) + " \""
            + repeated("&lol" + QByteArray::number(i - 1) + ";", 10) + "\">";
    return kvtml(dtd + "]>", "&lol9;");
}

QByteArray millionRows()
{
    QByteArray out;
    out.reserve(16 * 1000 * 1000);
    for (int i = 0; i < 1000 * 1000; ++i)
        out += "w" + QByteArray::number(i) + "," + QByteArray("意味") + "\n";
    return out;
}

// A file of `size` bytes that begins with `head`; the rest reads as zeros
// and takes no room on disk.
void writeSparse(const QString& path, const QByteArray& head, qint64 size)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(head);
    ASSERT_TRUE(file.resize(size));
}

struct Hostile {
    const char* name;
    // Writes the file; `fifo` and `secret` name a FIFO nobody writes to and
    // a file nothing may show.
    std::function<QByteArray(const QString& fifo, const QString& secret)> bytes;
    // Refused with a failure holding this, or (empty) read in part.
    const char* refusal;
    // Read in part: the preview's text or list holds this, and this many
    // words would be registered.
    const char* preview = "";
    int words = 0;
    // Over the size cap: written sparse to this many bytes.
    qint64 sparseSize = 0;
};

class HostileImport : public TrainerTest {
protected:
    void SetUp() override
    {
        open(lines({"registered,登録済み,,,0,0,0", "apple,りんご,,,0,0,0"}));
        fifo = folder.path(QStringLiteral("fifo"));
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        secret = folder.path(QStringLiteral("secret.txt"));
        folder.write(QStringLiteral("secret.txt"), "SECRET-CONTENT");
    }
    QString fifo;
    QString secret;
};

TEST_F(HostileImport, EachIsRefusedOrReadInPartWithinBoundsAndTheWordFileStays)
{
    const auto dtd = [](const char* text, const QString& path) {
        return QByteArray(text).replace("PATH", QFile::encodeName(path));
    };
    const Hostile cases[] = {
        // KVTML that reaches for other files.
        {"external entity naming /etc/passwd",
         [&](auto&, auto&) {
             return kvtml("<!DOCTYPE kvtml [<!ENTITY xxe SYSTEM \"file:///etc/passwd\">]>", "a&xxe;");
         },
         "ほかのファイル file:///etc/passwd を取り込もうとしている"},
        {"external entity naming a file of secrets",
         [&](auto&, const QString& s) {
             return kvtml(dtd("<!DOCTYPE kvtml [<!ENTITY x SYSTEM \"PATH\">]>", s), "&x;");
         },
         "ほかのファイル"},
        {"external entity naming a FIFO",
         [&](const QString& f, auto&) {
             return kvtml(dtd("<!DOCTYPE kvtml [<!ENTITY x SYSTEM \"PATH\">]>", f), "&x;");
         },
         "ほかのファイル"},
        {"public entity naming a FIFO",
         [&](const QString& f, auto&) {
             return kvtml(dtd("<!DOCTYPE kvtml [<!ENTITY x PUBLIC \"-//x//EN\" \"PATH\">]>", f), "&x;");
         },
         "ほかのファイル"},
        {"parameter entity from a FIFO",
         [&](const QString& f, auto&) {
             return kvtml(dtd("<!DOCTYPE kvtml [<!ENTITY % p SYSTEM \"PATH\"> %p;]>", f), "a");
         },
         "パラメータ実体"},
        {"DOCTYPE naming a FIFO: its own words are read, the FIFO is not",
         [&](const QString& f, auto&) { return kvtml(dtd("<!DOCTYPE kvtml SYSTEM \"PATH\">", f), "pear"); },
         "", "1 語を登録します。", 1},
        {"DOCTYPE naming a local file and an entity only that file would declare",
         [&](auto&, const QString& s) { return kvtml(dtd("<!DOCTYPE kvtml SYSTEM \"PATH\">", s), "a&x;"); },
         "実体「x」の中身がファイルにない"},
        // KVTML that expands.
        {"nested entity expansion", [](auto&, auto&) { return billionLaughs(); }, "展開すると"},
        {"parameter entities behind a comment that names the root element",
         [](auto&, auto&) {
             return kvtml("<!-- <kvtml> --><?pi <kvtml?>\n<!DOCTYPE kvtml [<!ENTITY % a \"<!-- x -->\">"
                              + repeated("%a;", 1000) + "]>",
                          "a");
         },
         "パラメータ実体"},
        {"one entity of 4,000 characters used 250,000 times in one text",
         [](auto&, auto&) {
             return kvtml("<!DOCTYPE kvtml [<!ENTITY e \"" + QByteArray(4000, 'e') + "\">]>",
                          repeated("&e;", 250000));
         },
         "展開すると"},
        {"parameter entity used 100,000 times in the DTD",
         [](auto&, auto&) {
             return kvtml("<!DOCTYPE kvtml [<!ENTITY % a \"<!-- " + QByteArray(4000, 'x') + " -->\">"
                              + repeated("%a;", 100000) + "]>",
                          "a");
         },
         "パラメータ実体"},
        {"a text longer than any field", [](auto&, auto&) { return kvtml({}, QByteArray(40000, 't')); },
         "文字を越える"},
        // KVTML that nests.
        {"10,000 nested containers", [](auto&, auto&) { return nestedContainers(10000); },
         "行目が KVTML として正しくありません"},
        {"50,000 nested containers in a megabyte", [](auto&, auto&) { return nestedContainers(50000); },
         "行目が KVTML として正しくありません"},
        {"100,000 nested inline elements in a text",
         [](auto&, auto&) { return kvtml({}, repeated("<b>", 100000) + "x" + repeated("</b>", 100000)); },
         "行目が KVTML として正しくありません"},
        // KVTML that is large.
        {"a 50 MB attribute, over the size cap",
         [](auto&, auto&) { return QByteArray("<?xml version=\"1.0\"?>\n<kvtml version=\"2.0\" a=\""); },
         "は大きすぎるのでインポートできません(16 MiB まで)", "", 0, 50 * kMiB},
        {"a 12 MB attribute, under the size cap",
         [](auto&, auto&) { return kvtml({}, "pear", " note=\"" + QByteArray(12 * kMiB, 'n') + "\""); }, "",
         "1 語を登録します。", 1},
        // CSV.
        {"an unterminated quote",
         [](auto&, auto&) {
             return QByteArray("pear,") + QByteArray("梨") + "\nkiwi,\"" + QByteArray("キウイ\nfig,無花果\n");
         },
         "",
         "2 "
         "行目で始まる引用符(\")"
         "が閉じられていないため、そこからファイルの終わりまでを一つの項目として読みました。",
         1},
        {"NUL bytes", [](auto&, auto&) { return QByteArray("pear,x\n\0\0\0,y\n", 13); },
         "は CSV やテキスト、KVTML のファイルではありません"},
        {"invalid UTF-8 in one row",
         [](auto&, auto&) {
             return QByteArray("pear,西洋梨の一種です\nkiwi,キウイフルーツ\xFF\xFE\nfig,無花果の実です\n");
         },
         "", "UTF-8 として読めないバイトが 2 か所あります", 2},
        {"a second file's byte-order mark and header mid-file",
         [](auto&, auto&) {
             return "\xEF\xBB\xBF" + QByteArray("単語,意味\npear,梨\n") + "\xEF\xBB\xBF"
                 + QByteArray("単語,意味\nkiwi,キウイ\n");
         },
         "", "2 語を登録します。", 2},
        {"CR-only line ends",
         [](auto&, auto&) { return "pear," + QByteArray("梨\rpear,洋梨\rkiwi,キウイ\r"); }, "",
         "2 行目: 「pear」は 1 行目と重複しています", 2},
        {"a 100 MB line, over the size cap", [](auto&, auto&) { return QByteArray("a,b,c"); },
         "は大きすぎるのでインポートできません(16 MiB まで)", "", 0, 100 * kMiB},
        {"5 million fields on one 10 MB line", [](auto&, auto&) { return repeated("a,", 5 * 1000 * 1000); },
         "", "1 行目: 品詞「a」は", 0},
        {"a million rows", [](auto&, auto&) { return millionRows(); }, "",
         "ほか 998502 行も登録しません(一覧は最初の 500 行までです)。", 998},
        {"a field of 100,000 characters",
         [](auto&, auto&) { return "long," + QByteArray(100000, 'x') + "\n"; }, "",
         "1 行目: 「意味」: 32767 文字より長いテキストは登録できません。", 0},
    };

    const QByteArray before = wordFile();
    const qint64 floor = 8 * kMiB; // what a resident set can tell apart
    for (const Hostile& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.path(QStringLiteral("hostile"));
        qint64 size = c.sparseSize;
        {
            const QByteArray bytes = c.bytes(fifo, secret);
            if (c.sparseSize) {
                writeSparse(path, bytes, c.sparseSize);
            } else {
                folder.write(QStringLiteral("hostile"), bytes);
                size = bytes.size();
            }
        }
        const bool measured = peak_memory::kMeaningful && peak_memory::resetPeak();
        const qint64 idle = peak_memory::resident();

        QString outcome;
        std::optional<ImportPlan> plan;
        {
            Watchdog watchdog(c.name, std::chrono::seconds(120));
            try {
                plan = trainer.planImport(path);
            } catch (const Failure& failure) {
                outcome = failure.text();
            }
        }
        const qint64 growth = peak_memory::peak() - idle;
        if (*c.refusal) {
            EXPECT_TRUE(outcome.contains(QString::fromUtf8(c.refusal))) << outcome.toStdString();
        } else {
            ASSERT_TRUE(plan) << outcome.toStdString();
            const ImportPreview preview = previewImport(*plan);
            outcome = preview.text + QLatin1Char('\n') + preview.list.join(QLatin1Char('\n'));
            EXPECT_TRUE(outcome.contains(QString::fromUtf8(c.preview))) << outcome.left(2000).toStdString();
            EXPECT_EQ(int(plan->words.size()), c.words);
            EXPECT_LE(preview.list.size(), kListedRefusals + 1);
        }
        EXPECT_FALSE(outcome.contains(QStringLiteral("SECRET-CONTENT"))
                     || outcome.contains(QStringLiteral("root:")));
        EXPECT_EQ(wordFile(), before);
        if (measured) {
            const qint64 bound = std::min(100 * kMiB, std::max(10 * size, floor));
            EXPECT_LT(growth, bound) << "peak grew by " << growth / 1024 << " KiB for a file of "
                                     << size / 1024 << " KiB";
        }
        QFile::remove(path);
    }
}

} // namespace
