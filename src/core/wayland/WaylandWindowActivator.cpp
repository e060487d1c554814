#include "WaylandWindowActivator.h"

#include "ForeignToplevelWindowActivator.h"
#include "X11WindowActivator.h"

WaylandWindowActivator::WaylandWindowActivator(std::unique_ptr<WindowActivator> compositorList,
                                               std::unique_ptr<WindowActivator> xwayland)
    : m_compositorList(std::move(compositorList))
    , m_xwayland(std::move(xwayland))
{}

std::unique_ptr<WaylandWindowActivator> WaylandWindowActivator::forSession()
{
    return std::make_unique<WaylandWindowActivator>(
        std::make_unique<ForeignToplevelWindowActivator>(), std::make_unique<X11WindowActivator>());
}

bool WaylandWindowActivator::activate(const QString &title)
{
    if (m_compositorList && m_compositorList->activate(title))
        return true;
    return m_xwayland && m_xwayland->activate(title);
}

bool WaylandWindowActivator::activateProcess(qint64 processId)
{
    if (m_compositorList && m_compositorList->activateProcess(processId))
        return true;
    return m_xwayland && m_xwayland->activateProcess(processId);
}
