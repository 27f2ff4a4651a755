#include "view/VeldranView.h"

#include "controls/CNumEdit.h"
#include "controls/CNumSpinCtrl.h"
#include "controls/DialogUnits.h"
#include "document/CaptureFile.h"
#include "i18n/Translation.h"
#include "resources/Ids.h"
#include "resources/Strings.h"
#include "view/FormLayout.h"
#include "view/FormWidget.h"
#include "view/ReadoutTexts.h"
#include "view/TextRoom.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <array>

namespace veldran {
namespace {

// The form template is 364 × 247 dialog units in 10-point 굴림; smaller windows scroll.
constexpr int kFormWidthDlu = 364;
constexpr int kFormHeightDlu = 247;
// A trace row holds its name between the frame lines: the font's height and this much more.
constexpr int kTraceTextMargin = 5;
// The form's height beyond its sixteen rows (the row height is the sixteenth of height − 60).
constexpr int kFormRowsMargin = 60;

} // namespace

CVELDRANView::CVELDRANView(CVELDRANDoc& document, QWidget* parent)
    : QScrollArea(parent)
    , m_link(*this, document)
    , m_document(document)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    m_form = new FormWidget(*this, this);
    m_form->setFont(DialogFont("굴림", 10));
    m_templateSize = MapDialogSize(QSize(kFormWidthDlu, kFormHeightDlu), BaseUnitsOf(m_form->font()));
    m_form->setMinimumSize(m_templateSize);
    CreateControls();
    setWidget(m_form);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &CVELDRANView::OnHScroll);
    m_xPosDataTimer.setSingleShot(true);
    connect(&m_xPosDataTimer, &QTimer::timeout, this, &CVELDRANView::ShowXPosData);

    m_document.SetStatusTextHandler([this](const std::string& text) {
        m_strXPosData = QString::fromStdString(text);
        WriteStrings();
    });
}

CVELDRANView::~CVELDRANView()
{
    m_serial.Stop();
    m_document.SetStatusTextHandler({});
}

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

    // The cursor lines and their labels stand over the traces; clicks go through them to the form.
    // The Y line is set apart from the X line by a softer colour.
    const auto cursorLine = [this, &add](int id, const QColor& color) {
        auto* line = new QFrame(m_form);
        line->setFrameShape(QFrame::NoFrame);
        line->setAutoFillBackground(true);
        QPalette palette = line->palette();
        palette.setColor(QPalette::Window, color);
        line->setPalette(palette);
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
        add(id, line);
        return line;
    };
    m_xCursorLine = cursorLine(ids::kXCursorLine, Qt::black);
    m_yCursorLine = cursorLine(ids::kYCursorLine, QColor(96, 96, 96));
    m_yCursorLine->hide();
    m_xCursorLabel = label(ids::kXCursorLabel, "X");
    m_yCursorLabel = label(ids::kYCursorLabel, "Y");
    for (QLabel* cursorLabel : {m_xCursorLabel, m_yCursorLabel}) {
        cursorLabel->setAlignment(Qt::AlignCenter);
        cursorLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
        // Each label paints its own background, so where the two meet only the upper one (Y)
        // is read, never both texts printed over each other.
        cursorLabel->setAutoFillBackground(true);
    }
    m_yCursorLabel->hide();

    connect(m_editX, &QLineEdit::textChanged, this, [this] { UpdateCursors(); });
    connect(m_editY, &QLineEdit::textChanged, this, [this] { UpdateCursors(); });
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
    show(m_xPosData, TranslateText(m_strXPosData));
    show(m_windowText, m_strWindow);
    m_leftPos->setText(m_strLeftPos);
    m_rightPos->setText(m_strRightPos);
    show(m_xyDistance, m_strXYDistance);
}

void CVELDRANView::MoveControl(int id, const QRect& rect)
{
    if (QWidget* widget = GetDlgItem(id))
        widget->setGeometry(rect);
}

CVELDRANView::ReadoutScope CVELDRANView::CurrentReadoutScope() const
{
    // The counters read up to the view's sample count; the cursors up to the end of their range,
    // which follows the document's count.
    int lastIndex = m_nSampleCount - 1;
    for (const CNumSpinCtrl* spin : {m_spinX, m_spinY}) {
        float lower = 0.0f;
        float upper = 0.0f;
        spin->GetRange(lower, upper);
        lastIndex = std::max(lastIndex, static_cast<int>(std::max(lower, upper)));
    }
    return {std::max(0, lastIndex), m_dClockPeriod};
}

