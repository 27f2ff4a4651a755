#include "view/VeldranView.h"

#include "controls/CNumEdit.h"
#include "controls/CNumSpinCtrl.h"
#include "controls/DialogUnits.h"
#include "i18n/Translation.h"
#include "print/PrintCapture.h"
#include "resources/Ids.h"
#include "view/FormWidget.h"
#include "view/MarkerLines.h"
#include "view/ReadoutTexts.h"
#include "view/TextRoom.h"
#include "view/TraceNavigation.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>

namespace veldran {
namespace {

// The form template is 364 × 247 dialog units in 10-point 굴림; smaller windows scroll.
constexpr int kFormWidthDlu = 364;
constexpr int kFormHeightDlu = 247;

void LabelTraces(const std::array<CTraceStatic*, 16>& traces, const CCaptureSession& session)
{
    for (int k = 0; k < 16; ++k)
        traces[static_cast<size_t>(k)]->SetLabel(session.Name(session.Cell() * 16 + k));
}

void ResetCursorSpin(CNumSpinCtrl& spin)
{
    spin.SetRange(0.0f, 0.0f);
    spin.SetPos(0.0f);
    spin.SetDelta(1.0f);
}

} // namespace

CVELDRANView::CVELDRANView(CCaptureSession& session, QWidget* parent)
    : QScrollArea(parent)
    , m_session(session)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    m_form = new FormWidget(*this, this);
    m_form->setFont(DialogFont("굴림", 10));
    m_templateSize = MapDialogSize(QSize(kFormWidthDlu, kFormHeightDlu), BaseUnitsOf(m_form->font()));
    m_form->setMinimumSize(m_templateSize);
    CreateControls();
    setWidget(m_form);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int position) {
        // A mark shows where the form is being scrolled to, drawn with the next paint.
        const unsigned width = static_cast<unsigned>(m_form->width());
        m_strip.MarkScroll(static_cast<int>(width * (static_cast<unsigned>(position) + 1u) / 100u));
        m_form->update();
    });
    m_xPosDataTimer.setSingleShot(true);
    connect(&m_xPosDataTimer, &QTimer::timeout, this, &CVELDRANView::ShowValueText);

    connect(&m_session, &CCaptureSession::captureOpened, this, &CVELDRANView::OnCaptureOpened);
    connect(&m_session, &CCaptureSession::captureCleared, this, &CVELDRANView::OnCaptureCleared);
    connect(&m_session, &CCaptureSession::captureReplaced, this, &CVELDRANView::OnCaptureReplaced);
    connect(&m_session, &CCaptureSession::linesReceived, this, &CVELDRANView::OnLinesReceived);
    connect(&m_session, &CCaptureSession::cursorsMoved, this, &CVELDRANView::OnCursorsMoved);
    connect(&m_session, &CCaptureSession::windowChanged, this, &CVELDRANView::OnWindowChanged);
    connect(&m_session, &CCaptureSession::cellChanged, this, &CVELDRANView::OnCellChanged);
    connect(&m_session, &CCaptureSession::clockPeriodChanged, this, &CVELDRANView::OnClockPeriodChanged);
    connect(&m_session, &CCaptureSession::valueTextChanged, this, &CVELDRANView::WriteStrings);
    connect(&m_session, &CCaptureSession::namesChanged, this, [this] {
        LabelTraces(m_traces, m_session);
        m_form->update();
    });
    m_navigation = std::make_unique<CTraceNavigation>(*this, m_session, *m_form);
    // The markers are drawn over the traces by a layer of their own, which the form owns.
    new MarkerLines(*this, m_session, *m_form);
}

CVELDRANView::~CVELDRANView() = default;

QWidget* CVELDRANView::Form() const
{
    return m_form;
}

