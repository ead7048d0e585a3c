// The child process of the channel tests: a copy of the program as the
// channel sees it.
//
//   channel_holder listen <key>
//       listens for <key> with a window to bring forward; prints
//       "listening", then "forward" each time a later start knocks.
//   channel_holder hang <key>
//       listens, prints "listening", and never looks at the socket again:
//       a running copy that hangs.
//   channel_holder knock <key> <timeout ms>
//       knocks once; prints "answered" or "unanswered".

#include "app/instance_channel.h"

#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

void say(const char* line)
{
    std::puts(line);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 3 || (std::strcmp(argv[1], "knock") == 0 && argc != 4))
        return 2;
    const QString key = QString::fromLocal8Bit(argv[2]);
    if (std::strcmp(argv[1], "knock") == 0) {
        say(InstanceChannel::knock(key, std::atoi(argv[3])) ? "answered" : "unanswered");
        return 0;
    }
    InstanceChannel channel(key);
    if (!channel.listen())
        return 3;
    if (std::strcmp(argv[1], "hang") == 0) {
        say("listening");
        for (;;)
            pause();
    }
    QWidget window;
    window.show();
    QObject::connect(&channel, &InstanceChannel::comeForward, &window, [&window] {
        bringForward(&window);
        say("forward");
    });
    say("listening");
    return app.exec();
}
