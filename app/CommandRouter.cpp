#include "app/CommandRouter.h"

#include <QAction>

namespace veldran {

CommandRouter::CommandRouter(QObject* parent)
    : QObject(parent)
{
}

bool CommandRouter::Register(int id, std::function<void()> run, std::function<bool()> enabled)
{
    if (!run || m_commands.count(id))
        return false;
    m_commands.emplace(id, Command{std::move(run), std::move(enabled)});
    if (const auto it = m_actions.find(id); it != m_actions.end())
        it->second->setEnabled(IsEnabled(id));
    return true;
}

QAction* CommandRouter::Action(int id)
{
    auto it = m_actions.find(id);
    if (it != m_actions.end())
        return it->second;
    auto* action = new QAction(this);
    action->setData(id);
    action->setEnabled(IsEnabled(id));
    connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    m_actions.emplace(id, action);
    return action;
}

bool CommandRouter::IsHandled(int id) const
{
    return m_commands.count(id) != 0;
}

bool CommandRouter::IsEnabled(int id) const
{
    const auto it = m_commands.find(id);
    return it != m_commands.end() && (!it->second.enabled || it->second.enabled());
}

bool CommandRouter::Execute(int id)
{
    if (!IsEnabled(id))
        return false;
    m_commands.at(id).run();
    emit commandExecuted(id);
    return true;
}

void CommandRouter::UpdateEnabledState()
{
    for (const auto& [id, action] : m_actions)
        action->setEnabled(IsEnabled(id));
}

} // namespace veldran
