// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one place that speaks to libmecab; built as a stub that only says what
// to install when the program was built without it.

#include "readings/Reader.h"

#include <QString>
#include <QVector>

class MecabEngine {
public:
    MecabEngine();
    ~MecabEngine();
    MecabEngine(const MecabEngine &) = delete;
    MecabEngine &operator=(const MecabEngine &) = delete;

    bool IsAvailable() const { return tagger_ != nullptr; }
    const QString &Problem() const { return problem_; }
    QVector<Morpheme> Parse(const QString &text) const;

private:
    void *tagger_ = nullptr;
    QString problem_;
};
