#pragma once
// The program's commands, from menus, accelerators and option-bar buttons alike. Each command id is
// registered once, with what runs it and, where it matters, when it may run; a command that is not
// registered, or whose condition does not hold, is disabled wherever it appears.

#include <QObject>

#include <functional>
#include <map>

class QAction;

namespace veldran {

class CommandRouter : public QObject {
    Q_OBJECT
public:
    explicit CommandRouter(QObject* parent = nullptr);

    // Declares command id. enabled may be empty (always enabled while registered). An id is
    // registered once only: a second registration is refused and returns false.
    bool Register(int id, std::function<void()> run, std::function<bool()> enabled = {});

    // The action that stands for a command; created on first use.
    QAction* Action(int id);
    [[nodiscard]] bool IsHandled(int id) const;
    [[nodiscard]] bool IsEnabled(int id) const;
    // Runs the command if it is registered and enabled; false otherwise.
    bool Execute(int id);
    // Enables exactly the actions whose command is enabled.
    void UpdateEnabledState();

signals:
    void commandExecuted(int id);

private:
    struct Command {
        std::function<void()> run;
        std::function<bool()> enabled;
    };

    std::map<int, Command> m_commands;
    std::map<int, QAction*> m_actions;
};

} // namespace veldran
