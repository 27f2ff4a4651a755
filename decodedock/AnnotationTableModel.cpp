#include "decodedock/AnnotationTableModel.h"

#include "analysis/MeasureTexts.h"
#include "i18n/Translation.h"
#include "resources/Strings.h"

namespace veldran {
namespace {

QString FromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

AnnotationTableModel::AnnotationTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void AnnotationTableModel::SetOutcome(std::shared_ptr<const DecodeOutcome> outcome)
{
    beginResetModel();
    m_outcome = std::move(outcome);
    m_bFiltered = false;
    m_strFilterWord.clear();
    Refilter();
    endResetModel();
}

void AnnotationTableModel::SetClockPeriod(double seconds)
{
    if (seconds == m_dClockPeriod)
        return;
    m_dClockPeriod = seconds;
    emit headerDataChanged(Qt::Horizontal, Start, End);
    if (!m_shown.empty())
        emit dataChanged(index(0, Start), index(rowCount() - 1, End));
}

std::vector<AnnotationTableModel::RowChoice> AnnotationTableModel::RowChoices() const
{
    std::vector<RowChoice> choices;
    const CAnnotationStore* store = Store();
    if (!store)
        return choices;
    const auto& decoders = store->Decoders();
    for (size_t d = 0; d < decoders.size(); ++d) {
        const DecoderInfo* info = decoders[d].pInfo;
        if (!info)
            continue;
        const QString decoder = QString::fromStdString(info->strId);
        for (size_t r = 0; r < info->rows.size(); ++r)
            choices.push_back({static_cast<int>(d), static_cast<int>(r),
                               decoder + QStringLiteral(": ") + QString::fromStdString(info->rows[r].strDescription)});
    }
    return choices;
}

void AnnotationTableModel::SetFilter(const RowChoice* row, const QString& word)
{
    beginResetModel();
    m_bFiltered = row != nullptr;
    m_nFilterDecoder = row ? row->nDecoder : 0;
    m_nFilterRow = row ? row->nRow : -1;
    m_strFilterWord = word;
    Refilter();
    endResetModel();
}

void AnnotationTableModel::Refilter()
{
    m_shown.clear();
    const CAnnotationStore* store = Store();
    if (!store)
        return;
    const std::vector<DecodedAnnotation>& all = store->Annotations();
    m_shown.reserve(all.size());
    for (size_t i = 0; i < all.size(); ++i) {
        const DecodedAnnotation& a = all[i];
        if (m_bFiltered && (a.nDecoder != m_nFilterDecoder || a.nRow != m_nFilterRow))
            continue;
        if (!m_strFilterWord.isEmpty()) {
            bool found = false;
            for (size_t t = 0; t < a.nTextCount && !found; ++t)
                found = FromView(store->Text(a, t)).contains(m_strFilterWord, Qt::CaseInsensitive);
            if (!found)
                continue;
        }
        m_shown.push_back(static_cast<uint32_t>(i));
    }
}

const DecodedAnnotation* AnnotationTableModel::AnnotationAt(int row) const
{
    if (row < 0 || static_cast<size_t>(row) >= m_shown.size())
        return nullptr;
    return &Store()->At(m_shown[static_cast<size_t>(row)]);
}

int AnnotationTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

int AnnotationTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString AnnotationTableModel::SampleText(int64_t sample) const
{
    if (IsClockOff(m_dClockPeriod))
        return QString::number(sample);
    return QString::fromStdString(TimeText(static_cast<double>(sample) * m_dClockPeriod));
}

QVariant AnnotationTableModel::data(const QModelIndex& index, int role) const
{
    const DecodedAnnotation* a = index.isValid() ? AnnotationAt(index.row()) : nullptr;
    if (!a)
        return {};
    const CAnnotationStore& store = *Store();
    if (role == Qt::TextAlignmentRole && index.column() <= End)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ToolTipRole && index.column() <= End)
        return QString::number(index.column() == Start ? a->nStart : a->nEnd);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Start: return SampleText(a->nStart);
    case End: return SampleText(a->nEnd);
    case Decoder: return QString::fromStdString(store.DecoderId(*a));
    case Row: return FromView(store.RowName(*a));
    case Text: return a->nTextCount > 0 ? FromView(store.Text(*a, 0)) : QString();
    default: return {};
    }
}

QVariant AnnotationTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const bool timed = !IsClockOff(m_dClockPeriod);
    switch (section) {
    case Start: return Tr(timed ? text::kDecodeStartTime : text::kDecodeStartSample);
    case End: return Tr(timed ? text::kDecodeEndTime : text::kDecodeEndSample);
    case Decoder: return Tr(text::kDecodeDecoder);
    case Row: return Tr(text::kDecodeRow);
    case Text: return Tr(text::kDecodeText);
    default: return {};
    }
}

void AnnotationTableModel::Retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

} // namespace veldran
