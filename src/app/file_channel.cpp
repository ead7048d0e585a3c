#include "app/file_channel.h"

#include "app/instance_channel.h"
#include "core/trainer.h"
#include "ui/dialogs.h"

FileChannel::FileChannel(Trainer& trainer, Dialogs& dialogs, std::function<void()> comeForward)
    : trainer_(trainer), dialogs_(dialogs), comeForward_(std::move(comeForward))
{
    trainer_.setCurrentChanged([this] { currentChanged(); });
}

FileChannel::~FileChannel()
{
    trainer_.setCurrentChanged({});
}

QString FileChannel::listeningOn() const
{
    return channel_ ? key_ : QString();
}

void FileChannel::currentChanged()
{
    channel_.reset();
    key_.clear();
    if (trainer_.lockKey().isEmpty()) {
        if (!warned_ && !trainer_.book().path.isEmpty()) {
            warned_ = true;
            dialogs_.message(
                QStringLiteral("単語ファイル %1 のロックを取れないため、ほかの Lexiwren "
                               "が同じ単語ファイルを開くのを防げません。\n"
                               "一つの単語ファイルを二つの Lexiwren で同時に使わないでください。")
                    .arg(trainer_.book().path.shown()));
        }
        return;
    }
    channel_ = std::make_unique<InstanceChannel>(trainer_.lockKey());
    QObject::connect(channel_.get(), &InstanceChannel::comeForward, [this] { comeForward_(); });
    // Without a socket the copy runs unreachable: a later start is told
    // that Lexiwren runs with the word file.
    if (channel_->listen())
        key_ = trainer_.lockKey();
    else
        channel_.reset();
}
