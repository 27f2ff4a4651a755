#include "view/MeasurePanel.h"

#include "analysis/ChannelRef.h"
#include "analysis/Edges.h"
#include "analysis/PulseMeasure.h"
#include "i18n/Translation.h"
#include "resources/Strings.h"
#include "analysis/MeasureTexts.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>

#include <algorithm>

namespace veldran {
namespace {

constexpr const char* kCaptions[] = {text::kMeasureChannel, text::kMeasureLevel,   text::kMeasureWidth,
                                     text::kMeasurePeriod,  text::kMeasureFrequency, text::kMeasureDuty,
                                     text::kMeasureDelta,   text::kMeasureInverse,  text::kMeasureRising,
                                     text::kMeasureFalling, text::kMeasureEdges};

// Room for the longest caption, a frequency and a sample count of seven digits.
constexpr int kWidthInDigits = 40;

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

MeasurePanel::MeasurePanel(CCaptureSession& session, QWidget* parent)
    : QDockWidget(parent)
    , m_session(session)
{
    static_assert(std::size(kCaptions) == kRows);
    setObjectName(QStringLiteral("MeasurePanel"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto* body = new QWidget(this);
    auto* grid = new QGridLayout(body);
    int line = 0;
    const auto heading = [&](QLabel*& title, int part) {
        title = new QLabel(body);
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        grid->addWidget(title, line, 0);
        m_sampleHeads[static_cast<size_t>(part)] = new QLabel(body);
        grid->addWidget(m_sampleHeads[static_cast<size_t>(part)], line, 2, Qt::AlignRight);
        ++line;
    };
    for (size_t r = 0; r < kRows; ++r) {
        if (r == static_cast<size_t>(ERow::Channel))
            heading(m_atX, 0);
        if (r == static_cast<size_t>(ERow::Delta))
            heading(m_between, 1);
        Row& row = m_rows[r];
        row.caption = new QLabel(body);
        row.value = new QLabel(body);
        row.samples = new QLabel(body);
        for (QLabel* figure : {row.value, row.samples})
            figure->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(row.caption, line, 0);
        // The channel's name may be long: it takes both columns of figures.
        if (r == static_cast<size_t>(ERow::Channel)) {
            grid->addWidget(row.value, line, 1, 1, 2);
        } else {
            grid->addWidget(row.value, line, 1, Qt::AlignRight);
            grid->addWidget(row.samples, line, 2, Qt::AlignRight);
        }
        ++line;
    }
    grid->setRowStretch(line, 1);
    // As wide in either language: the form beside it, which Capture Data photographs, keeps its
    // size when the language changes.
    body->setFixedWidth(body->fontMetrics().horizontalAdvance(QString(kWidthInDigits, QLatin1Char('0'))));
    setWidget(body);
    Retranslate();

    for (const auto signal : {&CCaptureSession::cursorsMoved, &CCaptureSession::captureOpened,
                              &CCaptureSession::captureCleared, &CCaptureSession::captureReplaced,
                              &CCaptureSession::namesChanged})
        connect(&m_session, signal, this, &MeasurePanel::Refresh);
    connect(&m_session, &CCaptureSession::selectedChannelChanged, this, &MeasurePanel::Refresh);
    connect(&m_session, &CCaptureSession::clockPeriodChanged, this, &MeasurePanel::Refresh);
    connect(&m_session, &CCaptureSession::linesReceived, this, &MeasurePanel::Refresh);
    Refresh();
}

QString MeasurePanel::Value(ERow row) const
{
    return At(row).value->text();
}

QString MeasurePanel::Samples(ERow row) const
{
    return At(row).samples->text();
}

void MeasurePanel::Show(ERow row, const std::string& value, const std::string& samples)
{
    At(row).value->setText(Utf8(value));
    At(row).samples->setText(Utf8(samples));
}

void MeasurePanel::Clear()
{
    for (const Row& row : m_rows) {
        row.value->clear();
        row.samples->clear();
    }
}

void MeasurePanel::Refresh()
{
    const SampleStore store = m_session.Store();
    if (store.nCount == 0) {
        Clear();
        return;
    }
    const int channel = m_session.SelectedChannel();
    const double period = m_session.ClockPeriod();
    const int64_t x = std::clamp<int64_t>(m_session.XCursor(), 0, store.nCount - 1);
    const int64_t y = std::clamp<int64_t>(m_session.YCursor(), 0, store.nCount - 1);
    At(ERow::Channel).value->setText(Utf8(ChannelId(channel)) + QStringLiteral("  ") + m_session.Name(channel));

    const PulseTexts pulse = FormatPulse(MeasureAt(store, channel, x), period);
    Show(ERow::Level, pulse.level);
    Show(ERow::Width, pulse.width.time, pulse.width.samples);
    Show(ERow::Period, pulse.period.time, pulse.period.samples);
    Show(ERow::Frequency, pulse.frequency);
    Show(ERow::Duty, pulse.duty);

    const CursorSpanTexts span = FormatCursorSpan(x, y, CountEdges(store, channel, x, y), period);
    Show(ERow::Delta, span.delta.time, span.delta.samples);
    Show(ERow::Inverse, span.inverse);
    Show(ERow::Rising, span.rising);
    Show(ERow::Falling, span.falling);
    Show(ERow::Edges, span.total);
}

void MeasurePanel::Retranslate()
{
    setWindowTitle(Tr(text::kMeasureTitle));
    m_atX->setText(Tr(text::kMeasureAtX));
    m_between->setText(Tr(text::kMeasureBetween));
    for (QLabel* head : m_sampleHeads)
        head->setText(Tr(text::kMeasureSamples));
    for (size_t r = 0; r < kRows; ++r)
        m_rows[r].caption->setText(Tr(kCaptions[r]));
}

void MeasurePanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QDockWidget::changeEvent(event);
}

} // namespace veldran
