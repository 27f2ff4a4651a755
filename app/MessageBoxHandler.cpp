#include "app/MessageBoxHandler.h"

#include <QMessageBox>

namespace veldran {

void MessageBoxHandler::Show(const UserMessage& message)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (message.icon) {
    case MessageIcon::None: icon = QMessageBox::NoIcon; break;
    case MessageIcon::Exclamation: icon = QMessageBox::Warning; break;
    case MessageIcon::Stop: icon = QMessageBox::Critical; break;
    case MessageIcon::Information: icon = QMessageBox::Information; break;
    }
    // The text and caption arrive in the user's language.
    QMessageBox box(icon, QString::fromStdString(message.caption), QString::fromStdString(message.text),
                    QMessageBox::Ok, m_owner);
    box.exec();
}

} // namespace veldran
