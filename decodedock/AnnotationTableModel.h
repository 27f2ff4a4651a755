#pragma once
// The decoded annotations as a table (start, end, decoder, row, text), ordered by start sample,
// narrowed to one annotation row and to the texts that hold a word. Rows are made when the table
// asks for them: the model keeps the indexes of the annotations it shows and nothing per row.

#include "decode/DecodeRun.h"

#include <QAbstractTableModel>
#include <QString>

#include <memory>
#include <vector>

namespace veldran {

class AnnotationTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum EColumn { Start, End, Decoder, Row, Text, ColumnCount };

    explicit AnnotationTableModel(QObject* parent = nullptr);

    void SetOutcome(std::shared_ptr<const DecodeOutcome> outcome);
    [[nodiscard]] const CAnnotationStore* Store() const { return m_outcome ? &m_outcome->annotations : nullptr; }
    // Times are shown while a clock period is set (1.0 s is OFF: sample numbers).
    void SetClockPeriod(double seconds);

    // The annotation rows to choose from: "decoder: row", in the store's order of decoders.
    struct RowChoice {
        int nDecoder = 0;
        int nRow = -1;
        QString strText;
    };
    [[nodiscard]] std::vector<RowChoice> RowChoices() const;
    // Shows the annotations of one row (nullptr: every row) whose texts hold word (any case).
    void SetFilter(const RowChoice* row, const QString& word);

    // The annotation shown in a table row.
    [[nodiscard]] const DecodedAnnotation* AnnotationAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The table's header captions follow the language.
    void Retranslate();

private:
    [[nodiscard]] QString SampleText(int64_t sample) const;
    void Refilter();

    std::shared_ptr<const DecodeOutcome> m_outcome;
    std::vector<uint32_t> m_shown; // indexes into the store, in start order
    bool m_bFiltered = false;
    int m_nFilterDecoder = 0;
    int m_nFilterRow = -1;
    QString m_strFilterWord;
    double m_dClockPeriod = 1.0;
};

} // namespace veldran