NeededWidths CVELDRANView::MeasureReadouts(const ReadoutScope& scope)
{
    // The widest texts of the capture shown and the clock period chosen: a larger capture or
    // another period measures the row again, so a small screen is not given up to captures and
    // periods it does not show.
    const int last = scope.lastIndex;
    NeededWidths needed;
    const auto fit = [this, &needed](int id, const QStringList& texts) {
        if (const QWidget* control = GetDlgItem(id))
            needed[id] = WidthToShow(*control, texts);
    };
    for (const int id : {ids::kLabelXPos, ids::kLabelYPos, ids::kLabelXY, ids::kLabelXData})
        if (const auto* label = qobject_cast<const QLabel*>(GetDlgItem(id)))
            fit(id, {label->text()});
    fit(ids::kEditX, CursorValueTextsToFit(last));
    fit(ids::kEditY, CursorValueTextsToFit(last));
    fit(ids::kXYDistance, DistanceTextsToFit(last, scope.clockPeriod));
    fit(ids::kXPosData, ValueTextsToFit());
    fit(ids::kWindowText, WindowTextsToFit());
    fit(ids::kLeftPos, PositionTextsToFit(last));
    fit(ids::kRightPos, PositionTextsToFit(last));
    m_nCursorLabelWidth = WidthToShow(*m_xCursorLabel, CursorLabelTextsToFit(last));
    return needed;
}

void CVELDRANView::LayoutControls()
{
    m_measuredScope = CurrentReadoutScope();
    PlaceControls(MeasureReadouts(m_measuredScope));
}

void CVELDRANView::PlaceControls(const NeededWidths& needed)
{
    m_measuredWidths = needed;
    m_nPlacedCursorLabelWidth = m_nCursorLabelWidth;
    const FormLayout layout = ComputeFormLayout(m_form->width(), m_form->height(), needed);
    m_nInfoTop = layout.infoTop;
    m_nStripLeft = layout.stripLeft;
    m_nStripRight = layout.stripRight;
    m_nStripTop = layout.stripTop;
    for (const auto& [id, rect] : layout.placements)
        MoveControl(id, rect);
    // A form too narrow for its information row on two lines scrolls instead of cutting the row
    // off. Heights scroll only below sixteen traces that still show their names, and the row's
    // second line if it has one: the template's own height would push the information row out
    // of a window at a high scale factor.
    const int minimumRow = m_form->fontMetrics().height() + kTraceTextMargin;
    m_form->setMinimumSize(std::max(m_templateSize.width(), layout.minimumWidth),
                           std::min(m_templateSize.height(), 16 * minimumRow + kFormRowsMargin) + layout.extraHeight);
    m_form->update();
}

void CVELDRANView::FitReadouts()
{
    if (m_bInitializing)
        return;
    const ReadoutScope scope = CurrentReadoutScope();
    if (scope == m_measuredScope)
        return;
    m_measuredScope = scope;
    // A listing changes the scope with every line, but the widths only now and then: the row
    // is placed (and the form painted) again only when a width changed.
    const NeededWidths needed = MeasureReadouts(scope);
    if (needed != m_measuredWidths || m_nCursorLabelWidth != m_nPlacedCursorLabelWidth)
        PlaceControls(needed);
}

void CVELDRANView::OnFormResized()
{
    if (!m_bInitializing)
        LayoutControls();
}

