#include "view/BusDialog.h"

#include "analysis/ChannelRef.h"
#include "annotations/BusDefinition.h"
#include "annotations/CaptureAnnotations.h"
#include "i18n/MessageText.h"
#include "i18n/Translation.h"
#include "resources/Strings.h"
#include "session/CaptureSession.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <string>
#include <variant>

namespace veldran {
namespace {

// In the order of ERadix.
constexpr const char* kRadixTexts[] = {text::kRadixHex, text::kRadixUnsigned, text::kRadixSigned, text::kRadixAscii,
                                       text::kRadixBinary};

QPushButton* Button(const char* caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(Tr(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

// Two buttons one above the other, in the middle of the height beside a list.
QVBoxLayout* ButtonColumn(QPushButton* upper, QPushButton* lower)
{
    auto* column = new QVBoxLayout;
    column->addStretch();
    column->addWidget(upper);
    column->addWidget(lower);
    column->addStretch();
    return column;
}

QListWidget* ChannelList(const char* name, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    return list;
}

// The picked rows of a list, top first.
std::vector<int> PickedRows(const QListWidget& list)
{
    std::vector<int> rows;
    for (const QListWidgetItem* item : list.selectedItems())
        rows.push_back(list.row(item));
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

BusDialog::BusDialog(CCaptureSession& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_buses(session.Buses())
{
    setObjectName(QStringLiteral("BusDialog"));
    setWindowTitle(Tr(text::kBusDialogTitle));
    CreateControls();
    for (const Bus& bus : m_buses)
        m_busList->addItem(QString::fromStdString(bus.strName));
    m_busList->setCurrentRow(m_buses.empty() ? -1 : 0);
    PickBus(m_busList->currentRow());
}

void BusDialog::CreateControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* panes = new QHBoxLayout;
    panes->addLayout(CreateListPane());
    panes->addWidget(CreateEditor(), 2);
    layout->addLayout(panes, 1);
    layout->addLayout(CreateDefinitionRow());

    m_refusal = new QLabel(this);
    m_refusal->setObjectName(QStringLiteral("busRefusal"));
    m_refusal->setWordWrap(true);
    m_refusal->setStyleSheet(QStringLiteral("color: #b00000"));
    m_refusal->hide();
    layout->addWidget(m_refusal);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &BusDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &BusDialog::reject);
}

QLayout* BusDialog::CreateListPane()
{
    auto* pane = new QVBoxLayout;
    pane->addWidget(new QLabel(Tr(text::kBusListCaption), this));
    m_busList = new QListWidget(this);
    m_busList->setObjectName(QStringLiteral("busList"));
    pane->addWidget(m_busList, 1);
    auto* buttons = new QHBoxLayout;
    m_add = Button(text::kBusAdd, "busAdd", this);
    m_remove = Button(text::kBusRemove, "busRemove", this);
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    pane->addLayout(buttons);
    connect(m_add, &QPushButton::clicked, this, &BusDialog::AddBus);
    connect(m_remove, &QPushButton::clicked, this, &BusDialog::RemoveBus);
    connect(m_busList, &QListWidget::currentRowChanged, this, &BusDialog::PickBus);
    return pane;
}

QWidget* BusDialog::CreateEditor()
{
    m_editor = new QWidget(this);
    auto* editor = new QVBoxLayout(m_editor);
    editor->setContentsMargins(0, 0, 0, 0);
    auto* form = new QFormLayout;
    m_name = new QLineEdit(m_editor);
    m_name->setObjectName(QStringLiteral("busName"));
    m_radix = new QComboBox(m_editor);
    m_radix->setObjectName(QStringLiteral("busRadix"));
    for (const char* radix : kRadixTexts)
        m_radix->addItem(Tr(radix));
    form->addRow(Tr(text::kBusNameCaption), m_name);
    form->addRow(Tr(text::kBusRadixCaption), m_radix);
    editor->addLayout(form);

    auto* grid = new QGridLayout;
    m_available = ChannelList("availableChannels", m_editor);
    m_channels = ChannelList("busChannels", m_editor);
    grid->addWidget(new QLabel(Tr(text::kBusAvailableCaption), m_editor), 0, 0);
    grid->addWidget(new QLabel(Tr(text::kBusChannelsCaption), m_editor), 0, 2);
    grid->addWidget(m_available, 1, 0);
    grid->addWidget(m_channels, 1, 2);
    auto* take = Button(text::kBusTakeChannel, "takeChannel", m_editor);
    auto* drop = Button(text::kBusDropChannel, "dropChannel", m_editor);
    auto* up = Button(text::kBusMoveUp, "moveUp", m_editor);
    auto* down = Button(text::kBusMoveDown, "moveDown", m_editor);
    grid->addLayout(ButtonColumn(take, drop), 1, 1);
    grid->addLayout(ButtonColumn(up, down), 1, 3);
    editor->addLayout(grid, 1);

    connect(take, &QPushButton::clicked, this, &BusDialog::TakeChannels);
    connect(drop, &QPushButton::clicked, this, &BusDialog::DropChannels);
    connect(up, &QPushButton::clicked, this, [this] { MoveChannel(-1); });
    connect(down, &QPushButton::clicked, this, [this] { MoveChannel(1); });
    connect(m_available, &QListWidget::itemDoubleClicked, this, &BusDialog::TakeChannels);
    connect(m_channels, &QListWidget::itemDoubleClicked, this, &BusDialog::DropChannels);
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& name) {
        if (Bus* bus = Picked()) {
            bus->strName = name.toStdString();
            m_busList->item(m_nPicked)->setText(name);
        }
    });
    connect(m_radix, &QComboBox::currentIndexChanged, this, [this](int radix) {
        if (Bus* bus = Picked(); bus && radix >= 0)
            bus->eRadix = static_cast<ERadix>(radix);
    });
    return m_editor;
}

QLayout* BusDialog::CreateDefinitionRow()
{
    auto* row = new QHBoxLayout;
    m_definition = new QLineEdit(this);
    m_definition->setObjectName(QStringLiteral("busDefinition"));
    m_definition->setPlaceholderText(Tr(text::kBusDefinitionHint));
    m_definition->installEventFilter(this);
    auto* apply = Button(text::kBusApplyDefinition, "applyDefinition", this);
    row->addWidget(new QLabel(Tr(text::kBusDefinitionCaption), this));
    row->addWidget(m_definition, 1);
    row->addWidget(apply);
    connect(apply, &QPushButton::clicked, this, &BusDialog::ApplyDefinition);
    return row;
}

Bus* BusDialog::Picked()
{
    return m_nPicked >= 0 && m_nPicked < static_cast<int>(m_buses.size()) ? &m_buses[static_cast<size_t>(m_nPicked)]
                                                                            : nullptr;
}

QString BusDialog::Refusal() const
{
    return m_refusal->isHidden() ? QString() : m_refusal->text();
}

void BusDialog::AddBus()
{
    // A name not yet taken: BUS1, BUS2, …
    std::string name;
    for (int n = 1; name.empty(); ++n) {
        name = "BUS" + std::to_string(n);
        if (std::any_of(m_buses.begin(), m_buses.end(), [&](const Bus& bus) { return bus.strName == name; }))
            name.clear();
    }
    m_buses.push_back(Bus{name, {}, ERadix::Hex});
    m_busList->addItem(QString::fromStdString(name));
    m_busList->setCurrentRow(static_cast<int>(m_buses.size()) - 1);
    m_name->setFocus();
    m_name->selectAll();
}

void BusDialog::RemoveBus()
{
    if (!Picked())
        return;
    const int removed = m_nPicked;
    m_buses.erase(m_buses.begin() + removed);
    // Picks the bus after the removed one, or else the one before.
    m_nPicked = -1;
    delete m_busList->takeItem(removed);
    PickBus(m_busList->currentRow());
}

void BusDialog::PickBus(int index)
{
    m_nPicked = index >= 0 && index < static_cast<int>(m_buses.size()) ? index : -1;
    const Bus* bus = Picked();
    m_editor->setEnabled(bus != nullptr);
    m_remove->setEnabled(bus != nullptr);
    m_add->setEnabled(m_buses.size() < kMaxBuses);
    m_name->setText(bus ? QString::fromStdString(bus->strName) : QString());
    m_radix->setCurrentIndex(static_cast<int>(bus ? bus->eRadix : ERadix::Hex));
    ShowChannels();
}

void BusDialog::ShowChannels(int selectedRow)
{
    const Bus* bus = Picked();
    const std::vector<int> none;
    const std::vector<int>& taken = bus ? bus->channels : none;
    const auto item = [this](int channel) {
        auto* shown = new QListWidgetItem(QString::fromStdString(ChannelId(channel)) + QStringLiteral("  ") +
                                          m_session.Name(channel).trimmed());
        shown->setData(Qt::UserRole, channel);
        return shown;
    };
    m_available->clear();
    m_channels->clear();
    for (int channel = kChannelCount - 1; channel >= 0; --channel)
        if (std::find(taken.begin(), taken.end(), channel) == taken.end())
            m_available->addItem(item(channel));
    for (const int channel : taken)
        m_channels->addItem(item(channel));
    if (selectedRow >= 0 && selectedRow < m_channels->count())
        m_channels->setCurrentRow(selectedRow);
}

void BusDialog::TakeChannels()
{
    Bus* bus = Picked();
    if (!bus)
        return;
    for (const int row : PickedRows(*m_available))
        if (bus->Width() < kMaxBusWidth)
            bus->channels.push_back(m_available->item(row)->data(Qt::UserRole).toInt());
    ShowChannels();
}

void BusDialog::DropChannels()
{
    Bus* bus = Picked();
    if (!bus)
        return;
    const std::vector<int> rows = PickedRows(*m_channels);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        bus->channels.erase(bus->channels.begin() + *row);
    ShowChannels();
}

void BusDialog::MoveChannel(int step)
{
    Bus* bus = Picked();
    const int row = m_channels->currentRow();
    const int to = row + step;
    if (!bus || row < 0 || to < 0 || to >= bus->Width())
        return;
    std::swap(bus->channels[static_cast<size_t>(row)], bus->channels[static_cast<size_t>(to)]);
    ShowChannels(to);
}

void BusDialog::ApplyDefinition()
{
    ChannelNames names;
    for (int channel = 0; channel < kChannelCount; ++channel)
        names[static_cast<size_t>(channel)] = m_session.Name(channel).toStdString();
    auto parsed = ParseBusDefinition(m_definition->text().toStdString(), names);
    if (const Message* refused = std::get_if<Message>(&parsed)) {
        m_refusal->setText(MessageText(*refused));
        m_refusal->show();
        return;
    }
    m_refusal->hide();
    if (m_buses.size() >= kMaxBuses)
        return;
    AddBus();
    Bus& bus = *Picked();
    bus.strName = std::get<Bus>(parsed).strName;
    bus.channels = std::get<Bus>(parsed).channels;
    m_busList->item(m_nPicked)->setText(QString::fromStdString(bus.strName));
    PickBus(m_nPicked);
    m_definition->clear();
}

bool BusDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_definition && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ApplyDefinition();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void BusDialog::Refuse(int index, const QString& why)
{
    m_busList->setCurrentRow(index);
    m_refusal->setText(why);
    m_refusal->show();
}

void BusDialog::accept()
{
    for (size_t b = 0; b < m_buses.size(); ++b) {
        Bus& bus = m_buses[b];
        const QString name = QString::fromStdString(bus.strName).trimmed();
        if (name.isEmpty())
            return Refuse(static_cast<int>(b), MessageText(Message(text::kBusNameMissing, {std::to_string(b + 1)})));
        if (bus.channels.empty())
            return Refuse(static_cast<int>(b), MessageText(Message(text::kBusChannelsMissing, {name.toStdString()})));
        bus.strName = name.toStdString();
    }
    // Unchanged buses leave the capture unchanged.
    if (m_buses != m_session.Buses())
        m_session.SetBuses(m_buses);
    QDialog::accept();
}

} // namespace veldran
