// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/UserPrompts.h"

#include <cstdio>

namespace kelto {

// Answers for a benchmark run nobody watches: every question gets the given
// answer, errors are printed.
class SilentPrompts : public UserPrompts
{
public:
    explicit SilentPrompts(Answer answer = Answer::No) : m_answer(answer) {}
    Answer question(QWidget*, const QString&, bool) override { return m_answer; }
    void error(QWidget*, const QString& text) override
    {
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
    }
    QString openFileName(QWidget*, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&) override { return {}; }

private:
    Answer m_answer;
};

} // namespace kelto
