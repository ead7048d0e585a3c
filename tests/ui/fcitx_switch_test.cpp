#include "private_bus.h"
#include "ui/fcitx_switch.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

// fcitx5's controller as the switch sees it: records the calls, and reports
// the input contexts the way fcitx5 does.
class FakeFcitx : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.fcitx.Fcitx.Controller1")
public:
    QStringList calls;
    int unfocusedAnswers = 0; // answers before our context has the focus
    bool silent = false; // takes calls and never answers

public slots:
    QString DebugInfo()
    {
        calls << QStringLiteral("DebugInfo");
        if (silent) {
            setDelayedReply(true);
            return {};
        }
        const bool ours = unfocusedAnswers-- <= 0;
        // Another program's focus is not ours; nor is a name we merely begin.
        return QStringLiteral("Group [x11::0] has 3 InputContext(s)\n"
                              "  IC [0a1b] program:firefox frontend:dbus cap:0 focus:%1\n"
                              "  IC [2c3d] program:ui_tests_old frontend:dbus cap:0 focus:%1\n"
                              "  IC [4e5f] program:ui_tests frontend:dbus cap:6000800072 focus:%2\n"
                              "Input Context without group\n")
            .arg(ours ? 0 : 1)
            .arg(ours ? 1 : 0);
    }
    void Activate() { calls << QStringLiteral("Activate"); }
    void Deactivate() { calls << QStringLiteral("Deactivate"); }
};

namespace {

class FcitxSwitchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (bus.address().isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed (package dbus-daemon)";
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(field);
        layout->addWidget(elsewhere);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        field->setFocus();
        client = std::make_unique<ui::FcitxSwitch>(QDBusConnection::connectToBus(bus.address(), "client"),
                                                   QStringLiteral("ui_tests"));
    }
    void TearDown() override
    {
        client.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        QDBusConnection::disconnectFromBus(QStringLiteral("fcitx5"));
    }
    void runFcitx()
    {
        QDBusConnection service = QDBusConnection::connectToBus(bus.address(), "fcitx5");
        ASSERT_TRUE(
            service.registerObject(QStringLiteral("/controller"), &fcitx, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service.registerService(QStringLiteral("org.fcitx.Fcitx5")));
    }
    // Lets the calls go back and forth for a while.
    static void spin(int ms) { QTest::qWait(ms); }

    PrivateBus bus;
    FakeFcitx fcitx;
    QWidget window;
    QLineEdit* field = new QLineEdit;
    QLineEdit* elsewhere = new QLineEdit;
    std::unique_ptr<ui::FcitxSwitch> client;
};

QStringList times(int n, const char* call)
{
    QStringList list;
    for (int i = 0; i < n; ++i)
        list << QString::fromLatin1(call);
    return list;
}

TEST_F(FcitxSwitchTest, ActivatesOnlyOnceTheFocusHasReachedOurInputContext)
{
    runFcitx();
    fcitx.unfocusedAnswers = 3; // the frontend is still making the window's context
    client->fieldFocused(field, true);
    EXPECT_TRUE(fcitx.calls.isEmpty()) << "nothing is sent from inside the focus change";
    QTRY_VERIFY(fcitx.calls.contains(QStringLiteral("Activate")));
    spin(100);
    EXPECT_EQ(fcitx.calls, times(4, "DebugInfo") << QStringLiteral("Activate"));
}

TEST_F(FcitxSwitchTest, NothingIsSwitchedOffBeforeSomethingWasSwitchedOn)
{
    runFcitx();
    client->fieldFocused(field, false); // an English field at start
    spin(200);
    EXPECT_TRUE(fcitx.calls.isEmpty());

    client->fieldFocused(field, true);
    QTRY_VERIFY(fcitx.calls.contains(QStringLiteral("Activate")));
    client->fieldFocused(field, false);
    QTRY_VERIFY(fcitx.calls.contains(QStringLiteral("Deactivate")));
    EXPECT_EQ(fcitx.calls,
              QStringList() << QStringLiteral("DebugInfo") << QStringLiteral("Activate")
                            << QStringLiteral("DebugInfo") << QStringLiteral("Deactivate"));
}

TEST_F(FcitxSwitchTest, AFieldLeftBeforeTheFocusReachedFcitxIsNotSwitched)
{
    runFcitx();
    fcitx.unfocusedAnswers = 1000;
    client->fieldFocused(field, true);
    QTRY_VERIFY(fcitx.calls.size() >= 2);
    elsewhere->setFocus(); // an unmanaged widget: the wait ends, nothing is sent
    spin(100);
    const qsizetype asked = fcitx.calls.size();
    spin(200);
    EXPECT_EQ(fcitx.calls.size(), asked) << "still asking after the field was left";
    EXPECT_FALSE(fcitx.calls.contains(QStringLiteral("Activate")));
}

TEST_F(FcitxSwitchTest, WithoutFcitxRunningNothingIsStartedAndNothingWaits)
{
    // Installed but not running: D-Bus would start it for any call allowed to.
    const QString started = bus.path(QStringLiteral("started"));
    bus.installService(QStringLiteral("org.fcitx.Fcitx5"), started);
    QElapsedTimer clock;
    clock.start();
    client->fieldFocused(field, true);
    spin(500);
    client->fieldFocused(field, true);
    spin(500);
    EXPECT_FALSE(QFileInfo::exists(started)) << "the switch started fcitx5";
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST_F(FcitxSwitchTest, AnFcitxThatNeverAnswersHoldsNothingUp)
{
    runFcitx();
    fcitx.silent = true;
    QElapsedTimer clock;
    clock.start();
    client->fieldFocused(field, true);
    EXPECT_LT(clock.elapsed(), 100);
    QTRY_COMPARE(fcitx.calls.size(), 1);
    // The GUI goes on: another field, another request.
    client->fieldFocused(field, true);
    QTRY_COMPARE(fcitx.calls.size(), 2);
    EXPECT_LT(clock.elapsed(), 3000);
}

} // namespace

#include "fcitx_switch_test.moc"
