#include "app/CommandRouter.h"

#include <QAction>

namespace veldran {

CommandRouter::CommandRouter(QObject* parent)
    : QObject(parent)
{
}

QAction* CommandRouter::Action(int id)
{
    auto it = m_actions.find(id);
    if (it != m_actions.end())
        return it->second;
    auto* action = new QAction(this);
    action->setData(id);
    action->setEnabled(IsHandled(id));
    connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    m_actions.emplace(id, action);
    return action;
}

bool CommandRouter::IsHandled(int id) const
{
    for (const Target& target : m_targets)
        if (target.handles(id))
            return true;
    return false;
}

bool CommandRouter::Execute(int id)
{
    for (const Target& target : m_targets) {
        if (target.handles(id)) {
            target.execute(id);
            emit commandExecuted(id);
            return true;
        }
    }
    return false;
}

void CommandRouter::UpdateEnabledState()
{
    for (const auto& [id, action] : m_actions)
        action->setEnabled(IsHandled(id));
}

} // namespace veldran
