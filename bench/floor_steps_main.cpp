// The floors of Lexiwren's steps: what a program on the same toolkit pays
// for the same result, written the plain way, with nothing of Lexiwren's.
// The window is the start-up floor's (floor_window.h). Steps (see
// StepDriver):
//   read FILE  (untimed) the word file's bytes into memory, decoder ready
//   list       a fresh table of the word list's size and columns, filled
//              from those bytes, decoding included, and shown
//   answer     one message box shown and closed, then one atomic replace
//              of the file with the same bytes
//   history FILE  (untimed) an SQLite file opened in WAL mode (synchronous
//              NORMAL, as the history has it) with a table of one answer's
//              columns
//   answer-history  the same as answer, then one row inserted into that
//              table and committed
#include "floor_window.h"
#include "step_driver.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QMessageBox>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTableWidget>

#include <array>
#include <sqlite3.h>

namespace {

constexpr const char* kCodec = "windows-31j";

class Floor {
public:
    explicit Floor(QWidget& window) : window_(window)
    {
        driver_.add(
            QStringLiteral("read"), [this](const QStringList& a) { return read(a.value(0)); }, false);
        driver_.add(QStringLiteral("list"), [this](const QStringList&) { return list(); });
        driver_.add(QStringLiteral("answer"), [this](const QStringList&) { return answer(); });
        driver_.add(
            QStringLiteral("history"), [this](const QStringList& a) { return openHistory(a.value(0)); },
            false);
        driver_.add(QStringLiteral("answer-history"), [this](const QStringList&) {
            const QString failure = answer();
            return failure.isEmpty() ? insertRow() : failure;
        });
    }
    ~Floor()
    {
        sqlite3_finalize(insert_);
        sqlite3_close(db_);
    }

private:
    QString read(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("cannot read %1").arg(path);
        path_ = path;
        bytes_ = file.readAll();
        // The converter's tables are loaded on its first use, once a run.
        QStringDecoder warm(kCodec);
        warm.decode(bytes_.left(64));
        return {};
    }

    QString list()
    {
        static const std::array<QString, 5> parts{QStringLiteral("名詞"), QStringLiteral("動詞"),
                                                  QStringLiteral("形容詞"), QStringLiteral("副詞"),
                                                  QStringLiteral("熟語")};
        auto* grid = new QTableWidget(&window_);
        grid->setGeometry(4, 23, 490, 289);
        grid->verticalHeader()->hide();
        grid->verticalHeader()->setDefaultSectionSize(18);
        grid->horizontalHeader()->setFixedHeight(18);
        grid->setColumnCount(7);
        grid->setHorizontalHeaderLabels(
            {QStringLiteral("No."), QStringLiteral("単語"), QStringLiteral("意味"), QStringLiteral("品詞"),
             QStringLiteral("正解率"), QStringLiteral("例文"), QStringLiteral("例文意味")});
        int column = 0;
        for (const int width : {32, 69, 118, 66, 52, 313, 355})
            grid->setColumnWidth(column++, width);

        QStringDecoder decode(kCodec);
        const QString text = decode(bytes_);
        const QList<QStringView> lines = QStringView(text).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        const int rows = int(std::min<qsizetype>(lines.size(), 1000));
        grid->setRowCount(rows);
        for (int r = 0; r < rows; ++r) {
            const QList<QStringView> f = lines[r].split(QLatin1Char(','));
            if (f.size() < 7)
                continue;
            const int asked = f[5].toInt();
            const QString rate =
                asked == 0 ? QStringLiteral("--") : QString::number(qRound(f[6].toInt() * 100.0 / asked));
            const int part = f[4].toInt();
            const std::array<QString, 7> cells{QString::number(r + 1),
                                               f[0].toString(),
                                               f[1].toString(),
                                               part >= 0 && part < 5 ? parts[size_t(part)] : QString(),
                                               rate,
                                               f[2].toString(),
                                               f[3].toString()};
            for (int c = 0; c < 7; ++c)
                grid->setItem(r, c, new QTableWidgetItem(cells[size_t(c)]));
        }
        grid->show();
        return {};
    }

    QString answer()
    {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Lexiwren"), QStringLiteral("正解っす"),
                        QMessageBox::Ok);
        box.exec();
        QSaveFile file(path_);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes_) != bytes_.size() || !file.commit())
            return QStringLiteral("cannot save %1").arg(path_);
        return {};
    }

    QString openHistory(const QString& path)
    {
        const QByteArray name = QFile::encodeName(path);
        if (sqlite3_open(name.constData(), &db_) != SQLITE_OK
            || sqlite3_exec(
                   db_,
                   "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL;"
                   "CREATE TABLE IF NOT EXISTS answers(file, word, time, place, right, hint, seconds)",
                   nullptr, nullptr, nullptr)
                != SQLITE_OK
            || sqlite3_prepare_v2(db_, "INSERT INTO answers VALUES (?, ?, ?, 0, 1, 0, 3)", -1, &insert_,
                                  nullptr)
                != SQLITE_OK)
            return QStringLiteral("cannot open %1").arg(path);
        return {};
    }

    QString insertRow()
    {
        if (!insert_)
            return QStringLiteral("no history opened");
        sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_bind_text(insert_, 1, "words/default.txt", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert_, 2, "word1", -1, SQLITE_STATIC);
        sqlite3_bind_int64(insert_, 3, ++time_);
        const bool inserted = sqlite3_step(insert_) == SQLITE_DONE;
        sqlite3_reset(insert_);
        if (!inserted || sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
            return QStringLiteral("cannot insert");
        return {};
    }

    QWidget& window_;
    StepDriver driver_;
    QString path_;
    QByteArray bytes_;
    sqlite3* db_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
    qint64 time_ = 1'767'225'600;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    showFloorWindow(window);
    Floor floor(window);
    closeMessageBoxesOnceDrawn();
    return app.exec();
}
