// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's English texts, installed for as long as the object lives, for
// tests that check what stays Japanese while the windows speak English.

#include "shell/StartUp.h"

#include <QCoreApplication>
#include <QTranslator>

#include <memory>

class EnglishTexts {
public:
    EnglishTexts() : translator_(LoadGameTranslation(aplMain::UiLanguage::English))
    {
        if (translator_)
            QCoreApplication::installTranslator(translator_.get());
    }
    ~EnglishTexts()
    {
        if (translator_)
            QCoreApplication::removeTranslator(translator_.get());
    }
    EnglishTexts(const EnglishTexts &) = delete;
    EnglishTexts &operator=(const EnglishTexts &) = delete;
    bool Loaded() const { return translator_ != nullptr; }

private:
    std::unique_ptr<QTranslator> translator_;
};
