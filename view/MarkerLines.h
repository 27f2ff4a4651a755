#pragma once
// The capture's markers over the traces: for each marker in the window shown, a thin line in its
// colour down the sixteen traces and its label at their top. It lies over the traces and under
// the cursor lines and lets every click through to the form. While the capture has no markers it
// is hidden, so the form (and Capture Data's picture of it) looks as it always did.

#include "session/CaptureSession.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <vector>

namespace veldran {

class CVELDRANView;

class MarkerLines : public QWidget {
    Q_OBJECT
public:
    MarkerLines(const CVELDRANView& view, const CCaptureSession& session, QWidget& form);

    struct Line {
        int x = 0;
        int64_t sample = 0;
        QString label;
        QColor colour;
    };
    // The lines the next paint draws, in sample order: the markers inside the window shown.
    [[nodiscard]] std::vector<Line> Lines() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Follow();

    const CVELDRANView& m_view;
    const CCaptureSession& m_session;
    QWidget& m_form;
};

} // namespace veldran
