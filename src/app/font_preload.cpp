#include "app/font_preload.h"

#include "ui/controls.h"

#include <QFont>
#include <fontconfig/fontconfig.h>

FontPreload::FontPreload()
    : thread_([go = go_.get_future()]() mutable {
          // Fontconfig keeps one configuration per process; whoever asks
          // next, Qt included, finds it loaded.
          FcInit();
          if (go.get())
              ui::designFont(12);
      })
{
}

FontPreload::~FontPreload()
{
    if (!told_)
        go_.set_value(false);
    finish();
}

void FontPreload::applicationReady()
{
    ui::installFontFallback();
    told_ = true;
    go_.set_value(true);
}

void FontPreload::finish()
{
    if (thread_.joinable())
        thread_.join();
}
