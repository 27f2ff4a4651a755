#pragma once
// Choosing what to decode: a decoder from the installed ones (a search field narrows the list by
// id, name and description), its channels mapped to D0 … D47 (shown with their user names), its
// options with their defaults and allowed values, and optionally a decoder stacked on it with its
// options. The form gives the choice as decoder settings and takes one back (a saved set-up).

#include "decode/DecodeRequest.h"
#include "decode/DecoderCatalogue.h"

#include <QWidget>

#include <array>
#include <vector>

class QComboBox;
class QFormLayout;
class QLineEdit;
class QListWidget;

namespace veldran {

class DecoderSetupForm : public QWidget {
    Q_OBJECT
public:
    using ChannelLabels = std::array<QString, 48>;

    DecoderSetupForm(const DecoderCatalogue& catalogue, QWidget* parent = nullptr);

    // The channel names the channel lists show beside D0 … D47.
    void SetChannelLabels(const ChannelLabels& labels);
    // The stack chosen: the decoder first, then the one stacked on it if any; empty when none.
    [[nodiscard]] std::vector<DecoderSetting> Stack() const;
    // Shows a set-up; decoders, channels or options it names that are not installed are left out.
    void SetStack(const std::vector<DecoderSetting>& stack);

    [[nodiscard]] QLineEdit* SearchField() const { return m_pSearch; }
    [[nodiscard]] QListWidget* DecoderList() const { return m_pDecoders; }
    void Retranslate();

signals:
    void stackChanged();

private:
    struct OptionField {
        std::string strId;
        QComboBox* pChoice = nullptr; // allowed values
        QLineEdit* pValue = nullptr;  // any value of its kind
    };
    void FilterDecoders(const QString& word);
    void ShowDecoder(const DecoderInfo* decoder);
    void ShowStacked(const DecoderInfo* decoder);
    void FillOptions(QFormLayout* layout, const DecoderInfo& decoder, std::vector<OptionField>& fields);
    [[nodiscard]] static std::vector<std::pair<std::string, std::string>> ChangedOptions(
        const DecoderInfo& decoder, const std::vector<OptionField>& fields);
    static void ClearLayout(QFormLayout* layout);
    [[nodiscard]] const DecoderInfo* Chosen() const;
    [[nodiscard]] const DecoderInfo* ChosenStacked() const;

    const DecoderCatalogue& m_catalogue;
    ChannelLabels m_channelLabels;
    QLineEdit* m_pSearch = nullptr;
    QListWidget* m_pDecoders = nullptr;
    QFormLayout* m_pChannels = nullptr;
    QFormLayout* m_pOptions = nullptr;
    QComboBox* m_pStacked = nullptr;
    QFormLayout* m_pStackedOptions = nullptr;
    std::vector<std::pair<std::string, QComboBox*>> m_channelFields;
    std::vector<OptionField> m_optionFields;
    std::vector<OptionField> m_stackedFields;
};

} // namespace veldran
