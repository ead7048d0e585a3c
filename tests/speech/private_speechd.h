#pragma once

#include "speech/speaker.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <functional>

// A speech-dispatcher of the test's own: its configuration, socket and
// runtime folder in a temporary folder, espeak-ng as its only module and
// ALSA's null device (or another) as its sound output, so it speaks on a
// machine without a sound card and touches nothing of the user's.
class PrivateSpeechd {
public:
    PrivateSpeechd();
    ~PrivateSpeechd();

    // Why no such server can run here, or empty.
    static QString missing();
    // Starts it; false (with the reason in error()) when it did not come up.
    bool start(const QString& alsaDevice = QStringLiteral("null"));
    // Ends it (as a crash would, when `abruptly`).
    void stop(bool abruptly = false);
    const QString& error() const { return error_; }
    // The address libspeechd connects to: SPEECHD_ADDRESS.
    QString address() const;

private:
    QTemporaryDir dir_;
    QProcess process_;
    QString error_;
};

// Sets SPEECHD_ADDRESS for the speakers the test makes, and keeps libspeechd
// from starting the system's speech-dispatcher in any test.
void useSpeechAddress(const QString& address);

// Runs events until `done` holds or `ms` have passed; whether it holds.
bool waitUntil(const std::function<bool()>& done, int ms);
