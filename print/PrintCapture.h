#pragma once
// What the view keeps for printing: the snapshot that Capture Data takes of its client area, the
// print bitmap file it is stored in, and the page hook that puts that file on the printed page.
//
// The page is built only from the file, never by the view's own drawing, so it shows the diagram
// as it was at the last Capture Data.

#include <QImage>
#include <QRect>

#include <string>

class QAbstractPrintDialog;
class QPainter;
class QPrinter;
class QWidget;

namespace veldran {

class CPrintCapture {
public:
    // screenDepth: bits per pixel of the screen the snapshots come from; 0 asks the primary screen.
    explicit CPrintCapture(int screenDepth = 0);

    // Capture Data (command 32772): copies what the client area shows into the capture bitmap and
    // stores it in the print bitmap file, in the screen's depth.
    void OnCaptureData(QWidget* client, bool liveData, bool dataReady);

    // Before a print or preview job: the job has exactly one page.
    void OnPreparePrinting(QPrinter& printer, QAbstractPrintDialog* dialog) const;

    // Draws the single page: the stored picture stretched into 5 % margins under a header line that
    // carries the document title. Coordinates are device pixels of the printable area. Used for the
    // printer and for the preview alike.
    void OnPrint(QPainter& painter, const QPrinter& printer, const std::string& documentTitle);

    // Whether the device behind the painter can take a bitmap at all.
    [[nodiscard]] static bool CanPrintBitmap(const QPainter& painter);

    // The print bitmap file, relative to the current directory.
    std::string m_szBitmapFile = "tmp.bmp";
    // Set by every Capture Data that stored its picture; lasts as long as the view.
    bool m_bPrintReady = false;
    // Client rectangle at the last snapshot, in screen coordinates.
    QRect m_rcCapture;
    // The copy of the client area. Made at the first snapshot with that client size; later
    // snapshots paint into it at (0, 0), so a larger client is cut off and a smaller one leaves the
    // earlier pixels outside it.
    QImage m_bmpCapture;
    // Bits per pixel of the capture bitmap, settled with it.
    int m_nCaptureBits = 0;

private:
    bool StoreCapture();

    int m_nScreenDepth = 0;
    bool m_bFirstCapture = true;
};

} // namespace veldran
