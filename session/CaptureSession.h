#pragma once
// The capture being looked at: the document with its samples, and how it is looked at (the working
// channel names, the clock period, the X and Y cursors, the zoom window, the cell shown and the
// value field's text). The reception, the file commands, export and print write and read it here;
// windows subscribe to its signals and read what they show when they draw.
//
// Only the session writes this state. A change is announced once, after the state has changed.

#include "analysis/SampleStore.h"
#include "annotations/CaptureAnnotations.h"
#include "document/CaptureDocument.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldran {

// The value field's text: one of the program's texts (translated where it is shown) followed by a
// value that is never translated (cell words, a line of the listing). Either part may be empty.
struct SValueText {
    const char* source = nullptr;
    std::string value;

    // The text in the program's own words, as files and snapshots hold it.
    [[nodiscard]] std::string Untranslated() const { return (source ? std::string(source) : std::string()) + value; }
    bool operator==(const SValueText& other) const
    {
        return std::string_view(source ? source : "") == std::string_view(other.source ? other.source : "")
            && value == other.value;
    }
};

class CCaptureSession : public QObject {
    Q_OBJECT
public:
    using ChannelNames = std::array<QString, kChannelCount>;
    static constexpr int kCellsShown = kCellCount;

    explicit CCaptureSession(QObject* parent = nullptr);
    ~CCaptureSession() override;

    // The document: its capture is written through the session; its file identity (title, path,
    // modified flag) belongs to the file commands.
    [[nodiscard]] const CVELDRANDoc& Document() const { return m_document; }
    [[nodiscard]] CVELDRANDoc& Document() { return m_document; }

    // The capture as shown: the samples the traces count (while a listing arrives, its lines), and
    // whether they show a listing that arrived in this run rather than a file.
    [[nodiscard]] int SampleCount() const { return m_nSampleCount; }
    [[nodiscard]] bool IsLiveData() const { return m_bLiveData; }
    [[nodiscard]] bool HasCapture() const { return m_document.IsDataReady(); }
    // The three cell words of sample x as the listing gave them, channel 15 first, two blanks apart;
    // rebuilt from the samples where the tokens are gone; empty outside the capture.
    [[nodiscard]] std::string CellWordsAt(int x) const;

    // A listing as it arrives: begun (nothing changes yet, neither what is shown nor the document),
    // its first bytes (the capture shown is dropped), its tokens, its lines counted so far with the
    // last one, and its end by the quiet time or by a cancel.
    void BeginListing();
    void ShowArrivingListing();
    // True once the listing begun last has shown its first bytes.
    [[nodiscard]] bool ListingArrived() const { return m_bListingArrived; }
    void AppendListingToken(std::string_view token) { m_document.AppendListingToken(token); }
    void ListingLines(int nLines, const std::string& strLastLine);
    void ReplaceListingTail(size_t nKeep, const TokenList& tail) { m_document.ReplaceListingTail(nKeep, tail); }
    // A parse that stops early reports why through report, before anyone is told of the capture.
    void FinishListing(int nLines, const std::function<void(const Message&)>& report = {});
    // A cancel: before the first bytes the capture shown before stays as it was. After them, the
    // whole lines received are the capture, shown and savable as after the quiet end (a line the
    // cancel cut short is left out without a message); with no whole line there is no capture.
    void CancelListing(int nLines);
    // A note on the capture for the status bar, such as what the reception could not take as sent.
    void AnnounceNote(const Message& note) { emit noteAnnounced(note); }
    // No capture (New File): the document forgets its capture and the view shows nothing.
    void ClearCapture();
    // The program starts, or a capture file was read into the document: what is shown starts over
    // (a file's names become the working names; the 16-sample window, no clock period) with the
    // buses and markers read beside the file.
    void OpenCapture(CaptureAnnotations annotations = {});

    // The buses and markers the user keeps with the capture, saved beside it (SidecarFile.h).
    // Markers are kept in sample order (markers on one sample in the order they were added). The
    // buses stay when the capture changes, as the names do; the markers go with their capture.
    // Every change marks the capture as changed.
    [[nodiscard]] const CaptureAnnotations& Annotations() const { return m_annotations; }
    [[nodiscard]] const std::vector<Bus>& Buses() const { return m_annotations.buses; }
    [[nodiscard]] const std::vector<Marker>& Markers() const { return m_annotations.markers; }
    void SetBuses(std::vector<Bus> buses);
    // The new marker's index, or nothing when the capture already holds kMaxMarkers.
    std::optional<int> AddMarker(Marker marker);
    // The marker's new index (its sample may have moved it); an index out of range changes nothing.
    int ReplaceMarker(int index, Marker marker);
    void RemoveMarker(int index);
    // A section kept for a later reader (the decoder set-ups): replaces the section of that name,
    // or adds it; a section with no lines is removed.
    void SetExtraSection(ExtraSection section);
    [[nodiscard]] const ExtraSection* FindExtraSection(const std::string& name) const;

