#include "probe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// What stands at a name, as lstat tells it: kind, device, link target.
struct Node {
    mode_t type = 0;
    dev_t rdev = 0;
    QString link;
    bool operator==(const Node&) const = default;
};

Node nodeAt(const QString& path)
{
    struct stat st { };
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {mode_t(st.st_mode & S_IFMT), st.st_rdev, QFile::symLinkTarget(path)};
}

bool makeSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    if (fd < 0 || size_t(native.size()) >= sizeof address.sun_path)
        return false;
    std::copy(native.begin(), native.end(), address.sun_path);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

bool makeNode(const QString& path, mode_t type, unsigned major, unsigned minor)
{
    return ::mknod(QFile::encodeName(path).constData(), type | 0666, makedev(major, minor)) == 0;
}

const QByteArray kPrefs = "[wordfile]\r\ndefwordfile=words\\linked.txt\r\n";
const QByteArray kSaved = "apple,\x82\xe8\x82\xf1\x82\xb2,,,0,0,0\r\n";

// The expected line of each operation, "%1" standing for the path; empty:
// not tried.
struct Hostile {
    const char* what;
    QString path; // relative to the folder, or absolute
    std::function<bool(const QDir&)> make; // false: cannot be made here
    bool systemNode; // the system's own: never saved over by root
    QString load, prefsRead, save, prefsWrite;
};

const QString kNotRegularOpen = QStringLiteral("ファイル %1 は開けません(通常のファイルではありません)");
const QString kNotRegularCreate =
    QStringLiteral("ファイル %1 を作成できません(通常のファイルではありません)");
const QString kNotRegularWrite = QStringLiteral("%1 に書き込めません(通常のファイルではありません)");
const QString kCannotOpen = QStringLiteral("ファイル %1 は開けません");

std::vector<Hostile> hostileFiles()
{
    const auto present = [](const QDir&) { return true; };
    const auto notRegular = [&](const char* what, QString path, std::function<bool(const QDir&)> make,
                                bool system = false) {
        return Hostile{
            what, path, make, system, kNotRegularOpen, kNotRegularOpen, kNotRegularCreate, kNotRegularWrite};
    };
    const QString noTargetCreate = QStringLiteral("ファイル %1 を作成できません(リンク先がありません)");
    const QString noTargetWrite = QStringLiteral("%1 に書き込めません(リンク先がありません)");
    return {
        notRegular("a FIFO", QStringLiteral("fifo"),
                   [](const QDir& d) { return ::mkfifo(QFile::encodeName(d.filePath("fifo")), 0666) == 0; }),
        notRegular("/dev/zero", QStringLiteral("/dev/zero"), present, true),
        notRegular("/dev/urandom", QStringLiteral("/dev/urandom"), present, true),
        notRegular("/dev/null", QStringLiteral("/dev/null"), present, true),
        notRegular("a null device of our own", QStringLiteral("null"),
                   [](const QDir& d) { return makeNode(d.filePath("null"), S_IFCHR, 1, 3); }),
        notRegular("a zero device of our own", QStringLiteral("zero"),
                   [](const QDir& d) { return makeNode(d.filePath("zero"), S_IFCHR, 1, 5); }),
        notRegular("a folder", QStringLiteral("folder"), [](const QDir& d) { return d.mkdir("folder"); }),
        notRegular("a UNIX socket", QStringLiteral("socket"),
                   [](const QDir& d) { return makeSocket(d.filePath("socket")); }),
        notRegular("a link to a FIFO", QStringLiteral("to-fifo"),
                   [](const QDir& d) {
                       return ::mkfifo(QFile::encodeName(d.filePath("fifo2")), 0666) == 0
                           && QFile::link(QStringLiteral("fifo2"), d.filePath("to-fifo"));
                   }),
        {"a link to a regular file", QStringLiteral("to-file"),
         [](const QDir& d) {
             QFile f(d.filePath("target.txt"));
             return f.open(QIODevice::WriteOnly) && f.write(kPrefs) == kPrefs.size()
                 && QFile::link(QStringLiteral("target.txt"), d.filePath("to-file"));
         },
         false, QStringLiteral("loaded %1").arg(kPrefs.size()), QStringLiteral("value words\\linked.txt"),
         QStringLiteral("saved"), QStringLiteral("written")},
        {"a link leading nowhere", QStringLiteral("dangling"),
         [](const QDir& d) { return QFile::link(QStringLiteral("nothing.txt"), d.filePath("dangling")); },
         false, kCannotOpen, QStringLiteral("value words\\default.txt"), noTargetCreate, noTargetWrite},
        {"links leading to each other", QStringLiteral("loop-a"),
         [](const QDir& d) {
             return QFile::link(QStringLiteral("loop-b"), d.filePath("loop-a"))
                 && QFile::link(QStringLiteral("loop-a"), d.filePath("loop-b"));
         },
         false, kCannotOpen, kCannotOpen, noTargetCreate, noTargetWrite},
        // A regular file that says it is empty and holds gigabytes.
        {"/proc/self/pagemap",
         QStringLiteral("/proc/self/pagemap"),
         [](const QDir&) { return QFile::exists(QStringLiteral("/proc/self/pagemap")); },
         true,
         QStringLiteral(
             "文字列の大きさが メモ の制限を越えました(ファイル %1 は単語ファイルには大きすぎます。"
             "単語ファイルは 16 MiB までです)"),
         QStringLiteral("ファイル %1 は開けません(大きすぎます)"),
         {},
         {}},
    };
}

