// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the settings file: read without a fault, and what was read is
// written and read back to the same keys and values.

#include "FuzzCheck.h"
#include "platform/IniText.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzz::Run([&] {
        QByteArray bytes = fuzz::Bytes(data, size);
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        QSettings::SettingsMap read;
        if (!platform::ReadIniText(in, read))
            return;
        QByteArray written;
        QBuffer out(&written);
        out.open(QIODevice::WriteOnly);
        FUZZ_CHECK(platform::WriteIniText(out, read));
        out.close();
        out.open(QIODevice::ReadOnly);
        QSettings::SettingsMap again;
        FUZZ_CHECK(platform::ReadIniText(out, again));
        if (again.keys() != read.keys()) {
            for (const QString &key : read.keys())
                std::fprintf(stderr, "read:  %s\n", qPrintable(key.toUtf8().toPercentEncoding()));
            for (const QString &key : again.keys())
                std::fprintf(stderr, "again: %s\n", qPrintable(key.toUtf8().toPercentEncoding()));
            std::fprintf(stderr, "written: %s\n", written.toPercentEncoding().constData());
        }
        FUZZ_CHECK(again.keys() == read.keys());
        for (auto it = read.cbegin(); it != read.cend(); ++it)
            FUZZ_CHECK(again.value(it.key()).toString() == it.value().toString());
    });
}
