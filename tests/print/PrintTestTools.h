#pragma once
// What the printing tests share: widgets with known colours to take snapshots of, the poppler tools
// that read a printed PDF back, and closing a modal dialog from inside its event loop.

#include "tests/common/PeerProcess.h"

#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <array>

namespace veldran::test {

// Four quadrants: top-left, top-right, bottom-left, bottom-right.
class QuadrantWidget : public QWidget {
public:
    explicit QuadrantWidget(std::array<QColor, 4> colours, QWidget* parent = nullptr)
        : QWidget(parent)
        , m_colours(colours)
    {
    }
    void SetColours(std::array<QColor, 4> colours) { m_colours = colours; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const int w = width() / 2;
        const int h = height() / 2;
        painter.fillRect(0, 0, w, h, m_colours[0]);
        painter.fillRect(w, 0, width() - w, h, m_colours[1]);
        painter.fillRect(0, h, w, height() - h, m_colours[2]);
        painter.fillRect(w, h, width() - w, height() - h, m_colours[3]);
    }

private:
    std::array<QColor, 4> m_colours;
};

inline std::array<QColor, 4> Solid(const QColor& colour) { return {colour, colour, colour, colour}; }

// Standard output of a poppler tool; fails the test when the tool is missing or fails.
inline QByteArray RunTool(const QString& program, const QStringList& arguments)
{
    if (QStandardPaths::findExecutable(program).isEmpty()) {
        qWarning("%s is missing: install poppler-utils", qPrintable(program));
        return QByteArray("<missing tool>");
    }
    const ProcessRun run = RunProcess(program, arguments, QProcessEnvironment::systemEnvironment(), 60);
    return run.nExitCode == 0 ? run.stdOut : QByteArray("<tool failed>");
}

// Text without spaces and control characters: the extracted text of a CJK font may give a space
// glyph another code, and line layout adds spaces of its own.
inline QString Squeezed(const QString& text)
{
    QString out;
    for (const QChar c : text)
        if (!c.isSpace() && c.unicode() >= 0x20)
            out.append(c);
    return out;
}

// The page's text, squeezed.
inline QString PdfText(const QString& pdf)
{
    return Squeezed(QString::fromUtf8(RunTool("pdftotext", {"-layout", pdf, "-"})));
}

inline int PdfPageCount(const QString& pdf)
{
    const QByteArray info = RunTool("pdfinfo", {pdf});
    for (const QByteArray& line : info.split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// One line per embedded picture: width and height.
inline QList<QSize> PdfImages(const QString& pdf)
{
    QList<QSize> sizes;
    const QList<QByteArray> lines = RunTool("pdfimages", {"-list", pdf}).split('\n');
    for (int i = 2; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].simplified().split(' ');
        if (fields.size() > 4)
            sizes.append(QSize(fields[3].toInt(), fields[4].toInt()));
    }
    return sizes;
}

inline QImage RenderPdfPage(const QString& pdf, int dpi, const QString& prefix)
{
    RunTool("pdftoppm", {"-png", "-r", QString::number(dpi), "-singlefile", pdf, prefix});
    return QImage(prefix + ".png");
}

// Rejects (or accepts) the first visible dialog of type T once its event loop runs.
template <typename T>
void CloseDialogWhenShown(bool accept = false)
{
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, accept] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<T*>(widget); dialog && dialog->isVisible()) {
                timer->stop();
                timer->deleteLater();
                accept ? dialog->accept() : dialog->reject();
                return;
            }
        }
    });
    timer->start(20);
}

} // namespace veldran::test
