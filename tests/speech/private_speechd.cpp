#include "private_speechd.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStandardPaths>

#ifdef __SANITIZE_ADDRESS__
// libspeechd looks for the end of a reply with strstr over all of it that has
// come so far; with the sanitizer's checked strstr, listing espeak-ng's
// 13,000 voices takes minutes instead of seconds.
extern "C" const char* __asan_default_options()
{
    return "intercept_strstr=0";
}
#endif

namespace {

const char* kModule = "/usr/lib/speech-dispatcher-modules/sd_espeak-ng";

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

PrivateSpeechd::PrivateSpeechd() = default;

PrivateSpeechd::~PrivateSpeechd()
{
    stop();
}

QString PrivateSpeechd::missing()
{
    if (QStandardPaths::findExecutable(QStringLiteral("speech-dispatcher")).isEmpty())
        return QStringLiteral("speech-dispatcher is not installed");
    if (!QFileInfo::exists(QString::fromLatin1(kModule)))
        return QStringLiteral("speech-dispatcher-espeak-ng is not installed");
    // Asked of the plugin folder, not of Qt TextToSpeech: the test process
    // should map that only when the program would.
    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath)
                           + QStringLiteral("/texttospeech/libqtexttospeech_speechd.so")))
        return QStringLiteral("Qt's speechd plugin (qt6-speech-speechd-plugin) is not installed");
    return {};
}

bool PrivateSpeechd::start(const QString& alsaDevice)
{
    const QDir d(dir_.path());
    if (!d.mkpath(QStringLiteral("conf/modules")) || !d.mkpath(QStringLiteral("run"))
        || !d.mkpath(QStringLiteral("log"))) {
        error_ = QStringLiteral("cannot make the server's folders");
        return false;
    }
    const QByteArray conf = "LogLevel 2\nLogDir \"" + d.filePath(QStringLiteral("log")).toUtf8()
        + "\"\nAudioOutputMethod \"alsa\"\nAudioALSADevice \"" + alsaDevice.toUtf8()
        + "\"\nAddModule \"espeak-ng\" \"sd_espeak-ng\" \"espeak-ng.conf\"\nDefaultModule espeak-ng\n"
          "DefaultLanguage \"en-US\"\n";
    if (!writeFile(d.filePath(QStringLiteral("conf/speechd.conf")), conf)
        || !writeFile(d.filePath(QStringLiteral("conf/modules/espeak-ng.conf")), "Debug 0\n")) {
        error_ = QStringLiteral("cannot write the server's configuration");
        return false;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), d.filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), d.filePath(QStringLiteral("conf")));
    env.insert(QStringLiteral("HOME"), dir_.path());
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.start(QStringLiteral("speech-dispatcher"),
                   {QStringLiteral("--run-single"), QStringLiteral("--timeout"), QStringLiteral("0"),
                    QStringLiteral("--config-dir"), d.filePath(QStringLiteral("conf")),
                    QStringLiteral("--communication-method"), QStringLiteral("unix_socket"),
                    QStringLiteral("--socket-path"), d.filePath(QStringLiteral("run/speechd.sock")),
                    QStringLiteral("--pid-file"), d.filePath(QStringLiteral("run/pid"))});
    if (!process_.waitForStarted(10000)) {
        error_ = QStringLiteral("speech-dispatcher did not start: ") + process_.errorString();
        return false;
    }
    const bool up = waitUntil(
        [&] {
            return QFileInfo::exists(d.filePath(QStringLiteral("run/speechd.sock")))
                || process_.state() != QProcess::Running;
        },
        20000);
    if (!up || process_.state() != QProcess::Running) {
        error_ = QStringLiteral("speech-dispatcher did not come up");
        return false;
    }
    return true;
}

void PrivateSpeechd::stop(bool abruptly)
{
    if (process_.state() == QProcess::NotRunning)
        return;
    if (abruptly) {
        process_.kill();
    } else {
        process_.terminate();
        if (process_.waitForFinished(3000))
            return;
        process_.kill();
    }
    process_.waitForFinished(3000);
}

QString PrivateSpeechd::address() const
{
    return QStringLiteral("unix_socket:") + QDir(dir_.path()).filePath(QStringLiteral("run/speechd.sock"));
}

void useSpeechAddress(const QString& address)
{
    qputenv("SPEECHD_ADDRESS", address.toUtf8());
    qputenv("SPEECHD_CMD", "/nonexistent/speech-dispatcher");
}

bool waitUntil(const std::function<bool()>& done, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}
