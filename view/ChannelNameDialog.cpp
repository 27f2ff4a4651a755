#include "view/ChannelNameDialog.h"

#include "document/CaptureDocument.h"
#include "i18n/Translation.h"
#include "resources/Ids.h"
#include "session/CaptureSession.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

namespace veldran {
namespace {

// The name boxes do not scroll sideways: a name is as long as fits in its box, and typing that
// would not fit is refused.
class FitsInBox : public QValidator {
public:
    explicit FitsInBox(QLineEdit* edit) : QValidator(edit), m_edit(edit) {}
    State validate(QString& input, int& /*pos*/) const override
    {
        const QMargins margins = m_edit->textMargins();
        const int room = m_edit->contentsRect().width() - margins.left() - margins.right() - 4;
        return m_edit->fontMetrics().horizontalAdvance(input) <= room ? Acceptable : Invalid;
    }

private:
    QLineEdit* m_edit;
};

} // namespace

CChannelNameDlg::CChannelNameDlg(QWidget* parent)
    : QDialog(parent)
{
    for (int n = 0; n < 48; ++n)
        m_strName[static_cast<size_t>(n)] = DefaultName(n);
    CreateControls();
}

QString CChannelNameDlg::DefaultName(int channel)
{
    return QString::fromStdString(veldran::DefaultChannelName(channel));
}

void CChannelNameDlg::CreateControls()
{
    setWindowTitle(Tr("채널의 이름을 바꿀 수 있습니다..."));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    for (int n = 0; n < 48; ++n) {
        const int column = n / 16;
        const int row = n % 16;
        auto* label = new QLabel(Tr("채널 %1").arg(n), this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::number(ids::kChannelNameFirst + n));
        edit->setProperty("controlId", ids::kChannelNameFirst + n);
        // The boxes do not scroll horizontally: a name is as long as fits in its box.
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 10);
        edit->setValidator(new FitsInBox(edit));
        grid->addWidget(label, row, column * 2);
        grid->addWidget(edit, row, column * 2 + 1);
        m_edits[static_cast<size_t>(n)] = edit;
    }
    auto* ok = new QPushButton(Tr("확    인"), this);
    ok->setObjectName(QString::number(ids::kOk));
    ok->setDefault(true);
    auto* cancel = new QPushButton(Tr("취    소"), this);
    cancel->setObjectName(QString::number(ids::kCancel));
    connect(ok, &QPushButton::clicked, this, &CChannelNameDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CChannelNameDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addLayout(buttons);
}

int CChannelNameDlg::exec()
{
    for (int n = 0; n < 48; ++n)
        m_edits[static_cast<size_t>(n)]->setText(m_strName[static_cast<size_t>(n)]);
    return QDialog::exec();
}

void CChannelNameDlg::accept()
{
    for (int n = 0; n < 48; ++n)
        m_strName[static_cast<size_t>(n)] = m_edits[static_cast<size_t>(n)]->text();
    QDialog::accept();
}

void ChangeChannelNames(CCaptureSession& session, CChannelNameDlg& dialog)
{
    dialog.m_strName = session.Names();
    if (dialog.exec() == QDialog::Accepted)
        session.SetNames(dialog.m_strName);
}

} // namespace veldran
