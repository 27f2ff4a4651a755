#include "view/SearchBar.h"

#include "i18n/MessageText.h"
#include "i18n/Translation.h"
#include "resources/Strings.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace veldran {

SearchBar::SearchBar(CCaptureSession& session, QWidget* parent)
    : QToolBar(parent)
    , m_search(session)
{
    setObjectName(QStringLiteral("SearchBar"));
    m_label = new QLabel(this);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("searchPattern"));
    m_edit->setMinimumWidth(m_edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 32);
    m_previous = new QPushButton(this);
    m_next = new QPushButton(this);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("searchCount"));
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 1000);
    m_progress->setTextVisible(false);
    m_progress->setMaximumWidth(m_progress->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 16);
    m_cancel = new QPushButton(this);
    addWidget(m_label);
    addWidget(m_edit);
    addWidget(m_previous);
    addWidget(m_next);
    addWidget(m_count);
    m_progressAction = addWidget(m_progress);
    m_cancelAction = addWidget(m_cancel);
    ShowCounting(false);
    Retranslate();
    // As high in either language (Korean glyphs may stand taller): the form below keeps its size.
    setFixedHeight(sizeHint().height());

    connect(m_edit, &QLineEdit::returnPressed, this, [this] { emit stepRequested(PatternSearch::EDirection::Next); });
    connect(m_next, &QPushButton::clicked, this, [this] { emit stepRequested(PatternSearch::EDirection::Next); });
    connect(m_previous, &QPushButton::clicked, this,
            [this] { emit stepRequested(PatternSearch::EDirection::Previous); });
    connect(m_cancel, &QPushButton::clicked, &m_search.Counter(), &MatchCounter::Cancel);
    MatchCounter& counter = m_search.Counter();
    connect(&counter, &MatchCounter::progress, m_progress, &QProgressBar::setValue);
    connect(&counter, &MatchCounter::cancelled, this, [this] {
        m_nMatches = -1;
        ShowCounting(false);
        Retranslate();
    });
    connect(&counter, &MatchCounter::counted, this, [this](qint64, qint64 total) {
        m_nMatches = total;
        ShowCounting(false);
        Retranslate();
    });
}

void SearchBar::FocusPattern()
{
    show();
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
}

void SearchBar::Find(PatternSearch::EDirection direction)
{
    m_nMatches = -1;
    const bool found = m_search.Find(m_edit->text(), direction).has_value();
    ShowCounting(found && m_search.Counter().IsCounting());
    Retranslate();
}

void SearchBar::ShowCounting(bool counting)
{
    m_progress->setValue(0);
    m_progressAction->setVisible(counting);
    m_cancelAction->setVisible(counting);
}

void SearchBar::Retranslate()
{
    setWindowTitle(Tr(text::kSearchTitle));
    m_label->setText(Tr(text::kSearchLabel));
    m_edit->setPlaceholderText(Tr(text::kSearchPlaceholder));
    m_previous->setText(Tr(text::kSearchPrevious));
    m_next->setText(Tr(text::kSearchNext));
    m_cancel->setText(Tr(text::kSearchCancel));
    m_count->setText(m_nMatches < 0 ? QString() : MessageText(Message(text::kSearchMatches, {MessageNumber(m_nMatches)})));
}

void SearchBar::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QToolBar::changeEvent(event);
}

} // namespace veldran