void CVELDRANView::OnInitialUpdate()
{
    m_bInitializing = false;

    m_spinX->SetBuddy(m_editX);
    m_spinX->SetRange(0.0f, 0.0f);
    m_spinX->SetPos(0.0f);
    m_spinX->SetDelta(1.0f);
    m_spinY->SetBuddy(m_editY);
    m_spinY->SetRange(0.0f, 0.0f);
    m_spinY->SetPos(0.0f);
    m_spinY->SetDelta(1.0f);

    if (m_document.m_bDataReady)
        for (int n = 0; n < kChannelCount; ++n)
            m_dlgChannelNames.m_strName[static_cast<size_t>(n)] =
                QString::fromStdString(m_document.m_strChannelNames[static_cast<size_t>(n)]);

    m_nWindow = 16;
    for (int k = 0; k < 16; ++k) {
        CTraceStatic& trace = Trace(k);
        trace.SetLabel(m_dlgChannelNames.m_strName[static_cast<size_t>(m_nCell * 16 + k)]);
        trace.ClearSamples();
        trace.SetWindow(16, 8, 0, 16);
    }
    m_strWindow = QStringLiteral("WINDOW : 16");
    WriteStrings();

    if (m_document.m_bDataReady) {
        m_nSampleCount = m_document.m_nSampleCount;
        LoadTraces();
        m_bLiveData = false;
        UpdateCursors();
    }

    UpdatePositionBar();
    LayoutControls();
    UpdateCursorMarkers();

    m_link.LoadSettings();
    m_dClockPeriod = 1.0;
    SetClockPeriod(0);
    m_link.OpenLink();
}

void CVELDRANView::ResetView()
{
    for (CNumSpinCtrl* spin : {m_spinX, m_spinY}) {
        spin->SetRange(0.0f, 0.0f);
        spin->SetPos(0.0f);
        spin->SetDelta(1.0f);
    }
    for (int k = 0; k < 16; ++k) {
        CTraceStatic& trace = Trace(k);
        trace.SetLabel(m_dlgChannelNames.m_strName[static_cast<size_t>(m_nCell * 16 + k)]);
        trace.ClearSamples();
        trace.SetWindow(m_nWindow, 0, 0, m_nWindow);
        trace.update();
    }
    m_document.ForgetCapture();
    m_bLiveData = false;
    m_nSampleCount = 0;

    // The markers, the distance and the counters show the empty capture, not the one before.
    ForgetCursorValues();
    UpdateCursors();
    UpdatePositionBar();
    m_strXPosData = QString::fromUtf8(text::kNoData);
    WriteStrings();
    m_form->update();
}

void CVELDRANView::AddSample(int trace, uint8_t value)
{
    Trace(trace).AddSample(value);
}

void CVELDRANView::LoadTraces()
{
    ForgetCursorValues(); // the traces now show another capture or another cell
    const int count = m_document.m_nSampleCount;
    const int first = m_nCell * 16;
    // One pass over the store, sixteen levels out of each record. The store can hold fewer records
    // than the count (a cancelled reception); the samples it does not hold stay low.
    const size_t total = static_cast<size_t>(std::max(count, 0));
    const size_t stored = static_cast<size_t>(m_document.ReadableSampleCount());
    std::array<uint8_t*, 16> levels{};
    for (int k = 0; k < 16; ++k)
        levels[static_cast<size_t>(k)] = Trace(k).ExtendLevels(total);
    const uint8_t* record = m_document.m_pSamples.data() + first;
    for (size_t s = 0; s < stored; ++s, record += kChannelCount)
        for (size_t k = 0; k < 16; ++k)
            levels[k][s] = record[k] == 1 ? 1 : 0;
    for (int k = 0; k < 16; ++k)
        Trace(k).update();
    const float last = static_cast<float>(count - 1);
    m_spinX->SetRange(0.0f, last);
    m_spinY->SetRange(0.0f, last);
    m_form->update();
}

void CVELDRANView::RelabelTraces()
{
    for (int k = 0; k < 16; ++k)
        Trace(k).SetLabel(m_dlgChannelNames.m_strName[static_cast<size_t>(m_nCell * 16 + k)]);
}

void CVELDRANView::OnCaptureData()
{
    // The visible client area, as the screen shows it. The picture is a file, and files read the
    // same in either language: the value field is photographed in the program's own words.
    const QString shown = m_xPosData->text();
    m_xPosData->setText(m_strXPosData);
    m_xPosData->setCursorPosition(0);
    m_print.OnCaptureData(viewport(), m_bLiveData, m_document.m_bDataReady);
    m_xPosData->setText(shown);
    m_xPosData->setCursorPosition(0);
}

void CVELDRANView::PaintForm(QPainter& painter)
{
    UpdateCursorMarkers();
    DrawPositionBar(painter);
}

} // namespace veldran
