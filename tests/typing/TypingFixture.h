#pragma once
// A real main window on the fake platform, ready for keys.

#include "FakePlatform.h"
#include "settings/aplMain.h"
#include "views/frmMain.h"
#include "typing/Judge.h"
#include "typing/NetHooks.h"

#include <gtest/gtest.h>

#include <memory>

class TypingTest : public ::testing::Test {
protected:
    void SetUp() override { form = std::make_unique<frmMain>(); }
    void TearDown() override
    {
        form.reset();
        netHooks() = NetHooks();
    }

    // A game in progress with the given romaji to type.
    void Play(const QString &roman)
    {
        form->Init();
        form->lblRoman->setText(roman);
        form->Playing = true;
    }

    void Type(int keyCode, bool shift = false) { KeyDown(*form, keyCode, shift, true); }
    void TypeText(const char *keys)
    {
        for (const char *k = keys; *k; ++k)
            Type(*k);
    }
    QString Roman() const { return form->lblRoman->text(); }
    QString Types() const { return form->lblType->text(); }
    QString Misses() const { return form->lblMiss->text(); }

    FakePlatform fake;
    std::unique_ptr<frmMain> form;
};
