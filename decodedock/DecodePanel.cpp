#include "decodedock/DecodePanel.h"

#include "decode/AnnotationCsv.h"
#include "decode/DecoderStackText.h"
#include "decodedock/AnnotationStrip.h"
#include "decodedock/AnnotationTableModel.h"
#include "decodedock/DecodeJob.h"
#include "decodedock/DecoderSetupForm.h"
#include "files/FileWriter.h"
#include "i18n/MessageText.h"
#include "i18n/Translation.h"
#include "resources/Strings.h"

#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

namespace veldran {

DecodePanel::DecodePanel(CCaptureSession& session, const CTraceStatic& timeAxis, QWidget* parent)
    : QDockWidget(parent)
    , m_session(session)
    , m_pJob(new DecodeJob(this))
    , m_csvPath([this] {
        return QFileDialog::getSaveFileName(this, QString(), QString(), Tr(text::kDecodeCsvFilter));
    })
{
    setObjectName(QStringLiteral("DecodePanel"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    m_pStrip = new AnnotationStrip(timeAxis, body);
    layout->addWidget(m_pStrip);
    auto* splitter = new QSplitter(Qt::Horizontal, body);
    layout->addWidget(splitter, 1);

    // Left: the set-up and the run.
    auto* left = new QWidget(splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    const DecoderCatalogue& catalogue = InstalledDecoders();
    m_pLibraryError = new QLabel(left);
    m_pLibraryError->setWordWrap(true);
    m_pLibraryError->setVisible(!catalogue.strError.empty());
    leftLayout->addWidget(m_pLibraryError);
    auto* scroll = new QScrollArea(left);
    scroll->setWidgetResizable(true);
    m_pSetup = new DecoderSetupForm(catalogue, scroll);
    scroll->setWidget(m_pSetup);
    leftLayout->addWidget(scroll, 1);
    auto* runRow = new QHBoxLayout;
    m_pRun = new QPushButton(left);
    m_pCancel = new QPushButton(left);
    m_pProgress = new QProgressBar(left);
    m_pProgress->setRange(0, 1000);
    runRow->addWidget(m_pRun);
    runRow->addWidget(m_pCancel);
    runRow->addWidget(m_pProgress, 1);
    leftLayout->addLayout(runRow);
    m_pStatus = new QLabel(left);
    m_pStatus->setWordWrap(true);
    m_pStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    leftLayout->addWidget(m_pStatus);

    // Right: the annotations.
    auto* right = new QWidget(splitter);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    auto* filterRow = new QHBoxLayout;
    m_pRowFilter = new QComboBox(right);
    m_pTextFilter = new QLineEdit(right);
    m_pTextFilter->setClearButtonEnabled(true);
    m_pExport = new QPushButton(right);
    filterRow->addWidget(m_pRowFilter);
    filterRow->addWidget(m_pTextFilter, 1);
    filterRow->addWidget(m_pExport);
    rightLayout->addLayout(filterRow);
    m_pModel = new AnnotationTableModel(this);
    m_pTable = new QTableView(right);
    m_pTable->setModel(m_pModel);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_pTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    m_pTable->verticalHeader()->hide();
    m_pTable->horizontalHeader()->setStretchLastSection(true);
    rightLayout->addWidget(m_pTable, 1);
    // The set-up takes a third of the width to start with; its fields need room to be read.
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({fontMetrics().averageCharWidth() * 45, fontMetrics().averageCharWidth() * 90});
    setWidget(body);

    connect(m_pRun, &QPushButton::clicked, this, [this] { Run(); });
    connect(m_pCancel, &QPushButton::clicked, this, &DecodePanel::Cancel);
    connect(m_pExport, &QPushButton::clicked, this, [this] { ExportCsv(); });
    connect(m_pRowFilter, &QComboBox::currentIndexChanged, this, &DecodePanel::ApplyFilter);
    connect(m_pTextFilter, &QLineEdit::textChanged, this, &DecodePanel::ApplyFilter);
    connect(m_pTable, &QTableView::clicked, this, [this](const QModelIndex& index) { OnRowClicked(index.row()); });
    connect(m_pJob, &DecodeJob::progressed, this, [this](qint64 sent, qint64 total) {
        m_pProgress->setValue(total > 0 ? static_cast<int>(sent * 1000 / total) : 0);
    });
    connect(m_pJob, &DecodeJob::finished, this, &DecodePanel::OnFinished);

    connect(&m_session, &CCaptureSession::captureCleared, this, &DecodePanel::OnCaptureChanged);
    connect(&m_session, &CCaptureSession::captureReplaced, this, &DecodePanel::OnCaptureChanged);
    connect(&m_session, &CCaptureSession::captureOpened, this, [this] {
        OnCaptureChanged();
        UpdateChannelLabels();
        m_pModel->SetClockPeriod(m_session.ClockPeriod());
    });
    connect(&m_session, &CCaptureSession::extraSectionsChanged, this, &DecodePanel::LoadSetup);
    connect(&m_session, &CCaptureSession::namesChanged, this, &DecodePanel::UpdateChannelLabels);
    connect(&m_session, &CCaptureSession::clockPeriodChanged, this,
            [this] { m_pModel->SetClockPeriod(m_session.ClockPeriod()); });
    // The strip follows the window the traces show.
    const auto redrawStrip = [this] { m_pStrip->update(); };
    connect(&m_session, &CCaptureSession::cursorsMoved, m_pStrip, redrawStrip);
    connect(&m_session, &CCaptureSession::windowChanged, m_pStrip, redrawStrip);
    connect(&m_session, &CCaptureSession::sampleRevealRequested, m_pStrip, redrawStrip);

    UpdateChannelLabels();
    LoadSetup();
    ShowRunning(false);
    Retranslate();
}

DecodePanel::~DecodePanel() = default;

bool DecodePanel::IsRunning() const
{
    return m_pJob->IsRunning();
}

bool DecodePanel::Run()
{
    const std::vector<DecoderSetting> stack = m_pSetup->Stack();
    if (stack.empty() || IsRunning() || !m_session.HasCapture())
        return false;
    DecodeRequest request;
    request.stacks = {stack};
    request.capture.store = m_session.Store();
    for (int n = 0; n < kChannelCount; ++n)
        request.capture.names[static_cast<size_t>(n)] = m_session.Name(n).toStdString();
    request.capture.nClockFs = DecodeClockFs(m_session.ClockPeriod());
    // A set-up that cannot run says why at once, and nothing is run.
    if (std::optional<Message> refused = CheckDecodeRequest(request)) {
        m_bHasRun = true;
        m_lastError = refused;
        m_pStatus->setText(StatusText());
        return false;
    }
    m_session.SetExtraSection({kDecoderSection, {DecoderStackText(stack)}});
    m_pProgress->setValue(0);
    ShowRunning(true);
    return m_pJob->Start(std::move(request), [this] { return m_session.Store(); });
}

void DecodePanel::Cancel()
{
    m_pJob->Cancel();
}

void DecodePanel::OnFinished(std::shared_ptr<const DecodeOutcome> outcome)
{
    ShowRunning(false);
    if (std::exchange(m_bDiscardRun, false)) {
        emit runFinished();
        return; // of a capture no longer shown
    }
    m_bHasRun = true;
    m_lastError = outcome->error;
    m_bLastCancelled = outcome->bCancelled;
    m_nLastCount = outcome->annotations.Count();
    m_pModel->SetOutcome(outcome);
    m_pStrip->SetOutcome(outcome);
    {
        const QSignalBlocker block(m_pRowFilter);
        const QString text = m_pTextFilter->text();
        m_pRowFilter->clear();
        m_pRowFilter->addItem(Tr(text::kDecodeAllRows));
        for (const AnnotationTableModel::RowChoice& choice : m_pModel->RowChoices())
            m_pRowFilter->addItem(choice.strText);
    }
    ApplyFilter();
    m_pStatus->setText(StatusText());
    emit runFinished();
}

QString DecodePanel::StatusText() const
{
    if (!m_bHasRun)
        return {};
    if (m_lastError)
        return MessageText(*m_lastError);
    const QString count = Tr(text::kDecodeAnnotationCount).replace(QStringLiteral("%s"), QString::number(m_nLastCount));
    return m_bLastCancelled ? Tr(text::kDecodeCancelled) + QStringLiteral(" ") + count : count;
}

void DecodePanel::OnCaptureChanged()
{
    // The annotations were of the capture that is gone, and so is a run under way.
    if (m_pJob->IsRunning()) {
        m_bDiscardRun = true;
        m_pJob->Cancel();
    }
    m_bHasRun = false;
    m_lastError.reset();
    m_pModel->SetOutcome(nullptr);
    m_pStrip->SetOutcome(nullptr);
    m_pRowFilter->clear();
    m_pStatus->clear();
}

void DecodePanel::OnRowClicked(int row)
{
    const DecodedAnnotation* annotation = m_pModel->AnnotationAt(row);
    if (!annotation || annotation->nStart >= m_session.SampleCount())
        return;
    const int sample = static_cast<int>(annotation->nStart);
    m_session.SetCursors(sample, m_session.YCursor());
    m_session.SetActiveCursor(CCaptureSession::ECursor::X);
    m_session.RevealSample(sample);
}

void DecodePanel::ApplyFilter()
{
    const int chosen = m_pRowFilter->currentIndex() - 1;
    const std::vector<AnnotationTableModel::RowChoice> choices = m_pModel->RowChoices();
    const AnnotationTableModel::RowChoice* row =
        chosen >= 0 && static_cast<size_t>(chosen) < choices.size() ? &choices[static_cast<size_t>(chosen)] : nullptr;
    m_pModel->SetFilter(row, m_pTextFilter->text());
    m_pExport->setEnabled(m_pModel->rowCount() > 0);
}

bool DecodePanel::ExportCsv()
{
    const CAnnotationStore* store = m_pModel->Store();
    if (!store)
        return false;
    const QString path = m_csvPath();
    if (path.isEmpty())
        return false;
    // The rows the table shows, in its order.
    std::vector<bool> shown(store->Count(), false);
    for (int r = 0; r < m_pModel->rowCount(); ++r)
        shown[static_cast<size_t>(m_pModel->AnnotationAt(r) - store->Annotations().data())] = true;
    CFileWriter writer;
    const std::string target = QFile::encodeName(path).toStdString();
    int error = writer.Create(target);
    if (error == 0) {
        WriteAnnotationCsv(
            *store, [&](const DecodedAnnotation& a) { return shown[static_cast<size_t>(&a - store->Annotations().data())]; },
            [&writer](std::string_view piece) {
                writer.Append(piece);
                return writer.Error() == 0;
            });
        error = writer.Error() != 0 ? writer.Error() : writer.Commit();
    }
    if (error != 0) {
        ShowMessage(Message(text::kDecodeCsvFailed, {target, ErrorText(error)}));
        return false;
    }
    return true;
}

void DecodePanel::ShowRunning(bool bRunning)
{
    m_pRun->setEnabled(!bRunning);
    m_pCancel->setEnabled(bRunning);
    m_pProgress->setVisible(bRunning);
    m_pSetup->setEnabled(!bRunning);
}

void DecodePanel::LoadSetup()
{
    const ExtraSection* section = m_session.FindExtraSection(kDecoderSection);
    if (!section || section->lines.empty())
        return;
    std::vector<DecoderSetting> stack;
    if (!ParseDecoderStackText(section->lines.front(), stack) && DecoderStackText(stack) != DecoderStackText(m_pSetup->Stack()))
        m_pSetup->SetStack(stack);
}

void DecodePanel::UpdateChannelLabels()
{
    DecoderSetupForm::ChannelLabels labels;
    for (int n = 0; n < kChannelCount; ++n)
        labels[static_cast<size_t>(n)] = m_session.Name(n);
    m_pSetup->SetChannelLabels(labels);
}

void DecodePanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QDockWidget::changeEvent(event);
}

void DecodePanel::Retranslate()
{
    setWindowTitle(Tr(text::kDecodeTitle));
    m_pRun->setText(Tr(text::kDecodeRun));
    m_pCancel->setText(Tr(text::kSearchCancel));
    m_pExport->setText(Tr(text::kDecodeExportCsv));
    m_pTextFilter->setPlaceholderText(Tr(text::kDecodeFilterText));
    if (m_pRowFilter->count() > 0)
        m_pRowFilter->setItemText(0, Tr(text::kDecodeAllRows));
    m_pLibraryError->setText(Tr(text::kDecodeLibraryFailed) + QLatin1Char('\n') +
                             QString::fromStdString(InstalledDecoders().strError));
    m_pSetup->Retranslate();
    m_pModel->Retranslate();
    m_pStatus->setText(StatusText());
}

} // namespace veldran
