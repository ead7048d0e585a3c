#include "support/fixtures.h"

#include <QTabBar>
#include <QTest>

AssistSettings testAssist(const TempFolder& folder)
{
    AssistSettings settings;
    settings.speech.engine = QStringLiteral("no-such-engine");
    settings.speech.module = QStringLiteral(LEXIWREN_SPEECH_ENGINE_MODULE);
    settings.edictFile = QStringLiteral(LEXIWREN_DICTIONARY_SAMPLE);
    settings.cacheFolder = folder.path(QStringLiteral("cache"));
    return settings;
}

void AppFixture::startWith(const QByteArray& wordFileBytes)
{
    folder.write(QStringLiteral("words/default.txt"), wordFileBytes);
    folder.writePrefs("words\\default.txt");
    start();
}

void AppFixture::start()
{
    window = std::make_unique<MainWindow>(trainer, dialogs, assist);
    window->FormCreate();
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void AppFixture::clickTab(int index)
{
    QTabBar* bar = find<QTabBar>("TabBar");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

bool AppFixture::visible(const QWidget* w)
{
    return w && w->isVisible();
}