    // The channel names as the user works with them (traces, save, export).
    [[nodiscard]] const ChannelNames& Names() const { return m_strName; }
    [[nodiscard]] const QString& Name(int channel) const { return m_strName[static_cast<size_t>(channel)]; }
    // Renaming marks the capture as changed.
    void SetNames(const ChannelNames& names);

    // The clock period: the options' index and the seconds one sample stands for (1.0 s is OFF).
    // An index outside the table (no seconds) keeps the period and still announces the index.
    [[nodiscard]] double ClockPeriod() const { return m_dClockPeriod; }
    [[nodiscard]] int ClockIndex() const { return m_nClockIndex; }
    void SetClockPeriod(int nIndex, std::optional<double> seconds);

    // The X and Y cursors, as sample indexes.
    [[nodiscard]] int XCursor() const { return m_nXIndex; }
    [[nodiscard]] int YCursor() const { return m_nYIndex; }
    void SetCursors(int nX, int nY);
    // The cursor the edge jumps, the arrow keys and the searches move: the one moved last, unless
    // the user switched.
    enum class ECursor { X, Y };
    [[nodiscard]] ECursor ActiveCursor() const { return m_eActiveCursor; }
    [[nodiscard]] int ActiveCursorSample() const { return m_eActiveCursor == ECursor::X ? m_nXIndex : m_nYIndex; }
    void SetActiveCursor(ECursor cursor);
    // Asks the windows to bring a sample into view: a search moved a cursor there, and the window
    // goes with it whichever cursor it was.
    void RevealSample(int sample) { emit sampleRevealRequested(sample); }

    // The channel the measurements and the edge jumps work on (0..47), picked by the user.
    [[nodiscard]] int SelectedChannel() const { return m_nSelectedChannel; }
    void SelectChannel(int channel);

    // The samples of the capture shown, for the analyses (empty while none is).
    [[nodiscard]] SampleStore Store() const;

    // The zoom window (16, 64, 256 or 1023 samples) and the stepping between them.
    [[nodiscard]] int Window() const { return m_nWindow; }
    void SetWindow(int nWindow);
    void Expand();
    void Contract();

    // The cell of sixteen channels shown (0..2); the next one after the last is the first.
    [[nodiscard]] int Cell() const { return m_nCell; }
    void SelectNextCell();
    void SetCell(int nCell);

    // The value field under the traces.
    [[nodiscard]] const SValueText& ValueText() const { return m_valueText; }
    void SetValueText(SValueText text);

signals:
    // The shown capture was dropped (New File, the first bytes of a listing, a cancel before its
    // first whole line).
    void captureCleared();
    // More lines of the arriving listing were counted; the value field names the last one.
    void linesReceived(int nLines);
    // A listing ended: its capture is shown now.
    void captureReplaced();
    // Start-up or a file opened: everything shown starts over from the session's state.
    void captureOpened();
    void namesChanged();
    void clockPeriodChanged(int nIndex);
    void cursorsMoved();
    void activeCursorChanged();
    void sampleRevealRequested(int sample);
    void selectedChannelChanged(int channel);
    void windowChanged(int nWindow);
    void cellChanged(int nCell);
    void valueTextChanged();
    void noteAnnounced(const veldran::Message& note);
    void busesChanged();
    void markersChanged();
    void extraSectionsChanged();

private:
    // The listing just parsed becomes the capture shown, modified.
    void ShowReceivedCapture();

    CVELDRANDoc m_document;
    ChannelNames m_strName;
    int m_nSampleCount = 0;
    bool m_bLiveData = false;
    bool m_bListingArrived = false;
    double m_dClockPeriod = 1.0;
    int m_nClockIndex = 0;
    int m_nXIndex = 0;
    int m_nYIndex = 0;
    int m_nWindow = 16;
    int m_nCell = 0;
    ECursor m_eActiveCursor = ECursor::X;
    int m_nSelectedChannel = 0;
    SValueText m_valueText;
    CaptureAnnotations m_annotations;
};

} // namespace veldran
