#pragma once
// Routes the program's commands, from menus, accelerators and option-bar buttons alike, to the
// first target that handles them: the view, then the frame, then the application. A command that
// no target handles is disabled wherever it appears.

#include <QObject>

#include <functional>
#include <map>
#include <vector>

class QAction;

namespace veldran {

class CommandRouter : public QObject {
    Q_OBJECT
public:
    struct Target {
        std::function<bool(int)> handles;
        std::function<void(int)> execute;
    };

    explicit CommandRouter(QObject* parent = nullptr);

    void AddTarget(Target target) { m_targets.push_back(std::move(target)); }
    // The action that stands for a command; created on first use.
    QAction* Action(int id);
    [[nodiscard]] bool IsHandled(int id) const;
    // Runs the command if some target handles it; false otherwise.
    bool Execute(int id);
    // Enables exactly the actions whose command is handled.
    void UpdateEnabledState();

signals:
    void commandExecuted(int id);

private:
    std::vector<Target> m_targets;
    std::map<int, QAction*> m_actions;
};

} // namespace veldran