QWidget* CVELDRANView::GetDlgItem(int id) const
{
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

void CVELDRANView::CreateControls()
{
    const auto add = [this](int id, QWidget* widget) {
        widget->setObjectName(QString::number(id));
        widget->setProperty("controlId", id);
        m_controls[id] = widget;
        return widget;
    };
    for (int k = 0; k < 16; ++k) {
        m_traces[static_cast<size_t>(k)] = new CTraceStatic(m_form);
        add(ids::kTraceFirst + k, m_traces[static_cast<size_t>(k)]);
    }
    const auto label = [this, &add](int id, const char* text) {
        auto* widget = new QLabel(QString::fromUtf8(text), m_form);
        add(id, widget);
        return widget;
    };
    const auto readOnlyEdit = [this, &add](int id) {
        auto* edit = new QLineEdit(m_form);
        edit->setReadOnly(true);
        add(id, edit);
        return edit;
    };
    auto* group = new QGroupBox(QStringLiteral("Information"), m_form);
    add(ids::kInfoGroup, group);
    group->hide(); // placed by the layout, never shown

    label(ids::kLabelXPos, "X-pos ");
    label(ids::kLabelYPos, "Y-pos ");
    label(ids::kLabelXY, "X-Y :");
    label(ids::kLabelXData, "X pos Data :");
    m_editX = new CNumEdit(m_form);
    add(ids::kEditX, m_editX);
    m_spinX = new CNumSpinCtrl(m_form);
    add(ids::kSpinX, m_spinX);
    m_editY = new CNumEdit(m_form);
    add(ids::kEditY, m_editY);
    m_spinY = new CNumSpinCtrl(m_form);
    add(ids::kSpinY, m_spinY);
    m_xyDistance = readOnlyEdit(ids::kXYDistance);
    m_xPosData = readOnlyEdit(ids::kXPosData);
    m_windowText = readOnlyEdit(ids::kWindowText);
    m_leftPos = label(ids::kLeftPos, "left/total");
    m_rightPos = label(ids::kRightPos, "right/total");
    // The cursor lines and their labels stand over the traces.
    m_markers = std::make_unique<CursorMarkers>(m_form, add);

    connect(m_editX, &QLineEdit::textChanged, this, &CVELDRANView::OnCursorEdited);
    connect(m_editY, &QLineEdit::textChanged, this, &CVELDRANView::OnCursorEdited);
}

void CVELDRANView::WriteStrings()
{
    m_xPosDataTimer.stop();
    // Read-only boxes show the start of their text, as the cell values read from channel 15 on.
    const auto show = [](QLineEdit* edit, const QString& text) {
        if (edit->text() == text)
            return;
        edit->setText(text);
        edit->setCursorPosition(0);
    };
    const SValueText& value = m_session.ValueText();
    show(m_xPosData, (value.source ? Tr(value.source) : QString()) + QString::fromStdString(value.value));
    show(m_windowText, m_strWindow);
    m_leftPos->setText(m_strLeftPos);
    m_rightPos->setText(m_strRightPos);
    show(m_xyDistance, m_strXYDistance);
}

void CVELDRANView::ShowValueText()
{
    m_xPosDataTimer.stop();
    m_sinceXPosData.start();
    const SValueText& value = m_session.ValueText();
    m_xPosData->setText((value.source ? Tr(value.source) : QString()) + QString::fromStdString(value.value));
    m_xPosData->setCursorPosition(0);
}

// Start-up and every file open: the cursors at 0, the 16-sample window, the traces of the cell
// shown, the readouts measured for the capture and for no clock period.
void CVELDRANView::OnCaptureOpened()
{
    m_bInitializing = false;

    m_spinX->SetBuddy(m_editX);
    ResetCursorSpin(*m_spinX);
    m_spinY->SetBuddy(m_editY);
    ResetCursorSpin(*m_spinY);

    LabelTraces(m_traces, m_session);
    for (CTraceStatic* trace : m_traces) {
        trace->ClearSamples();
        trace->SetWindow(16, 8, 0, 16);
    }
    m_strWindow = WindowText(m_session.Window());
    WriteStrings();

    if (m_session.HasCapture()) {
        LoadTraces();
        UpdateCursors();
    }

    UpdatePositionBar();
    FitReadouts(true);
    UpdateCursorMarkers();
    OnClockPeriodChanged();
}

void CVELDRANView::OnCaptureCleared()
{
    ResetCursorSpin(*m_spinX);
    ResetCursorSpin(*m_spinY);
    const int window = m_session.Window();
    LabelTraces(m_traces, m_session);
    for (CTraceStatic* trace : m_traces) {
        trace->ClearSamples();
        trace->SetWindow(window, 0, 0, window);
        trace->update();
    }
    // The markers, the distance and the counters show the empty capture, not the one before.
    CursorsSeen::Forget();
    UpdateCursors();
    UpdatePositionBar();
    WriteStrings();
    m_form->update();
}

void CVELDRANView::OnCaptureReplaced()
{
    LoadTraces();
    UpdateCursors();
    UpdatePositionBar();
    m_form->update();
}

void CVELDRANView::OnLinesReceived()
{
    // A listing counts its lines thousands of times a second; the value field follows four times
    // a second, which reads as a running count, keeps a fast line fast and keeps a listing at the
    // line rate from spending its time on redrawing the field.
    if (!m_sinceXPosData.isValid() || m_sinceXPosData.elapsed() >= kLineCounterRefreshMs)
        ShowValueText();
    else if (!m_xPosDataTimer.isActive())
        m_xPosDataTimer.start(kLineCounterRefreshMs);
}

void CVELDRANView::OnWindowChanged()
{
    m_strWindow = WindowText(m_session.Window());
    PlaceTraceWindow();
    UpdatePositionBar();
    UpdateCursors();
    m_form->update();
}

void CVELDRANView::OnCellChanged()
{
    for (CTraceStatic* trace : m_traces)
        trace->ClearSamples();
    LabelTraces(m_traces, m_session);
    LoadTraces();
}

void CVELDRANView::OnClockPeriodChanged()
{
    UpdateMeasurement();
    FitReadouts(); // the distance's texts depend on the period
}

void CVELDRANView::LoadTraces()
{
    CursorsSeen::Forget(); // the traces now show another capture or another cell
    // The traces read their channels from the document's store when they paint. They count the
    // capture's samples; those the store does not hold (a cancelled reception) read low.
    const CVELDRANDoc& document = m_session.Document();
    const int count = document.SampleCount();
    const int first = m_session.Cell() * 16;
    for (int k = 0; k < 16; ++k) {
        m_traces[static_cast<size_t>(k)]->SetLevels(
            count, [&document, channel = first + k](int sample) { return document.Level(sample, channel); });
        m_traces[static_cast<size_t>(k)]->update();
    }
    const float last = static_cast<float>(count - 1);
    m_spinX->SetRange(0.0f, last);
    m_spinY->SetRange(0.0f, last);
    m_form->update();
}

void CVELDRANView::OnCaptureData(CPrintCapture& print)
{
    // The visible client area, as the screen shows it. The picture is a file, and files read the
    // same in either language: the value field is photographed in the program's own words.
    const QString shown = m_xPosData->text();
    m_xPosData->setText(QString::fromStdString(m_session.ValueText().Untranslated()));
    m_xPosData->setCursorPosition(0);
    print.OnCaptureData(viewport(), m_session.IsLiveData(), m_session.HasCapture());
    m_xPosData->setText(shown);
    m_xPosData->setCursorPosition(0);
}

} // namespace veldran
