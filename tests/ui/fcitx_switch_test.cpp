#include "private_bus.h"
#include "ui/fcitx_switch.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusPendingCallWatcher>
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
    // The switch's questions to fcitx5 not answered yet.
    qsizetype callsInFlight() const { return client->findChildren<QDBusPendingCallWatcher*>().size(); }

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
    // Nothing more to ask once it is switched.
    QTRY_COMPARE(callsInFlight(), 0);
    EXPECT_EQ(fcitx.calls, times(4, "DebugInfo") << QStringLiteral("Activate"));
}

TEST_F(FcitxSwitchTest, NothingIsSwitchedOffBeforeSomethingWasSwitchedOn)
{
    runFcitx();
    client->fieldFocused(field, false); // an English field at start
    EXPECT_EQ(callsInFlight(), 0) << "asked fcitx5 about an English field";

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
    for (int focus = 0; focus < 2; ++focus) {
        client->fieldFocused(field, true);
        // Nothing waits for the answer: the question is on its way.
        ASSERT_EQ(callsInFlight(), 1);
        // Answered at once, as only a call that may not start fcitx5 is: one
        // that started it would be answered once fcitx5 had run.
        QTRY_COMPARE(callsInFlight(), 0);
        EXPECT_FALSE(QFileInfo::exists(started)) << "the switch started fcitx5";
    }
}

TEST_F(FcitxSwitchTest, AnFcitxThatNeverAnswersHoldsNothingUp)
{
    runFcitx();
    fcitx.silent = true;
    client->fieldFocused(field, true);
    // Sent from the event loop, not waited for in the focus change.
    EXPECT_TRUE(fcitx.calls.isEmpty());
    QTRY_COMPARE(fcitx.calls.size(), 1);
    // The GUI goes on though the first question is never answered: another
    // field, another request.
    client->fieldFocused(field, true);
    EXPECT_EQ(fcitx.calls.size(), 1);
    QTRY_COMPARE(fcitx.calls.size(), 2);
}

} // namespace

#include "fcitx_switch_test.moc"
