#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

// A child process of a test, whose printed lines the test waits for. Killed
// at the end of the test whatever state it is in.
class ChildProcess {
public:
    // `inChild`, when given, runs in the child before the program starts
    // (to lower its limits, say).
    ChildProcess(const QString& program, const QStringList& arguments,
                 const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                 const std::function<void()>& inChild = {})
    {
        process_.setProcessEnvironment(environment);
        if (inChild)
            process_.setChildProcessModifier(inChild);
        process_.start(program, arguments);
        EXPECT_TRUE(process_.waitForStarted(10000)) << program.toStdString();
    }
    ~ChildProcess()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(10000);
        }
    }

    // Waits up to `ms` for a line; empty when none came.
    QByteArray line(int ms = 20000)
    {
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(ms))
                return {};
        }
        return process_.readLine().trimmed();
    }
    bool finished(int ms) { return process_.waitForFinished(ms); }
    int exitCode() const { return process_.exitCode(); }
    QByteArray output() { return process_.readAll(); }
    QProcess& process() { return process_; }

private:
    QProcess process_;
};
