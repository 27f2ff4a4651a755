#include "decodedock/DecoderSetupForm.h"

#include "i18n/Translation.h"
#include "resources/Strings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace veldran {
namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QString ChannelText(int channel, const QString& label)
{
    const QString id = QStringLiteral("D%1").arg(channel);
    return label.isEmpty() || label == id ? id : id + QStringLiteral("  ") + label;
}

bool Takes(const DecoderInfo& upper, const DecoderInfo& lower)
{
    for (const std::string& input : upper.inputs)
        if (std::find(lower.outputs.begin(), lower.outputs.end(), input) != lower.outputs.end())
            return true;
    return false;
}

} // namespace

DecoderSetupForm::DecoderSetupForm(const DecoderCatalogue& catalogue, QWidget* parent)
    : QWidget(parent)
    , m_catalogue(catalogue)
{
    for (int n = 0; n < 48; ++n)
        m_channelLabels[static_cast<size_t>(n)] = QStringLiteral("D%1").arg(n);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pSearch = new QLineEdit(this);
    m_pSearch->setClearButtonEnabled(true);
    layout->addWidget(m_pSearch);
    m_pDecoders = new QListWidget(this);
    for (const DecoderInfo& decoder : m_catalogue.decoders) {
        auto* item = new QListWidgetItem(Text(decoder.strId) + QStringLiteral(" — ") + Text(decoder.strLongName), m_pDecoders);
        item->setData(Qt::UserRole, Text(decoder.strId));
        item->setToolTip(Text(decoder.strDescription));
    }
    m_pDecoders->setMinimumHeight(6 * fontMetrics().height());
    layout->addWidget(m_pDecoders, 1);
    auto* channels = new QWidget(this);
    m_pChannels = new QFormLayout(channels);
    m_pChannels->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(channels);
    auto* options = new QWidget(this);
    m_pOptions = new QFormLayout(options);
    m_pOptions->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(options);
    m_pStacked = new QComboBox(this);
    layout->addWidget(m_pStacked);
    auto* stackedOptions = new QWidget(this);
    m_pStackedOptions = new QFormLayout(stackedOptions);
    m_pStackedOptions->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(stackedOptions);

    connect(m_pSearch, &QLineEdit::textChanged, this, &DecoderSetupForm::FilterDecoders);
    connect(m_pDecoders, &QListWidget::currentItemChanged, this, [this] {
        ShowDecoder(Chosen());
        emit stackChanged();
    });
    connect(m_pStacked, &QComboBox::currentIndexChanged, this, [this] {
        ShowStacked(ChosenStacked());
        emit stackChanged();
    });
    Retranslate();
    ShowDecoder(nullptr);
}

void DecoderSetupForm::Retranslate()
{
    m_pSearch->setPlaceholderText(Tr(text::kDecodeSearch));
    if (m_pStacked->count() > 0)
        m_pStacked->setItemText(0, Tr(text::kDecodeNoStacked));
    for (auto& [id, combo] : m_channelFields)
        combo->setItemText(0, Tr(text::kDecodeUnmapped));
}

void DecoderSetupForm::SetChannelLabels(const ChannelLabels& labels)
{
    m_channelLabels = labels;
    for (auto& [id, combo] : m_channelFields)
        for (int n = 0; n < 48; ++n)
            combo->setItemText(n + 1, ChannelText(n, labels[static_cast<size_t>(n)]));
}

void DecoderSetupForm::FilterDecoders(const QString& word)
{
    for (int i = 0; i < m_pDecoders->count(); ++i) {
        QListWidgetItem* item = m_pDecoders->item(i);
        const bool match = word.isEmpty() || item->text().contains(word, Qt::CaseInsensitive) ||
                           item->toolTip().contains(word, Qt::CaseInsensitive);
        item->setHidden(!match);
    }
}

const DecoderInfo* DecoderSetupForm::Chosen() const
{
    const QListWidgetItem* item = m_pDecoders->currentItem();
    return item ? m_catalogue.Find(item->data(Qt::UserRole).toString().toStdString()) : nullptr;
}

const DecoderInfo* DecoderSetupForm::ChosenStacked() const
{
    const QString id = m_pStacked->currentData().toString();
    return id.isEmpty() ? nullptr : m_catalogue.Find(id.toStdString());
}

void DecoderSetupForm::ClearLayout(QFormLayout* layout)
{
    while (layout->rowCount() > 0)
        layout->removeRow(0);
}

