#include "support/fixtures.h"

#include "store/codec.h"
#include "store/preferences.h"

#include <QFile>
#include <QTabBar>
#include <QTest>

TempFolder::TempFolder()
{
    previous_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
}

TempFolder::~TempFolder()
{
    QDir::setCurrent(previous_);
}

QString TempFolder::path(const QString& relative) const
{
    return QDir(dir_.path()).filePath(relative);
}

QString TempFolder::prefsFile() const
{
    return path(QStringLiteral("config/plimopref.ini"));
}

void TempFolder::write(const QString& relative, const QByteArray& bytes) const
{
    const QString file = path(relative);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << file.toStdString();
}

QByteArray TempFolder::read(const QString& relative) const
{
    QFile f(path(relative));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

bool TempFolder::exists(const QString& relative) const
{
    return QFileInfo::exists(path(relative));
}

void TempFolder::writePrefs(const QByteArray& wordFile) const
{
    write(QStringLiteral("config/plimopref.ini"), "[wordfile]\r\ndefwordfile=" + wordFile + "\r\n");
}

QByteArray sjis(const char* utf8)
{
    return cp932::encode(QString::fromUtf8(utf8));
}

void AppFixture::startWith(const QByteArray& wordFileBytes)
{
    folder.write(QStringLiteral("words/default.txt"), wordFileBytes);
    folder.writePrefs("words\\default.txt");
    start();
}

void AppFixture::start()
{
    state.prefsFile = folder.prefsFile();
    window = std::make_unique<MainWindow>(state, dialogs);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void AppFixture::clickTab(int index)
{
    QTabBar* bar = window->tabBar;
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

bool AppFixture::visible(const QWidget* w)
{
    return w && w->isVisible();
}
