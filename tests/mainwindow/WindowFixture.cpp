#include "WindowFixture.h"

#include <QTest>

namespace kelto::test {

WindowFixture::WindowFixture(const QByteArray& settings)
{
    if (!settings.isEmpty())
        writeBytes(settingsPath(), settings);
    reopen();
}

WindowFixture::~WindowFixture()
{
    if (m_window && m_window->isVisible()) {
        prompts.answers.clear();
        m_window->notebook().setModified(false);
        m_window->close();
    }
}

void WindowFixture::reopen()
{
    m_window.reset();
    m_window = std::make_unique<TNotesForm>(settingsPath(), prompts);
    m_window->show();
    m_window->activateWindow();
    (void)QTest::qWaitForWindowExposed(m_window.get());
    QCoreApplication::processEvents();
}

bool WindowFixture::close()
{
    const bool closed = m_window->close();
    QCoreApplication::processEvents();
    return closed;
}

} // namespace kelto::test
