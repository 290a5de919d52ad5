// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace kelto {

// The one error type of the core: it carries the message the user sees.
// Commands let it travel up to the dispatcher, which shows it and stops.
class KeltoError : public std::exception
{
public:
    explicit KeltoError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8())
    {
    }
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

} // namespace kelto
