#pragma once
// Shows the program's messages in real message boxes, owned by the main window.

#include "resources/UserMessages.h"

#include <QPointer>
#include <QWidget>

namespace veldran {

class MessageBoxHandler : public UserMessageHandler {
public:
    void SetOwner(QWidget* owner) { m_owner = owner; }
    void Show(const UserMessage& message) override;

private:
    QPointer<QWidget> m_owner;
};

} // namespace veldran