// Each hostile file, made afresh in a folder of its own, through load,
// preferences read, save and preferences write, each in a child process
// that must end within ten seconds. After a refused save the thing is what
// it was; a link stays a link.
void runTable(bool asNobody)
{
    for (const Hostile& h : hostileFiles()) {
        SCOPED_TRACE(h.what);
        QTemporaryDir temp;
        QDir folder(temp.path());
        ASSERT_TRUE(folder.mkdir(QStringLiteral("words")));
        ASSERT_TRUE(folder.cd(QStringLiteral("words")));
        if (!h.make(folder)) {
            std::cout << "[ skipped ] " << h.what << ": cannot be made here\n";
            continue;
        }
        if (asNobody) {
            QFile::setPermissions(temp.path(), QFile::permissions(temp.path()) | QFileDevice::ExeOther);
            ASSERT_TRUE(probe::giveToNobody(folder.path()));
        }
        const QString path = folder.absoluteFilePath(h.path);
        const bool mayWrite = !(h.systemNode && ::getuid() == 0 && !asNobody);
        const Node before = nodeAt(path);
        const auto expect = [&](const char* op, const QString& expected) {
            if (expected.isEmpty() || (!mayWrite && (op[0] == 's' || QByteArray(op).endsWith("write"))))
                return;
            const QString line = expected.contains(QStringLiteral("%1")) ? expected.arg(path) : expected;
            EXPECT_EQ(probe::run({QString::fromLatin1(op), path}, asNobody).toStdString(), line.toStdString())
                << op;
            EXPECT_EQ(nodeAt(path), before) << op;
        };
        expect("load", h.load);
        expect("prefs-read", h.prefsRead);
        expect("save", h.save);
        if (h.save == QStringLiteral("saved")) {
            QFile target(folder.filePath(QStringLiteral("target.txt")));
            EXPECT_TRUE(target.open(QIODevice::ReadOnly));
            EXPECT_EQ(target.readAll(), kSaved);
        }
        expect("prefs-write", h.prefsWrite);
        EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("nothing.txt"))));
    }
}

TEST(HostileFiles, RefusedWithoutHangingOrReplacingThem)
{
    runTable(false);
}

TEST(HostileFiles, RefusedAsAnOrdinaryUser)
{
    const QString why = probe::cannotRunAsNobody();
    if (!why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    runTable(true);
}

} // namespace