void DecoderSetupForm::ShowDecoder(const DecoderInfo* decoder)
{
    ClearLayout(m_pChannels);
    ClearLayout(m_pOptions);
    m_channelFields.clear();
    m_optionFields.clear();
    {
        const QSignalBlocker block(m_pStacked);
        m_pStacked->clear();
        m_pStacked->addItem(Tr(text::kDecodeNoStacked), QString());
        if (decoder)
            for (const DecoderInfo& upper : m_catalogue.decoders)
                if (Takes(upper, *decoder))
                    m_pStacked->addItem(Text(upper.strId) + QStringLiteral(" — ") + Text(upper.strLongName), Text(upper.strId));
        m_pStacked->setEnabled(m_pStacked->count() > 1);
    }
    ShowStacked(nullptr);
    if (!decoder)
        return;
    int required = 0;
    const auto addChannels = [&](const std::vector<DecoderChannelInfo>& channels, bool bRequired) {
        for (const DecoderChannelInfo& channel : channels) {
            auto* combo = new QComboBox(this);
            combo->addItem(Tr(text::kDecodeUnmapped), QString());
            for (int n = 0; n < 48; ++n)
                combo->addItem(ChannelText(n, m_channelLabels[static_cast<size_t>(n)]), QStringLiteral("D%1").arg(n));
            // Required channels start on D0, D1, … in their order; the optional ones unmapped.
            combo->setCurrentIndex(bRequired ? std::min(required++, 47) + 1 : 0);
            combo->setToolTip(Text(channel.strDescription));
            connect(combo, &QComboBox::currentIndexChanged, this, &DecoderSetupForm::stackChanged);
            m_pChannels->addRow(Text(channel.strName) + (bRequired ? QStringLiteral(" *") : QString()), combo);
            m_channelFields.emplace_back(channel.strId, combo);
        }
    };
    addChannels(decoder->channels, true);
    addChannels(decoder->optionalChannels, false);
    FillOptions(m_pOptions, *decoder, m_optionFields);
}

void DecoderSetupForm::ShowStacked(const DecoderInfo* decoder)
{
    ClearLayout(m_pStackedOptions);
    m_stackedFields.clear();
    if (decoder)
        FillOptions(m_pStackedOptions, *decoder, m_stackedFields);
}

void DecoderSetupForm::FillOptions(QFormLayout* layout, const DecoderInfo& decoder, std::vector<OptionField>& fields)
{
    for (const DecoderOptionInfo& option : decoder.options) {
        OptionField field{option.strId};
        QWidget* editor = nullptr;
        if (!option.allowed.empty()) {
            field.pChoice = new QComboBox(this);
            for (const std::string& value : option.allowed)
                field.pChoice->addItem(Text(value));
            field.pChoice->setCurrentText(Text(option.strDefault));
            connect(field.pChoice, &QComboBox::currentIndexChanged, this, &DecoderSetupForm::stackChanged);
            editor = field.pChoice;
        } else {
            field.pValue = new QLineEdit(Text(option.strDefault), this);
            connect(field.pValue, &QLineEdit::textEdited, this, &DecoderSetupForm::stackChanged);
            editor = field.pValue;
        }
        editor->setToolTip(Text(option.strDescription));
        layout->addRow(Text(option.strDescription), editor);
        fields.push_back(field);
    }
}

std::vector<std::pair<std::string, std::string>> DecoderSetupForm::ChangedOptions(
    const DecoderInfo& decoder, const std::vector<OptionField>& fields)
{
    std::vector<std::pair<std::string, std::string>> options;
    for (const OptionField& field : fields) {
        const std::string value = (field.pChoice ? field.pChoice->currentText() : field.pValue->text()).toStdString();
        const DecoderOptionInfo* option = decoder.FindOption(field.strId);
        if (option && value != option->strDefault)
            options.emplace_back(field.strId, value);
    }
    return options;
}

std::vector<DecoderSetting> DecoderSetupForm::Stack() const
{
    std::vector<DecoderSetting> stack;
    const DecoderInfo* decoder = Chosen();
    if (!decoder)
        return stack;
    DecoderSetting bottom{decoder->strId, ChangedOptions(*decoder, m_optionFields), {}};
    for (const auto& [id, combo] : m_channelFields)
        if (const QString channel = combo->currentData().toString(); !channel.isEmpty())
            bottom.channels.emplace_back(id, channel.toStdString());
    stack.push_back(std::move(bottom));
    if (const DecoderInfo* upper = ChosenStacked())
        stack.push_back({upper->strId, ChangedOptions(*upper, m_stackedFields), {}});
    return stack;
}

void DecoderSetupForm::SetStack(const std::vector<DecoderSetting>& stack)
{
    const QString id = stack.empty() ? QString() : Text(stack.front().strDecoder);
    QListWidgetItem* found = nullptr;
    for (int i = 0; i < m_pDecoders->count() && !found; ++i)
        if (m_pDecoders->item(i)->data(Qt::UserRole).toString() == id)
            found = m_pDecoders->item(i);
    {
        const QSignalBlocker block(m_pDecoders);
        m_pDecoders->setCurrentItem(found);
    }
    ShowDecoder(Chosen());
    if (!found)
        return;
    const auto setOptions = [](std::vector<OptionField>& fields, const DecoderSetting& setting) {
        for (const auto& [option, value] : setting.options)
            for (OptionField& field : fields)
                if (field.strId == option) {
                    if (field.pChoice)
                        field.pChoice->setCurrentText(Text(value));
                    else
                        field.pValue->setText(Text(value));
                }
    };
    const DecoderSetting& bottom = stack.front();
    for (auto& [channelId, combo] : m_channelFields) {
        combo->setCurrentIndex(0);
        for (const auto& [mapped, channel] : bottom.channels)
            if (mapped == channelId)
                combo->setCurrentIndex(std::max(0, combo->findData(Text(channel))));
    }
    setOptions(m_optionFields, bottom);
    if (stack.size() > 1) {
        m_pStacked->setCurrentIndex(std::max(0, m_pStacked->findData(Text(stack[1].strDecoder))));
        setOptions(m_stackedFields, stack[1]);
    }
    emit stackChanged();
}

} // namespace veldran
