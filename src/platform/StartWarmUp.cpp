// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StartWarmUp.h"

#include <QDBusConnection>
#include <QFontDatabase>
#include <QStringList>

#include <fontconfig/fontconfig.h>

namespace platform {

StartWarmUp::StartWarmUp()
    : thread_([made = application_.get_future()]() mutable {
          FcInit();
          if (made.get()) {
              // The bus first: the first label asks for it before any font.
              QDBusConnection::sessionBus();
              // Only the fonts' list: a font loaded here would serve this thread alone.
              QFontDatabase::families();
          }
      })
{
}

void StartWarmUp::Tell(bool made)
{
    if (!told_)
        application_.set_value(made);
    told_ = true;
}

void StartWarmUp::ApplicationMade()
{
    Tell(true);
}

void StartWarmUp::Wait()
{
    Tell(false);
    if (thread_.joinable())
        thread_.join();
}

StartWarmUp::~StartWarmUp()
{
    Wait();
}

} // namespace platform
