#include "platform/ui/PrimarySelection.h"

#include "platform/base/RunLoop.h"

namespace ui {

PrimarySelection& PrimarySelection::shared()
{
    static PrimarySelection selection;
    return selection;
}

void PrimarySelection::claim(Provider provider)
{
    // Each claim posts; the first to run publishes the latest and the rest find nothing left.
    m_pending = std::move(provider);
    base::RunLoop::main().post([this] { publish(); });
}

void PrimarySelection::publish()
{
    if (!m_pending)
        return;
    auto provider = std::move(m_pending);
    m_pending = nullptr;
    std::optional<std::string> text = provider();
    // An empty selection leaves the last one standing, as on every X desktop.
    if (!text || text->empty())
        return;
    m_text = std::move(text);
    if (m_system.setText)
        m_system.setText(*m_text);
}

std::optional<std::string> PrimarySelection::text()
{
    if (m_pending)
        publish();
    if (m_system.text)
        return m_system.text();
    return m_text;
}

}
