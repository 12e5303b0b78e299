// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FontWarmUp.h"

#include <QFontDatabase>
#include <QStringList>

#include <fontconfig/fontconfig.h>

namespace platform {

FontWarmUp::FontWarmUp()
    : thread_([made = application_.get_future()]() mutable {
          FcInit();
          // Only the fonts' list: a font loaded here would serve this thread alone.
          if (made.get())
              QFontDatabase::families();
      })
{
}

void FontWarmUp::Tell(bool made)
{
    if (!told_)
        application_.set_value(made);
    told_ = true;
}

void FontWarmUp::ApplicationMade()
{
    Tell(true);
}

void FontWarmUp::Wait()
{
    Tell(false);
    if (thread_.joinable())
        thread_.join();
}

FontWarmUp::~FontWarmUp()
{
    Wait();
}

} // namespace platform
